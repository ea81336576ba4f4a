#include "TestDatabase.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>

namespace {

QByteArray digest(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

TEST(Engine, OpensThroughALinkFileAndRefusesWrongPasswords)
{
    TestDatabase db;
    db.addUser(QStringLiteral("carol"), QStringLiteral("secret1"), {QStringLiteral("CallUsers")});
    const QString link = db.path(QStringLiteral("vellomar.udl"));
    LinkFile::write(link, db.info());
    ConnectionInfo info;
    auto engine = Engine::forLinkFile(link, &info);
    // The name is found in any case and keeps the workgroup's spelling.
    EXPECT_NO_DB_ERROR(engine->open(info, QStringLiteral("CAROL"), QStringLiteral("secret1")));
    EXPECT_TRUE(engine->isOpen());
    EXPECT_EQ(engine->userName(), QStringLiteral("carol"));

    const struct { const char *user; const char *password; } wrong[] = {
        {"carol", "Secret1"}, {"carol", ""}, {"nobody", "secret1"},
        {"Admin", ""}, {"Engine", ""}, {"Creator", ""}, {"CallAdmins", ""}};
    for (const auto &w : wrong) {
        SCOPED_TRACE(w.user);
        SqliteEngine e;
        try {
            e.open(db.info(), QString::fromUtf8(w.user), QString::fromUtf8(w.password));
            ADD_FAILURE() << "logged in";
        } catch (const DbError &err) {
            EXPECT_EQ(err.kind(), DbError::Kind::Login) << err.message().toStdString();
        }
        EXPECT_FALSE(e.isOpen());
    }
}

TEST(Engine, BadFilesGiveClearMessages)
{
    TestDatabase db;
    QFile text(db.path(QStringLiteral("notes.vdb")));
    text.open(QIODevice::WriteOnly);
    text.write(QByteArray("This is not a database, just some text that is long enough.\n").repeated(200));
    text.close();
    QFile::copy(db.workgroupPath(), db.path(QStringLiteral("copy.vwg")));

    struct Case { const char *what; ConnectionInfo info; const char *message; };
    const Case cases[] = {
        {"missing database", {"SQLite", db.path("gone.vdb"), db.workgroupPath()}, "Could not find the database file"},
        {"missing workgroup", {"SQLite", db.databasePath(), db.path("gone.vwg")}, "Could not find the workgroup file"},
        {"text file as database", {"SQLite", db.path("notes.vdb"), db.workgroupPath()}, "not a database"},
        {"database as workgroup", {"SQLite", db.databasePath(), db.databasePath()}, "not a Vellomar workgroup"},
        {"workgroup as database", {"SQLite", db.workgroupPath(), db.path("copy.vwg")}, "not a Vellomar database"},
        {"unknown provider", {"Paradox", db.databasePath(), db.workgroupPath()}, "provider"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            auto e = Engine::forProvider(c.info.provider);
            e->open(c.info, QStringLiteral("Boss"), QString());
            ADD_FAILURE() << "opened";
        } catch (const DbError &err) {
            EXPECT_TRUE(err.message().contains(QLatin1String(c.message))) << err.message().toStdString();
        }
    }
    // A missing file is never created by trying to open it.
    EXPECT_FALSE(QFile::exists(db.path(QStringLiteral("gone.vdb"))));
}

TEST(Engine, ReadOnlyArchiveStaysByteIdentical)
{
    TestDatabase db;
    {
        auto e = db.open();
        e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName) VALUES ('Old Co')"));
    }
    // An archive is a closed copy of a database.
    const QString archive = db.path(QStringLiteral("calls2001.vdb"));
    ASSERT_TRUE(QFile::copy(db.databasePath(), archive));
    const QByteArray before = digest(archive);
    {
        SqliteEngine e;
        e.open({QStringLiteral("SQLite"), archive, db.workgroupPath()}, QStringLiteral("Boss"), QString(),
               Engine::Mode::ReadOnly);
        EXPECT_TRUE(e.isReadOnly());
        QSqlQuery q = e.select(QStringLiteral("SELECT OrganizationName FROM tblOrganization"));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("Old Co"));
        q.finish();
        try {
            e.execute(QStringLiteral("DELETE FROM tblOrganization"));
            ADD_FAILURE() << "wrote to an archive";
        } catch (const DbError &err) {
            EXPECT_EQ(err.kind(), DbError::Kind::ReadOnly) << err.message().toStdString();
        }
    }
    EXPECT_EQ(digest(archive), before);
}

TEST(Engine, BindsParametersByNameWhereverAndHoweverTheyAreWritten)
{
    TestDatabase db;
    auto e = db.open();
    e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName, Town) VALUES (:Name, :name)"),
               {{QStringLiteral("NAME"), QStringLiteral("O'Brien & Co")}});
    QSqlQuery q = e->select(QStringLiteral("SELECT count(*) FROM tblOrganization WHERE OrganizationName = :N "
                                           "AND Town = :N AND Notes IS :Missing"),
                            {{QStringLiteral("n"), QStringLiteral("o'brien & co")}});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
}

TEST(Engine, EngineErrorsCarryTheEngineText)
{
    TestDatabase db;
    auto e = db.open();
    EXPECT_DB_ERROR(e->select(QStringLiteral("SELECT Nonsense FROM tblCall")), QStringLiteral("no such column: Nonsense"));
    EXPECT_DB_ERROR(e->execute(QStringLiteral("SELEC 1")), QStringLiteral("syntax error"));
    EXPECT_DB_ERROR(e->execute(QStringLiteral("INSERT INTO tblPerson (OrgID) VALUES (424242)")),
                    QStringLiteral("FOREIGN KEY constraint failed"));
    e->close();
    EXPECT_DB_ERROR(e->select(QStringLiteral("SELECT 1")), QStringLiteral("not open"));
}

} // namespace
