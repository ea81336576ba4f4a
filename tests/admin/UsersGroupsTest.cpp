#include "AdminTestSupport.h"
#include "Membership.h"
#include "TNewUserForm.h"
#include "TUsersGroupsForm.h"
#include "TestDatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QStringList entries(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

QStringList entries(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void selectEntry(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->setCurrentItem(found.first());
}

// ---- the lists, over whatever names a workgroup holds ------------------------------------

class UsersGroupsLists : public ::testing::Test
{
protected:
    void SetUp() override
    {
        catalog.userList = {"admin", "Boss", "ENGINE", "Creator", "Creators", "sam"};
        catalog.groupList = {"Users", "Admins", "callers", "CALLUSERS", "CallUsers", "CallADMINS",
                             "Callisto", "CallAdmins"};
        catalog.memberships["Boss"] = {"Users", "CallUsers", "Admins", "callers"};
        catalog.memberships["sam"] = {"Callisto", "Users"};
        session.UserName = QStringLiteral("BOSS");
    }

    ScriptedPrompter &prompter = scriptedPrompter();
    FakeCatalog catalog;
    SessionState session;
};

TEST_F(UsersGroupsLists, ShowUsersButTheBuiltInAccountsAndOnlyProgramGroups)
{
    TUsersGroupsForm form(catalog, session);
    form.FormShow();
    EXPECT_EQ(entries(form.UserNameComboBox), QStringList({"Boss", "Creators", "sam"}));
    EXPECT_EQ(form.chosenUser(), QStringLiteral("Boss"));   // the logged-in user, any case
    EXPECT_EQ(entries(form.AvailableGroupsListBox),
              QStringList({"CallADMINS", "Callisto", "CallAdmins"}));
    EXPECT_EQ(entries(form.MemberOfListBox), QStringList({"CallUsers"}));
    EXPECT_TRUE(form.UserInGroup(QStringLiteral("admins")));
    EXPECT_FALSE(form.UserInGroup(QStringLiteral("Callisto")));

    // Choosing another name refills the group lists.
    form.UserNameComboBox->setCurrentIndex(2);
    EXPECT_EQ(entries(form.AvailableGroupsListBox), QStringList({"CallUsers", "CallADMINS", "CallAdmins"}));
    EXPECT_EQ(entries(form.MemberOfListBox), QStringList({"Callisto"}));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(UsersGroupsLists, UnlistedLoggedInUserChoosesTheFirstEntry)
{
    for (const char *user : {"nobody", "Admin"}) {
        session.UserName = QString::fromLatin1(user);
        TUsersGroupsForm form(catalog, session);
        form.FormShow();
        EXPECT_EQ(form.chosenUser(), QStringLiteral("Boss")) << user;
    }
    // No users at all: nothing chosen, no groups of anyone, the buttons do nothing.
    catalog.userList = {"Admin", "Engine", "Creator"};
    TUsersGroupsForm empty(catalog, session);
    empty.FormShow();
    EXPECT_EQ(empty.chosenUser(), QString());
    EXPECT_EQ(entries(empty.MemberOfListBox), QStringList());
    selectEntry(empty.AvailableGroupsListBox, QStringLiteral("CallUsers"));
    empty.AddButtonClick();
    empty.DeleteButtonClick();
    EXPECT_TRUE(prompter.questions.isEmpty());
    EXPECT_EQ(catalog.memberships.value("Admin"), QStringList());
}

TEST_F(UsersGroupsLists, AdministratorsGroupIsRecognisedInAnyLetterCase)
{
    catalog.memberships["sam"] = {};
    session.UserName = QStringLiteral("sam");
    TUsersGroupsForm form(catalog, session);
    form.FormShow();
    for (const char *group : {"CallADMINS", "CallAdmins"}) {
        SCOPED_TRACE(group);
        selectEntry(form.AvailableGroupsListBox, QString::fromLatin1(group));
        form.AddButtonClick();
        EXPECT_EQ(catalog.memberships["sam"], QStringList({group, "Users", "Admins"}));
        selectEntry(form.MemberOfListBox, QString::fromLatin1(group));
        form.RemoveButtonClick();
        EXPECT_EQ(catalog.memberships["sam"], QStringList());
    }
}

// ---- memberships in a real workgroup ------------------------------------------------------

class UsersGroupsWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addUser(QStringLiteral("carol"), QStringLiteral("carol1"), {});
        db.open()->catalog().removeFromGroup(QStringLiteral("carol"), QStringLiteral("Users"));
        session.UserName = QStringLiteral("Boss");
        engine = db.open();
        form = std::make_unique<TUsersGroupsForm>(engine->catalog(), session);
        form->FormShow();
    }

    QStringList storedGroups(const QString &user) { return db.open()->catalog().groupsOf(user); }

    void choose(const QString &user)
    {
        form->UserNameComboBox->setCurrentIndex(form->UserNameComboBox->findText(user));
        ASSERT_EQ(form->chosenUser(), user);
    }

    // The window's lists agree with a fresh fill from the store.
    void expectListsMatchTheStore()
    {
        const QStringList available = entries(form->AvailableGroupsListBox);
        const QStringList memberOf = entries(form->MemberOfListBox);
        form->FillGroupLists();
        EXPECT_EQ(available, entries(form->AvailableGroupsListBox));
        EXPECT_EQ(memberOf, entries(form->MemberOfListBox));
    }

    TestDatabase db;
    ScriptedPrompter &prompter = scriptedPrompter();
    SessionState session;
    std::unique_ptr<SqliteEngine> engine;
    std::unique_ptr<TUsersGroupsForm> form;
};

TEST_F(UsersGroupsWindow, FirstProgramGroupJoinsUsersAndTheLastOneLeavesIt)
{
    EXPECT_EQ(entries(form->UserNameComboBox), QStringList({"Boss", "carol"}));
    choose(QStringLiteral("carol"));
    EXPECT_EQ(entries(form->AvailableGroupsListBox),
              QStringList({"CallAdmins", "CallManagers", "CallUsers", "CallReadUsers"}));

    selectEntry(form->AvailableGroupsListBox, QStringLiteral("CallUsers"));
    form->AddButton->click();
    EXPECT_EQ(storedGroups("carol"), QStringList({"CallUsers", "Users"}));
    EXPECT_EQ(entries(form->MemberOfListBox), QStringList({"CallUsers"}));
    expectListsMatchTheStore();

    selectEntry(form->AvailableGroupsListBox, QStringLiteral("CallReadUsers"));
    form->AddButton->click();
    EXPECT_EQ(storedGroups("carol"), QStringList({"CallUsers", "Users", "CallReadUsers"}));

    selectEntry(form->MemberOfListBox, QStringLiteral("CallUsers"));
    form->RemoveButton->click();
    EXPECT_EQ(storedGroups("carol"), QStringList({"Users", "CallReadUsers"}));
    EXPECT_EQ(entries(form->AvailableGroupsListBox).last(), QStringLiteral("CallUsers"));

    selectEntry(form->MemberOfListBox, QStringLiteral("CallReadUsers"));
    form->RemoveButton->click();
    EXPECT_EQ(storedGroups("carol"), QStringList());
    EXPECT_EQ(entries(form->MemberOfListBox), QStringList());
    expectListsMatchTheStore();
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join(u'|').toStdString();
}

TEST_F(UsersGroupsWindow, AdministratorsGroupBringsAdminsInAndTakesItOut)
{
    choose(QStringLiteral("carol"));
    selectEntry(form->AvailableGroupsListBox, QStringLiteral("CallAdmins"));
    form->AddButton->click();
    EXPECT_EQ(storedGroups("carol"), QStringList({"CallAdmins", "Users", "Admins"}));
    selectEntry(form->AvailableGroupsListBox, QStringLiteral("CallManagers"));
    form->AddButton->click();

    selectEntry(form->MemberOfListBox, QStringLiteral("CallAdmins"));
    form->RemoveButton->click();
    EXPECT_EQ(storedGroups("carol"), QStringList({"Users", "CallManagers"}));
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join(u'|').toStdString();
}

TEST_F(UsersGroupsWindow, AddAndRemoveWithoutASelectionDoNothing)
{
    choose(QStringLiteral("carol"));
    form->AvailableGroupsListBox->setCurrentRow(0);
    form->AvailableGroupsListBox->clearSelection();
    form->AddButton->click();
    form->RemoveButton->click();
    EXPECT_EQ(storedGroups("carol"), QStringList());
    EXPECT_EQ(form->AvailableGroupsListBox->count(), 4);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(UsersGroupsWindow, EngineRefusalsShowItsTextAndLeaveTheListsAlone)
{
    // Another workstation puts carol in CallUsers after the window filled its lists.
    choose(QStringLiteral("carol"));
    db.open()->catalog().addToGroup(QStringLiteral("carol"), QStringLiteral("CallUsers"));
    const QStringList available = entries(form->AvailableGroupsListBox);
    selectEntry(form->AvailableGroupsListBox, QStringLiteral("CallUsers"));
    form->AddButton->click();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("already a member")))
        << prompter.messages[0].text.toStdString();
    EXPECT_EQ(entries(form->AvailableGroupsListBox), available);
    EXPECT_EQ(storedGroups("carol"), QStringList({"CallUsers"}));
    // Choosing the name again shows the store.
    choose(QStringLiteral("Boss"));
    choose(QStringLiteral("carol"));
    EXPECT_EQ(entries(form->MemberOfListBox), QStringList({"CallUsers"}));

    // A manager may look but not change: the engine says so.
    prompter.messages.clear();
    db.addUser(QStringLiteral("mike"), QStringLiteral("mike1"), {QStringLiteral("CallManagers")});
    auto managerEngine = db.open(QStringLiteral("mike"), QStringLiteral("mike1"));
    SessionState manager;
    manager.UserName = QStringLiteral("mike");
    TUsersGroupsForm managerForm(managerEngine->catalog(), manager);
    managerForm.FormShow();
    EXPECT_EQ(managerForm.chosenUser(), QStringLiteral("mike"));
    selectEntry(managerForm.AvailableGroupsListBox, QStringLiteral("CallAdmins"));
    managerForm.AddButton->click();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("permission")));
    EXPECT_EQ(entries(managerForm.MemberOfListBox), QStringList({"CallManagers"}));
    EXPECT_EQ(storedGroups("mike"), QStringList({"Users", "CallManagers"}));
}

TEST_F(UsersGroupsWindow, UsersStaysWhileTheStoreStillHoldsAProgramGroup)
{
    // The window shows carol in CallUsers only; meanwhile another administrator adds
    // CallReadUsers. Removing CallUsers must not take carol out of Users.
    db.open()->catalog().addToGroup(QStringLiteral("carol"), QStringLiteral("CallUsers"));
    db.open()->catalog().addToGroup(QStringLiteral("carol"), QStringLiteral("Users"));
    choose(QStringLiteral("carol"));
    db.open()->catalog().addToGroup(QStringLiteral("carol"), QStringLiteral("CallReadUsers"));
    selectEntry(form->MemberOfListBox, QStringLiteral("CallUsers"));
    form->RemoveButton->click();
    EXPECT_EQ(storedGroups("carol"), QStringList({"Users", "CallReadUsers"}));
}

// ---- New and Delete -----------------------------------------------------------------------

TEST(NewUserDialog, AcceptsNamesOf4To20Characters)
{
    ScriptedPrompter &prompter = scriptedPrompter();
    const std::pair<int, bool> cases[] = {{0, false}, {3, false}, {4, true}, {20, true}, {21, false}};
    for (const auto &[length, accepted] : cases) {
        SCOPED_TRACE(length);
        prompter.messages.clear();
        TNewUserForm dialog;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New User"));
        dialog.show();
        QTest::keyClicks(dialog.NameEdit, QString(length, QLatin1Char('n')));
        QTest::keyClick(dialog.NameEdit, Qt::Key_Return);   // OK is the default button
        EXPECT_EQ(dialog.isVisible(), !accepted);
        EXPECT_EQ(dialog.result(), accepted ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(prompter.texts(),
                  accepted ? QStringList()
                           : QStringList{"User Name must be between 4 and 20 characters in length"});
        if (!accepted) {
            EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Plain);
        }
    }
}

TEST_F(UsersGroupsWindow, NewUserStartsWithoutPasswordOrGroupsAndIsChosen)
{
    whileModal<TNewUserForm>([](TNewUserForm *dialog) {
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->NameEdit, QStringLiteral("dave"));
        dialog->OKButton->click();
    });
    form->NewButtonClick();
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join(u'|').toStdString();
    EXPECT_EQ(entries(form->UserNameComboBox), QStringList({"Boss", "carol", "dave"}));
    EXPECT_EQ(form->chosenUser(), QStringLiteral("dave"));
    EXPECT_EQ(entries(form->MemberOfListBox), QStringList());
    EXPECT_EQ(form->AvailableGroupsListBox->count(), 4);
    EXPECT_EQ(storedGroups("dave"), QStringList());
    EXPECT_NO_DB_ERROR(db.open(QStringLiteral("dave"), QString()));

    // Cancel adds no one and chooses the first entry.
    whileModal<TNewUserForm>([](TNewUserForm *dialog) { ASSERT_NE(dialog, nullptr); });
    form->NewButtonClick();
    EXPECT_EQ(entries(form->UserNameComboBox), QStringList({"Boss", "carol", "dave"}));
    EXPECT_EQ(form->chosenUser(), QStringLiteral("Boss"));
    EXPECT_EQ(entries(form->MemberOfListBox), QStringList({"CallAdmins"}));
}

TEST_F(UsersGroupsWindow, NamesTheEngineRefusesCreateNothing)
{
    choose(QStringLiteral("carol"));
    const QString cases[] = {QStringLiteral("BOSS"), QStringLiteral("CallUsers"),
                             QStringLiteral("ab;cd")};
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        prompter.messages.clear();
        whileModal<TNewUserForm>([name](TNewUserForm *dialog) {
            ASSERT_NE(dialog, nullptr);
            dialog->NameEdit->setText(name);
            dialog->OKButton->click();
        });
        form->NewButton->click();
        ASSERT_EQ(prompter.messages.size(), 1);
        EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
        EXPECT_EQ(db.open()->catalog().users(), engine->catalog().users());
        EXPECT_EQ(entries(form->UserNameComboBox), QStringList({"Boss", "carol"}));
        EXPECT_EQ(form->chosenUser(), QStringLiteral("carol"));
    }
    EXPECT_FALSE(db.open()->catalog().users().contains(QStringLiteral("ab;cd")));
}

TEST_F(UsersGroupsWindow, DeleteAsksThenRemovesAndChoosesTheLoggedInUser)
{
    choose(QStringLiteral("carol"));
    prompter.confirmAnswers = {false};
    form->DeleteButton->click();
    EXPECT_EQ(prompter.questions, QStringList{"Delete user carol are you sure?"});
    EXPECT_TRUE(engine->catalog().users().contains(QStringLiteral("carol")));
    EXPECT_EQ(form->chosenUser(), QStringLiteral("Boss"));   // either way

    choose(QStringLiteral("carol"));
    form->DeleteButton->click();   // Yes
    EXPECT_FALSE(engine->catalog().users().contains(QStringLiteral("carol")));
    EXPECT_EQ(entries(form->UserNameComboBox), QStringList({"Boss"}));
    EXPECT_EQ(form->chosenUser(), QStringLiteral("Boss"));
    EXPECT_EQ(entries(form->MemberOfListBox), QStringList({"CallAdmins"}));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(UsersGroupsWindow, DeletingTheLoggedInUserIsRefusedByTheEngine)
{
    form->DeleteButton->click();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("logged in")))
        << prompter.messages[0].text.toStdString();
    EXPECT_TRUE(engine->catalog().users().contains(QStringLiteral("Boss")));
    EXPECT_EQ(entries(form->UserNameComboBox), QStringList({"Boss", "carol"}));
}

} // namespace
