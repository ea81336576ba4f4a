#include "AdminCommands.h"
#include "AdminTestSupport.h"
#include "AppSettings.h"
#include "LinkFile.h"
#include "TChangePasswordForm.h"
#include "TUsersGroupsForm.h"
#include "TestDatabase.h"
#include "VellomarProgram.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The whole program with the administration commands, logged in as one user.
class AdminCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings::setStoreFile(db.path(QStringLiteral("settings.ini")));
        LinkFile::write(db.path(QStringLiteral("vellomar.udl")), db.info());
    }
    void TearDown() override
    {
        program.reset();
        AppSettings::setStoreFile(QString());
    }

    void start(const QString &user, const QString &password)
    {
        program = std::make_unique<VellomarProgram>(db.path(QStringLiteral("vellomar")));
        program->splashMilliseconds = 0;
        installAdminCommands(*program);
        program->form().show();
        ASSERT_TRUE(program->FormShow([=](SessionState &s) {
            s.UserName = user;
            s.Password = password;
            return true;
        }));
    }

    bool visible(const char *command) const
    {
        return program->form().action(QString::fromLatin1(command))->isVisible();
    }

    TestDatabase db;
    ScriptedPrompter &prompter = scriptedPrompter();
    std::unique_ptr<VellomarProgram> program;
};

TEST_F(AdminCommands, OnlyAdministratorsSeeUserGroupMembership)
{
    struct Case
    {
        const char *user;
        const char *group;   // nullptr: none
        bool users, managers;
    };
    const Case cases[] = {
        {"ann1", "CallAdmins", true, true},
        {"mike", "CallManagers", false, true},
        {"carol", "CallUsers", false, false},
        {"rita", "CallReadUsers", false, false},
        {"nemo", nullptr, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.user);
        const QString user = QString::fromLatin1(c.user);
        db.addUser(user, QStringLiteral("pw123"),
                   c.group ? QStringList{QString::fromLatin1(c.group)} : QStringList());
        start(user, QStringLiteral("pw123"));
        EXPECT_EQ(visible("UsersGroupsAction"), c.users);
        for (const char *command : {"ValuesList1", "UrgencyFormOpen", "OptionsSetup"})
            EXPECT_EQ(visible(command), c.managers) << command;
        EXPECT_TRUE(visible("ChangePasswordAction"));
    }
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join(u'|').toStdString();
}

TEST_F(AdminCommands, UserGroupMembershipOpensOverTheMainWindowWithTheUserChosen)
{
    db.addUser(QStringLiteral("ann1"), QStringLiteral("pw123"), {QStringLiteral("CallAdmins")});
    start(QStringLiteral("ANN1"), QStringLiteral("pw123"));
    bool opened = false;
    whileModal<TUsersGroupsForm>([&](TUsersGroupsForm *form) {
        ASSERT_NE(form, nullptr);
        opened = true;
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Maintain Users and Groups"));
        EXPECT_EQ(form->parentWidget(), &program->form());
        EXPECT_EQ(form->chosenUser(), QStringLiteral("ann1"));
        form->CloseButton->click();
    });
    program->form().execute(QStringLiteral("UsersGroupsAction"));
    EXPECT_TRUE(opened);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join(u'|').toStdString();
}

TEST_F(AdminCommands, ReconnectsUseTheChangedPassword)
{
    db.addUser(QStringLiteral("carol"), QStringLiteral("secret1"), {QStringLiteral("CallUsers")});
    start(QStringLiteral("carol"), QStringLiteral("secret1"));
    whileModal<TChangePasswordForm>([](TChangePasswordForm *form) {
        ASSERT_NE(form, nullptr);
        form->OldPasswordEdit->setText(QStringLiteral("secret1"));
        form->NewPasswordEdit->setText(QStringLiteral("better1"));
        form->VerifyEdit->setText(QStringLiteral("better1"));
        form->OKButton->click();
    });
    program->form().execute(QStringLiteral("ChangePasswordAction"));
    EXPECT_EQ(prompter.texts(), QStringList{"Password Changed"});
    EXPECT_EQ(program->form().Session.Password, QStringLiteral("better1"));
    EXPECT_THROW(db.open(QStringLiteral("carol"), QStringLiteral("secret1")), DbError);

    // An archive, then the live data again: both log in with the new password.
    prompter.messages.clear();
    const QString archive = db.path(QStringLiteral("calls2001.vdb"));
    ASSERT_TRUE(QFile::copy(db.databasePath(), archive));
    prompter.fileAnswers = {archive};
    program->ViewArchiveActionExecute();
    EXPECT_TRUE(program->connection().isReadOnly());
    program->ReOpenMainDBActionExecute();
    EXPECT_TRUE(program->connection().isOpen());
    EXPECT_FALSE(program->connection().isReadOnly());
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join(u'|').toStdString();
}

} // namespace
