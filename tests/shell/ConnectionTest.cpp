#include "DatabaseConnection.h"
#include "Dataset.h"
#include "LinkFile.h"
#include "Prompter.h"
#include "TKELDLoginDlg.h"
#include "TestDatabase.h"

#include <QFile>
#include <QLineEdit>

namespace {

class Connection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto p = std::make_unique<ScriptedPrompter>();
        prompter = p.get();
        Prompter::install(std::move(p));
        db.addUser(QStringLiteral("carol"), QStringLiteral("right1"), {QStringLiteral("CallUsers")});
    }

    // The login dialog answered from a list of (user, password); nothing left: Cancel.
    DatabaseConnection::LoginDialog answers(QList<std::pair<QString, QString>> list)
    {
        return [this, list](SessionState &s) mutable {
            ++logins;
            if (list.isEmpty())
                return false;
            const auto [user, password] = list.takeFirst();
            s.UserName = user;
            s.Password = password;
            return true;
        };
    }

    QString program() const { return db.path(QStringLiteral("vellomar")); }

    TestDatabase db;
    ScriptedPrompter *prompter = nullptr;
    DatabaseConnection connection;
    SessionState session;
    int logins = 0;
};

TEST_F(Connection, LinkFileIsWrittenFromTheSettingsAndThenUsedUnchanged)
{
    session.DataSource = db.databasePath();
    session.SystemDb = db.workgroupPath();
    ASSERT_TRUE(connection.ConnectDatabase(session, program(), answers({{"carol", "right1"}})));
    EXPECT_EQ(session.LinkFile, db.path(QStringLiteral("vellomar.udl")));
    const ConnectionInfo written = LinkFile::read(session.LinkFile);
    EXPECT_EQ(written.provider, QStringLiteral("SQLite"));
    EXPECT_EQ(written.dataSource, db.databasePath());
    EXPECT_TRUE(prompter->messages.isEmpty());

    // Later starts use the file even when the settings say something else, or nothing.
    DatabaseConnection again;
    SessionState fresh;
    fresh.DataSource = QStringLiteral("/nowhere/else.vdb");
    ASSERT_TRUE(again.ConnectDatabase(fresh, program(), answers({{"carol", "right1"}})));
    EXPECT_EQ(again.engine()->connectionInfo().dataSource, db.databasePath());
}

TEST_F(Connection, NoLinkFileAndNoSettingsEndsTheStart)
{
    session.DataSource = db.databasePath();   // SystemDb missing
    EXPECT_FALSE(connection.ConnectDatabase(session, program(), answers({{"carol", "right1"}})));
    EXPECT_EQ(logins, 0);
    EXPECT_EQ(prompter->texts(), (QStringList{QStringLiteral(
                                      "Did not find registry entries for the database\r\n        Please "
                                      "contact your administrator\r\n     You may need to reinstall Vellomar")}));
    EXPECT_FALSE(QFile::exists(db.path(QStringLiteral("vellomar.udl"))));
}

TEST_F(Connection, WrongPasswordsAskAgainUntilRightOrCancelled)
{
    LinkFile::write(db.path(QStringLiteral("vellomar.udl")), db.info());
    ASSERT_TRUE(connection.ConnectDatabase(
        session, program(), answers({{"carol", "x"}, {"carol", "RIGHT1"}, {"nobody", "right1"}, {"Carol", "right1"}})));
    EXPECT_EQ(logins, 4);
    EXPECT_EQ(prompter->texts(), QStringList(3, QString::fromLatin1(kLoginFailedText)));
    EXPECT_TRUE(connection.isOpen());
    EXPECT_FALSE(connection.isReadOnly());

    // Cancel ends it, whatever came before.
    DatabaseConnection other;
    SessionState s;
    prompter->messages.clear();
    EXPECT_FALSE(other.ConnectDatabase(s, program(), answers({{"carol", "x"}})));
    EXPECT_EQ(prompter->texts().size(), 1);
    EXPECT_FALSE(other.isOpen());
}

TEST_F(Connection, ALinkToAMissingDatabaseFailsEveryAttempt)
{
    LinkFile::write(db.path(QStringLiteral("vellomar.udl")),
                    {QStringLiteral("SQLite"), db.path(QStringLiteral("gone.vdb")), db.workgroupPath()});
    EXPECT_FALSE(connection.ConnectDatabase(session, program(),
                                            answers({{"carol", "right1"}, {"carol", "right1"}})));
    EXPECT_EQ(prompter->texts(), QStringList(2, QString::fromLatin1(kLoginFailedText)));
    EXPECT_FALSE(QFile::exists(db.path(QStringLiteral("gone.vdb"))));
}

TEST_F(Connection, ArchivesGetTheirOwnLinkFileAndOpenReadOnly)
{
    const QString live = db.path(QStringLiteral("vellomar.udl"));
    EXPECT_EQ(DatabaseConnection::archiveLinkFile(program(), QStringLiteral("/old/calls2001.vdb"), live),
              db.path(QStringLiteral("calls2001.udl")));
    // An archive named like the program never replaces the live link file.
    EXPECT_EQ(DatabaseConnection::archiveLinkFile(program(), QStringLiteral("/old/vellomar.vdb"), live),
              db.path(QStringLiteral("vellomar.archive.udl")));

    LinkFile::write(live, db.info());
    ASSERT_TRUE(connection.ConnectDatabase(session, program(), answers({{"carol", "right1"}})));
    const QString archive = db.path(QStringLiteral("calls2001.vdb"));
    connection.close();
    QFile::copy(db.databasePath(), archive);
    const QString archiveLink = DatabaseConnection::archiveLinkFile(program(), archive, live);
    DatabaseConnection::WriteLinkFile(archiveLink, QStringLiteral("SQLite"), archive, db.workgroupPath());
    Engine *before = connection.engine();
    connection.openLinkFile(archiveLink, session, Engine::Mode::ReadOnly);
    EXPECT_EQ(connection.engine(), before);   // datasets stay bound to the same connection
    EXPECT_TRUE(connection.isReadOnly());
    EXPECT_EQ(LinkFile::read(live).dataSource, db.databasePath());
    connection.openLinkFile(live, session, Engine::Mode::ReadWriteShared);
    EXPECT_FALSE(connection.isReadOnly());
}

TEST_F(Connection, ConnectAllOpensEverythingButTheScratchAndCategoryTables)
{
    auto e = db.open();
    Dataset a(e.get()), scratch(e.get()), categories(e.get()), values(e.get());
    a.setObjectName(QStringLiteral("OrgADOQuery"));
    a.setSql(QStringLiteral("SELECT * FROM tblOrganization"));
    scratch.setObjectName(QStringLiteral("ADOQuery1"));
    categories.setObjectName(QStringLiteral("ValueCategoryADOTable"));
    categories.setTableName(QStringLiteral("tblValueCategory"));
    values.setObjectName(QStringLiteral("ValueListADOTable"));
    values.setTableName(QStringLiteral("tblValuesList"));
    ConnectAll({&a, &scratch, &categories, &values});
    EXPECT_TRUE(a.isActive());
    EXPECT_FALSE(scratch.isActive() || categories.isActive() || values.isActive());
}

TEST(LoginDialog, StartsWithTheAccountNameAndHidesThePassword)
{
    TKELDLoginDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Login"));
    EXPECT_EQ(dialog.UserNameEdit->text(), TKELDLoginDlg::operatingSystemUserName());
    EXPECT_EQ(dialog.PasswordEdit->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(dialog.PasswordEdit->text().isEmpty());
}

} // namespace
