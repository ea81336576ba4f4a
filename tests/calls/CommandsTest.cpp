#include "CallsCommands.h"
#include "CallsFixture.h"
#include "DBNavigator.h"
#include "TActionsForm.h"
#include "TCallForm.h"
#include "TCallsActionsForm.h"

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

} // namespace
