#include "NavigationCommands.h"
#include "Prompter.h"
#include "TDataModule1.h"
#include "TKELDStatusBar.h"
#include "TestDatabase.h"

namespace {

// The shared datasets over a small database: two organisations with calls and actions.
class Navigation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto p = std::make_unique<ScriptedPrompter>();
        prompter = p.get();
        Prompter::install(std::move(p));
        for (const char *name : {"Acme", "Bravo"})
            e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName) VALUES (:n)"),
                       {{QStringLiteral("n"), QString::fromLatin1(name)}});
        for (int i = 0; i < 3; ++i)
            e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, DueDate) VALUES (1, :d)"),
                       {{QStringLiteral("d"), QDateTime(QDate(2026, 12, 12 + i), QTime(9, 0))}});
        e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, DueDate) VALUES (2, #12-20-2026 09:00:00#)"));
        e->execute(QStringLiteral("INSERT INTO tblAction (CallID, InputDate) VALUES (2, #12-12-2026 09:00:00#)"));
        e->execute(QStringLiteral("INSERT INTO tblAction (CallID, InputDate) VALUES (2, #12-12-2026 10:00:00#)"));
        dm = std::make_unique<TDataModule1>(e.get());
        for (Dataset *d : dm->datasetsInOrder())
            if (d != dm->ADOQuery1 && d != dm->ValueCategoryADOTable && d != dm->ValueListADOTable)
                d->open();
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();
    std::unique_ptr<TDataModule1> dm;
    ScriptedPrompter *prompter = nullptr;
};

TEST_F(Navigation, FindCallByNumberMovesToItsOrganisation)
{
    prompter->inputAnswers = {{true, QStringLiteral("4")}};
    NavigationCommands::FindCallByCallID(*dm);
    EXPECT_EQ(dm->OrgADOQuery->field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Bravo"));
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->field(QStringLiteral("CallID")).asInteger(), 4);
    EXPECT_EQ(prompter->questions, QStringList{QStringLiteral("Enter CallID")});
    EXPECT_TRUE(dm->ADOQuery1->sql().isEmpty());

    // Bad entries are refused with the message; -5 is searched quietly; Cancel does nothing.
    for (const char *typed : {"12a", "", "99999999999", "-5"}) {
        SCOPED_TRACE(typed);
        prompter->messages.clear();
        prompter->inputAnswers = {{true, QString::fromLatin1(typed)}};
        NavigationCommands::FindCallByCallID(*dm);
        const bool refused = QByteArray(typed) != "-5";
        EXPECT_EQ(prompter->texts(), refused ? QStringList{QStringLiteral("Please enter a valid whole number")}
                                             : QStringList{});
        EXPECT_EQ(dm->CallsByOrgIDADOQuery->field(QStringLiteral("CallID")).asInteger(), 4);
    }
    prompter->inputAnswers = {{false, QString()}};
    NavigationCommands::FindCallByCallID(*dm);
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->field(QStringLiteral("CallID")).asInteger(), 4);
}

TEST_F(Navigation, RefreshAllFindsTheSameRowsAgainAndClearsItsMessage)
{
    dm->CallsByOrgIDADOQuery->setRecNo(2);
    dm->ActionsByCallIDADOQuery->last();
    ASSERT_EQ(dm->CallsByOrgIDADOQuery->field(QStringLiteral("CallID")).asInteger(), 2);
    ASSERT_EQ(dm->ActionsByCallIDADOQuery->recordCount(), 2);
    ASSERT_EQ(dm->ActionsByCallIDADOQuery->field(QStringLiteral("ActionID")).asInteger(), 2);
    e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, DueDate) VALUES (1, #12-01-2026 09:00:00#)"));
    TKELDStatusBar bar;
    NavigationCommands::RefreshAll(*dm, &bar);
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->recordCount(), 4);
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->field(QStringLiteral("CallID")).asInteger(), 2);
    EXPECT_EQ(dm->ActionsByCallIDADOQuery->recNo(), 2);
    EXPECT_TRUE(bar.messageText().isEmpty());

    // The current call deleted elsewhere: the list stands on its first row.
    e->execute(QStringLiteral("DELETE FROM tblAction"));
    e->execute(QStringLiteral("DELETE FROM tblCall WHERE CallID = 2"));
    NavigationCommands::RefreshAll(*dm, &bar);
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->recNo(), 1);
    // A dataset being edited is left alone.
    dm->OrgADOQuery->edit();
    dm->OrgADOQuery->field(QStringLiteral("Phone")).setValue(QStringLiteral("0113"));
    NavigationCommands::RefreshAll(*dm, nullptr);
    EXPECT_EQ(dm->OrgADOQuery->state(), Dataset::State::Edit);
    dm->OrgADOQuery->cancel();
}

} // namespace
