#include "AppSettings.h"
#include "LinkFile.h"
#include "Prompter.h"
#include "TestDatabase.h"
#include "VellomarProgram.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The whole program on a seeded database, with scripted answers and private settings.
class Startup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto p = std::make_unique<ScriptedPrompter>();
        prompter = p.get();
        Prompter::install(std::move(p));
        AppSettings::setStoreFile(db.path(QStringLiteral("settings.ini")));
        db.addUser(QStringLiteral("mike"), QStringLiteral("pw123"), {QStringLiteral("CallManagers")});
        LinkFile::write(db.path(QStringLiteral("vellomar.udl")), db.info());
        program = std::make_unique<VellomarProgram>(db.path(QStringLiteral("vellomar")));
        program->splashMilliseconds = 0;
        program->form().show();
    }
    void TearDown() override { AppSettings::setStoreFile(QString()); }

    DatabaseConnection::LoginDialog login(QList<std::pair<QString, QString>> answers)
    {
        return [this, answers](SessionState &s) mutable {
            ++logins;
            if (answers.isEmpty())
                return false;
            std::tie(s.UserName, s.Password) = answers.takeFirst();
            return true;
        };
    }

    TestDatabase db;
    ScriptedPrompter *prompter = nullptr;
    std::unique_ptr<VellomarProgram> program;
    int logins = 0;
};

TEST_F(Startup, LoadsConstantsDatasetsParametersAndRights)
{
    ASSERT_TRUE(program->FormShow(login({{"mike", "wrong"}, {"mike", "pw123"}})));
    EXPECT_EQ(prompter->texts(), QStringList{QString::fromLatin1(kLoginFailedText)});
    TDataModule1 *dm = program->dataModule();
    ASSERT_NE(dm, nullptr);
    for (Dataset *d : dm->datasetsInOrder()) {
        const bool skipped = d->objectName() == QLatin1String("ADOQuery1") ||
                             d->objectName() == QLatin1String("ValueCategoryADOTable") ||
                             d->objectName() == QLatin1String("ValueListADOTable");
        EXPECT_EQ(d->isActive(), !skipped) << d->objectName().toStdString();
    }
    EXPECT_GT(program->constants().StatusClosedID, 0);
    EXPECT_DOUBLE_EQ(program->parameters().DueDateDuration, 2.0);
    EXPECT_EQ(program->form().Session.RightsLevel, 3);
    EXPECT_TRUE(program->form().action(QStringLiteral("OptionsSetup"))->isVisible());
    EXPECT_FALSE(program->form().action(QStringLiteral("UsersGroupsAction"))->isVisible());
    EXPECT_TRUE(program->form().isVisible());
}

TEST_F(Startup, CancelledLoginClosesTheWindowAndLoadsNothing)
{
    EXPECT_FALSE(program->FormShow(login({})));
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(program->dataModule(), nullptr);
    EXPECT_FALSE(program->form().isVisible());
    // The settings are still written at close.
    EXPECT_TRUE(QFile::exists(db.path(QStringLiteral("settings.ini"))));
}

TEST_F(Startup, MissingSeedValueIsReportedButALostCategoryStopsTheStart)
{
    auto e = db.open();
    e->execute(QStringLiteral("UPDATE tblValuesList SET Description = 'Done' WHERE Description = 'Closed'"));
    ASSERT_TRUE(program->FormShow(login({{"mike", "pw123"}})));
    EXPECT_EQ(prompter->texts(), QStringList{QStringLiteral("Failed to get Status Closed Value in LoadDBConstants")});

    prompter->messages.clear();
    e->execute(QStringLiteral("UPDATE tblValueCategory SET ValueCategory = 'Statuses' WHERE ValueCategory = 'Status'"));
    VellomarProgram second(db.path(QStringLiteral("vellomar")));
    second.splashMilliseconds = 0;
    second.form().show();
    EXPECT_FALSE(second.FormShow(login({{"mike", "pw123"}})));
    ASSERT_EQ(prompter->texts().size(), 1);
    EXPECT_TRUE(prompter->texts().first().endsWith(QStringLiteral(" in LoaddbConstants")));
    EXPECT_FALSE(second.form().isVisible());
}

TEST_F(Startup, ArchiveOpensReadOnlyAndLiveDataComesBack)
{
    ASSERT_TRUE(program->FormShow(login({{"mike", "pw123"}})));
    const QString archive = db.path(QStringLiteral("calls2001.vdb"));
    {
        auto e = db.open();
        e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName) VALUES ('Old Co')"));
    }
    ASSERT_TRUE(QFile::copy(db.databasePath(), archive));
    prompter->fileAnswers = {archive};
    program->ViewArchiveActionExecute();
    EXPECT_TRUE(prompter->texts().isEmpty()) << prompter->texts().join(u'|').toStdString();
    EXPECT_TRUE(program->connection().isReadOnly());
    EXPECT_EQ(program->form().windowTitle(), QStringLiteral("Vellomar Viewing ") + archive + QStringLiteral(" Read Only"));
    EXPECT_TRUE(program->form().action(QStringLiteral("ReOpenMainDBAction"))->isVisible());
    program->form().MainActionListUpdate();
    EXPECT_FALSE(program->form().action(QStringLiteral("CallsAddNew"))->isVisible());
    EXPECT_TRUE(program->dataModule()->OrgADOQuery->isActive());
    EXPECT_EQ(LinkFile::read(db.path(QStringLiteral("vellomar.udl"))).dataSource, db.databasePath());

    program->ReOpenMainDBActionExecute();
    EXPECT_FALSE(program->connection().isReadOnly());
    EXPECT_EQ(program->form().windowTitle(), QStringLiteral("Vellomar"));
    EXPECT_FALSE(program->form().action(QStringLiteral("ReOpenMainDBAction"))->isVisible());
    program->form().MainActionListUpdate();
    EXPECT_TRUE(program->form().action(QStringLiteral("CallsAddNew"))->isVisible());

    // An archive that is not a database leaves a clear message and the connection closed.
    QFile junk(db.path(QStringLiteral("junk.vdb")));
    junk.open(QIODevice::WriteOnly);
    junk.write(QByteArray(8192, 'x'));
    junk.close();
    prompter->fileAnswers = {db.path(QStringLiteral("junk.vdb"))};
    program->ViewArchiveActionExecute();
    ASSERT_EQ(prompter->texts().size(), 1);
    EXPECT_TRUE(prompter->texts().first().contains(QStringLiteral("not a database"))) << prompter->texts().first().toStdString();
    EXPECT_FALSE(program->connection().isOpen());
}

} // namespace
