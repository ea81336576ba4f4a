#include "AdminCommandLine.h"
#include "PasswordHash.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Runs the command line in-process, answering prompts from a queue.
class AdminCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PasswordHash::setCost(PasswordHash::Cost::Minimal);
        qunsetenv("VELLOMAR_PASSWORD");
        qunsetenv("VELLOMAR_NEW_PASSWORD");
    }

    int run(const QStringList &args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        AdminCommandLine cli(o, e, [this](const QString &prompt, QString *secret) {
            prompts << prompt;
            if (answers.isEmpty())
                return false;
            *secret = answers.takeFirst();
            return true;
        });
        return cli.run(args);
    }

    QString db() const { return dir.filePath(QStringLiteral("calls.vdb")); }
    QString wg() const { return dir.filePath(QStringLiteral("calls.vwg")); }
    QString udl() const { return dir.filePath(QStringLiteral("calls.udl")); }
    QStringList conn() const { return {"--database", db(), "--workgroup", wg(), "--user", "Boss"}; }

    void create()
    {
        qputenv("VELLOMAR_PASSWORD", "");
        ASSERT_EQ(run({"create", "--database", db(), "--workgroup", wg(), "--admin", "Boss", "--link", udl()}), 0)
            << err.toStdString();
    }

    QTemporaryDir dir;
    QString out, err;
    QStringList answers, prompts;
};

TEST_F(AdminCli, BadUsageExitsTwoWithTheUsage)
{
    const QList<QStringList> bad{
        {},
        {"frobnicate"},
        {"create", "--database", "x.vdb"},
        {"query", "--user", "Boss", "SELECT 1"},                          // no connection
        {"query", "--link", "a.udl", "--database", "b.vdb", "--user", "x", "SELECT 1"},
        {"query", "--link", "a.udl", "--user", "x"},                      // no statement
        {"user", "add"},
        {"user", "list", "--password", "secret"},                          // never an argument
        {"group", "join", "onlyone"},
        {"demo-data", "--link", "a.udl", "--user", "x", "--orgs", "ten", "--people", "1",
         "--calls", "1", "--actions-per-call", "1", "--seed", "1"},
    };
    for (const QStringList &args : bad) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        EXPECT_EQ(run(args), 2);
        EXPECT_TRUE(err.contains(QStringLiteral("Usage: vellomar-admin"))) << err.toStdString();
        EXPECT_TRUE(prompts.isEmpty());
    }
}

TEST_F(AdminCli, CreatesOnceAndNeverOverwrites)
{
    create();
    EXPECT_TRUE(QFile::exists(db()) && QFile::exists(wg()) && QFile::exists(udl()));
    const QByteArray before = [&] { QFile f(wg()); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_EQ(run({"create", "--database", db(), "--workgroup", dir.filePath("other.vwg"), "--admin", "Boss"}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("already exists"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("other.vwg"))));
    QFile f(wg());
    f.open(QIODevice::ReadOnly);
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(AdminCli, QueryPrintsCsvAndCounts)
{
    create();
    const QStringList viaLink{"--link", udl(), "--user", "boss"};
    EXPECT_EQ(run(QStringList{"query"} + viaLink +
                  QStringList{"INSERT INTO tblOrganization (OrganizationName, Notes, InputDate) "
                              "VALUES (\"Smith, Jones & \"\"Partners\"\"\", 'two\nlines', #03-04-2005 06:07:08#)"}), 0)
        << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("1\n"));
    // Options after the statement, a real number, a null and a date-time.
    EXPECT_EQ(run(QStringList{"query", "SELECT OrgID, OrganizationName, Notes, InputDate, Town, 0.1 + 0.2 AS Sum "
                                       "FROM tblOrganization"} + viaLink), 0) << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("OrgID,OrganizationName,Notes,InputDate,Town,Sum\n"
                                  "1,\"Smith, Jones & \"\"Partners\"\"\",\"two\nlines\",2005-03-04 06:07:08,,"
                                  "0.30000000000000004\n"));
    EXPECT_EQ(run(QStringList{"query", "UPDATE tblValuesList SET Sequence = 9 WHERE ValueCategoryID = 2"} + viaLink), 0);
    EXPECT_EQ(out, QStringLiteral("6\n"));
    EXPECT_EQ(run(QStringList{"query", "SELECT Nonsense FROM tblCall"} + viaLink), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("no such column"))) << err.toStdString();
    EXPECT_EQ(run(QStringList{"query", "--read-only", "DELETE FROM tblOrganization"} + viaLink), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("readonly"))) << err.toStdString();
}

TEST_F(AdminCli, ManagesUsersAndGroupsWithPasswordsFromPromptsOrEnvironment)
{
    create();
    EXPECT_EQ(run(QStringList{"user", "add", "Grace"} + conn()), 0) << err.toStdString();
    EXPECT_EQ(run(QStringList{"group", "join", "Grace", "CallUsers"} + conn()), 0) << err.toStdString();
    EXPECT_EQ(run(QStringList{"group", "list", "--of", "grace"} + conn()), 0);
    EXPECT_EQ(out, QStringLiteral("CallUsers\n"));
    EXPECT_EQ(run(QStringList{"user", "list"} + conn()), 0);
    EXPECT_EQ(out, QStringLiteral("Admin\nEngine\nCreator\nBoss\nGrace\n"));

    // Grace sets her own password at the prompts (her empty login password, then the new one).
    qunsetenv("VELLOMAR_PASSWORD");
    answers = {"", "hopper42"};
    EXPECT_EQ(run({"user", "passwd", "Grace", "--database", db(), "--workgroup", wg(), "--user", "Grace"}), 0)
        << err.toStdString();
    EXPECT_EQ(prompts.size(), 2);
    qputenv("VELLOMAR_PASSWORD", "wrong");
    EXPECT_EQ(run({"query", "SELECT 1", "--database", db(), "--workgroup", wg(), "--user", "Grace"}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("password"))) << err.toStdString();
    qputenv("VELLOMAR_PASSWORD", "hopper42");
    EXPECT_EQ(run({"query", "SELECT 1 AS One", "--database", db(), "--workgroup", wg(), "--user", "Grace"}), 0);
    // A CallUsers member may not manage users, and the engine says so.
    EXPECT_EQ(run({"user", "add", "Heidi", "--database", db(), "--workgroup", wg(), "--user", "Grace"}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("permission"))) << err.toStdString();

    qputenv("VELLOMAR_PASSWORD", "");
    EXPECT_EQ(run(QStringList{"group", "leave", "Grace", "CallUsers"} + conn()), 0);
    EXPECT_EQ(run(QStringList{"user", "delete", "Grace"} + conn()), 0);
    EXPECT_EQ(run(QStringList{"user", "delete", "Grace"} + conn()), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("does not exist"))) << err.toStdString();
}

TEST_F(AdminCli, DemoDataFillsTheDatabase)
{
    create();
    EXPECT_EQ(run(QStringList{"demo-data", "--orgs", "5", "--people", "20", "--calls", "30",
                              "--actions-per-call", "2", "--seed", "7"} + conn()), 0) << err.toStdString();
    EXPECT_EQ(run(QStringList{"query", "SELECT count(*) AS n FROM tblAction"} + conn()), 0);
    EXPECT_EQ(out, QStringLiteral("n\n60\n"));
}

} // namespace
