#include "CallsCommands.h"
#include "CallsFixture.h"
#include "DBNavigator.h"
#include "TActionsForm.h"
#include "TCallForm.h"
#include "TCallsActionsForm.h"
#include "BandedGrid.h"
#include "TDBDateTimePanel.h"
#include "DBLookupCombo.h"
#include "DBMemo.h"

#include <QSqlQuery>
#include <QTest>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace {

// The commands as the program runs them: through the main window, with the browser open.
class CallsCommandsTest : public CallsFixture
{
protected:
    void SetUp() override
    {
        CallsFixture::SetUp();
        context = std::make_unique<CallsContext>(ctx());
        for (const CallsCommands::Command &command : CallsCommands::commands())
            main->setCommandHandler(QLatin1String(command.name),
                                    [this, run = command.run] { run(*context); });
        // The refresh is counted, not run.
        main->setCommandHandler(QStringLiteral("RefreshAll"), [this] { ++refreshes; });
        main->resize(1000, 700);
        main->show();
        main->execute(QStringLiteral("CallsActions1"));
        QApplication::processEvents();
    }

    void TearDown() override
    {
        main->ReleaseChildWindows();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CallsFixture::TearDown();
    }

    TCallsActionsForm *browser() { return qobject_cast<TCallsActionsForm *>(main->CallsActionsForm.data()); }
    TCallForm *callForm() { return qobject_cast<TCallForm *>(main->CallForm.data()); }
    TActionsForm *actionsForm() { return qobject_cast<TActionsForm *>(main->ActionsForm.data()); }
    bool enabled(const char *command)
    {
        main->MainActionListUpdate();
        return main->action(QLatin1String(command))->isEnabled();
    }
    void settle()
    {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    std::unique_ptr<CallsContext> context;
    int refreshes = 0;
};

TEST_F(CallsCommandsTest, AddingACallDisablesTheBrowserAndTheActionCommandsUntilTheEditorCloses)
{
    ASSERT_NE(browser(), nullptr);
    main->execute(QStringLiteral("CallsAddNew"));
    ASSERT_NE(callForm(), nullptr);
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->state(), Dataset::State::Insert);
    EXPECT_FALSE(browser()->isEnabled());
    for (const char *held : {"ActionsAddNew", "ActionsZoomView", "OrgsPeople1"})
        EXPECT_FALSE(enabled(held)) << held;
    EXPECT_TRUE(enabled("CallsZoomView"));

    // The refresh timer finds the browser disabled and leaves the new row alone.
    main->activateChild(browser());
    main->Timer1Timer();
    EXPECT_EQ(refreshes, 0);

    // A second "Calls" while the editor adds keeps the one editor; the call being entered is
    // saved as the next one starts.
    QPointer<TCallForm> first = callForm();
    main->execute(QStringLiteral("CallsAddNew"));
    EXPECT_EQ(callForm(), first.data());
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->state(), Dataset::State::Insert);

    callForm()->CancelButtonClick();
    settle();
    EXPECT_EQ(callForm(), nullptr);
    EXPECT_TRUE(browser()->isEnabled());
    for (const char *released : {"ActionsAddNew", "ActionsZoomView", "OrgsPeople1"})
        EXPECT_TRUE(enabled(released)) << released;
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->recordCount(), 3);
}

TEST_F(CallsCommandsTest, AddingAnActionNeedsACall)
{
    // Bravo's one call is closed and the browser lists open calls only.
    dm->OrgADOQuery->last();
    e->execute(QStringLiteral("UPDATE tblCall SET StatusID = :s WHERE OrgID = 2"),
               {{QStringLiteral("s"), constants.StatusClosedID}});
    browser()->RebuildLists();
    ASSERT_TRUE(dm->CallsByOrgIDADOQuery->isEmpty());
    main->execute(QStringLiteral("ActionsAddNew"));
    EXPECT_EQ(prompter->texts(), QStringList{QStringLiteral("Add a Call before adding an Action")});
    EXPECT_EQ(actionsForm(), nullptr);
    // The zooms do nothing on empty lists.
    main->execute(QStringLiteral("CallsZoomView"));
    main->execute(QStringLiteral("ActionsZoomView"));
    EXPECT_EQ(callForm(), nullptr);
    EXPECT_EQ(actionsForm(), nullptr);
}

TEST_F(CallsCommandsTest, AddingAnActionHoldsCallsAndTheEditorFollowsTheActions)
{
    main->execute(QStringLiteral("ActionsAddNew"));
    ASSERT_NE(actionsForm(), nullptr);
    EXPECT_EQ(dm->ActionsByCallIDADOQuery->state(), Dataset::State::Insert);
    EXPECT_FALSE(enabled("CallsAddNew"));
    EXPECT_FALSE(browser()->isEnabled());
    actionsForm()->CancelButtonClick();
    settle();
    EXPECT_EQ(actionsForm(), nullptr);
    EXPECT_TRUE(enabled("CallsAddNew"));
    EXPECT_TRUE(browser()->isEnabled());

    // Zoom opens the current action read only; a second zoom only brings it forward.
    main->execute(QStringLiteral("ActionsZoomView"));
    ASSERT_NE(actionsForm(), nullptr);
    EXPECT_TRUE(actionsForm()->CloseActionButton->isVisibleTo(actionsForm()));
    QPointer<TActionsForm> zoomed = actionsForm();
    main->execute(QStringLiteral("ActionsZoomView"));
    EXPECT_EQ(actionsForm(), zoomed.data());
    EXPECT_TRUE(browser()->isEnabled());
}

TEST_F(CallsCommandsTest, BrowserIndicatorsFollowTheSharedDatasets)
{
    EXPECT_EQ(browser()->OrgPositionLabel->text(), QStringLiteral("1/2"));
    EXPECT_EQ(browser()->CallsPositionLabel->text(), QStringLiteral("1/2"));
    dm->CallsByOrgIDADOQuery->next();
    EXPECT_EQ(browser()->CallsPositionLabel->text(), QStringLiteral("2/2"));
    EXPECT_EQ(browser()->ActionsPositionLabel->text(), QStringLiteral("None"));
    dm->OrgADOQuery->next();
    EXPECT_EQ(browser()->OrgPositionLabel->text(), QStringLiteral("2/2"));
    EXPECT_EQ(browser()->CallsPositionLabel->text(), QStringLiteral("1/1"));

    // With "All Orgs" the organisation follows the current call.
    browser()->AllOrgsCheckBox->setChecked(true);
    dm->CallsByOrgIDADOQuery->first();
    EXPECT_EQ(dm->OrgADOQuery->field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Acme"));
    EXPECT_EQ(browser()->OrgPositionLabel->text(), QStringLiteral("1/2"));
}

// One call from its first word to its resolution, the way a user goes: keys on the browser,
// typing and choosing in the editors, their buttons, and the answers to their questions.
TEST_F(CallsCommandsTest, TheRoadOfOneCall)
{
    parameters.AutoGenerateAction = true;
    parameters.AllowCompleteCall = true;
    BandedGrid *grid = browser()->CallsdxDBGrid;
    auto settleAfter = [this] { settle(); };

    // Ctrl+L: a new call of the current organisation.
    QTest::keyClick(grid, Qt::Key_L, Qt::ControlModifier);
    ASSERT_NE(callForm(), nullptr) << "Ctrl+L opened no call editor";
    TCallForm *call = callForm();
    QTest::keyClicks(call->NotesDBMemo, "Printer jams on every page");
    QTest::keyClick(call->OwnerDBLookupCombo, Qt::Key_Down);      // Sam, the one member of staff
    QTest::keyClick(call->ContactDBLookupCombo, Qt::Key_Down);
    QTest::keyClick(call->ContactDBLookupCombo, Qt::Key_Down);    // Carol, after Sam
    QTest::mouseClick(call->DoneButton, Qt::LeftButton);
    settleAfter();
    ASSERT_EQ(callForm(), nullptr);
    Dataset &calls = *dm->CallsByOrgIDADOQuery;
    Dataset &actions = *dm->ActionsByCallIDADOQuery;
    ASSERT_EQ(calls.recordCount(), 3);
    EXPECT_EQ(calls.field(QStringLiteral("Notes")).asString(), QStringLiteral("Printer jams on every page"));
    EXPECT_EQ(calls.field(QStringLiteral("ContactName")).asString(), QStringLiteral("Carol  Contact"));
    const int callId = calls.field(QStringLiteral("CallID")).asInteger();
    // Its first action came with it.
    ASSERT_EQ(actions.recordCount(), 1);
    EXPECT_EQ(actions.field(QStringLiteral("InputBy")).asString(), QStringLiteral("Boss"));
    EXPECT_TRUE(browser()->isEnabled());

    // Ctrl+A: a follow-up action, a minute later.
    Clock::set([] { return kNow.addSecs(60); });
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    ASSERT_NE(actionsForm(), nullptr) << "Ctrl+A opened no action editor";
    QTest::keyClicks(actionsForm()->NotesDBMemo, "Engineer booked for Monday");
    QTest::mouseClick(actionsForm()->DoneButton, Qt::LeftButton);
    settleAfter();
    ASSERT_EQ(actionsForm(), nullptr);
    ASSERT_EQ(actions.recordCount(), 2);
    EXPECT_EQ(actions.field(QStringLiteral("Notes")).asString(), QStringLiteral("Engineer booked for Monday"));

    // Ctrl+M, "Close Action", Yes: the action leaves the open-only list.
    QTest::keyClick(grid, Qt::Key_M, Qt::ControlModifier);
    ASSERT_NE(actionsForm(), nullptr) << "Ctrl+M opened no action editor";
    prompter->confirmAnswers = {true};
    QTest::mouseClick(actionsForm()->CloseActionButton, Qt::LeftButton);
    settleAfter();
    EXPECT_EQ(actions.recordCount(), 1);

    // Ctrl+Z, "Close Call", Yes, resolution "Fixed": the call and its open action are closed
    // and the call leaves the list.
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_NE(callForm(), nullptr) << "Ctrl+Z opened no call editor";
    const int fixed = scalar("SELECT ValueID FROM tblValuesList WHERE Description = 'Fixed'");
    callForm()->chooseResolution = [fixed] { return fixed; };
    prompter->confirmAnswers = {true};
    QTest::mouseClick(callForm()->CloseCallButton, Qt::LeftButton);
    settleAfter();
    EXPECT_EQ(callForm(), nullptr);
    EXPECT_EQ(calls.recordCount(), 2);
    EXPECT_EQ(prompter->questions.last(),
              QStringLiteral("Close this call and any open Actions are you sure?\r\n      You cannot undo this operation"));
    QSqlQuery stored = e->select(QStringLiteral("SELECT StatusID, ResolutionID, ResolvedDate FROM tblCall WHERE CallID = :c"),
                                 {{QStringLiteral("c"), callId}});
    ASSERT_TRUE(stored.next());
    EXPECT_EQ(stored.value(0).toInt(), constants.StatusClosedID);
    EXPECT_EQ(stored.value(1).toInt(), fixed);
    EXPECT_FALSE(stored.value(2).isNull());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM tblAction WHERE CallID = %1 AND StatusID <> %2")
                         .arg(callId).arg(constants.StatusClosedID).toLatin1().constData()),
              0);
}

TEST_F(CallsCommandsTest, NewOptionsReachTheOpenCallEditorOnly)
{
    const OptionsSetupHooks hooks = CallsCommands::optionsHooks(*context);
    hooks.dueDateDurationChanged(5.0);   // no call editor: nothing to tell
    main->execute(QStringLiteral("CallsAddNew"));
    ASSERT_NE(callForm(), nullptr);
    hooks.dueDateDurationChanged(5.5);
    EXPECT_EQ(callForm()->DueDateDBDateTimePanel->defaultOffset(), 5.5);
    hooks.browserDisplayChanged();
}

} // namespace
