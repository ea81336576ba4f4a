#include "DbError.h"
#include "LinkFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(LinkFile, RoundTripsPathsWithAwkwardCharacters)
{
    QTemporaryDir dir;
    const ConnectionInfo cases[] = {
        {"SQLite", "/srv/help desk/calls.vdb", "/srv/help desk/calls.vwg"},
        {"SQLite", "/srv/a;b/o'brien.vdb", "/srv/\"quoted\";x.vwg"},
        {"PostgreSQL", "host=db1 dbname=calls", ""},
        {"SQLite", "/srv/Åsa/calls.vdb", " /lead and trail "},
    };
    for (const ConnectionInfo &c : cases) {
        SCOPED_TRACE(c.dataSource.toStdString());
        const QString path = dir.filePath(QStringLiteral("v.udl"));
        LinkFile::write(path, c);
        const ConnectionInfo back = LinkFile::read(path);
        EXPECT_EQ(back.provider, c.provider);
        EXPECT_EQ(back.dataSource, c.dataSource);
        EXPECT_EQ(back.systemDb, c.systemDb);
    }
}

TEST(LinkFile, WritesTheDataLinkLayoutInUtf16)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("v.udl"));
    LinkFile::write(path, {"SQLite", "/srv/calls.vdb", "/srv/calls.vwg"});
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                                            (bytes.size() - 2) / 2);
    EXPECT_EQ(text, QStringLiteral("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
                                   "Provider=SQLite;Data Source=/srv/calls.vdb;"
                                   "Jet OLEDB:System database=/srv/calls.vwg;\r\n"));
}

TEST(LinkFile, ReadsTheUtf16FormAndTheInitStringLayout)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.udl"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QString text = QStringLiteral("[oledb]\r\n; Everything after this line is an OLE DB initstring\r\n"
                                        "Provider=SQLite;Data Source=C:\\db\\calls.vdb;"
                                        "Jet OLEDB:System database=C:\\db\\calls.vwg;Mode=Share Deny None\r\n");
    f.write("\xFF\xFE");
    f.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    f.close();
    const ConnectionInfo info = LinkFile::read(path);
    EXPECT_EQ(info.provider, QStringLiteral("SQLite"));
    EXPECT_EQ(info.dataSource, QStringLiteral("C:\\db\\calls.vdb"));
    EXPECT_EQ(info.systemDb, QStringLiteral("C:\\db\\calls.vwg"));
}

TEST(LinkFile, MalformedOrMissingFilesAreNamedInTheMessage)
{
    QTemporaryDir dir;
    const char *bodies[] = {"", "[oledb]\r\n; comment only\r\n", "Data Source=x.vdb;",
                            "Provider=SQLite;Data Source=\"unterminated;", "Provider=SQLite;garbage",
                            "Provider=SQLite;"};
    for (const char *body : bodies) {
        SCOPED_TRACE(body);
        const QString path = dir.filePath(QStringLiteral("bad.udl"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(body);
        f.close();
        try {
            LinkFile::read(path);
            ADD_FAILURE() << "read";
        } catch (const DbError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("bad.udl"))) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("malformed"))) << e.message().toStdString();
        }
    }
    EXPECT_THROW(LinkFile::read(dir.filePath(QStringLiteral("none.udl"))), DbError);
}

} // namespace
