#include "CallsFixture.h"

#include "ControlColors.h"

#include "DBEdit.h"
#include "DBLookupCombo.h"
#include "DBMemo.h"
#include "DBNavigator.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "ScratchQuery.h"
#include "TCallForm.h"
#include "TDBDateTimePanel.h"
#include "TDBGridPlus.h"
#include "TMemoPopupForm.h"
#include "TResTypeForm.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

QString S(const char *text) { return QString::fromUtf8(text); }

// The call editor in the main window as the "Calls" and "Zoom Calls" commands open it, with a
// stand-in for the browser that the editor disables and enables.
class CallEditor : public CallsFixture
{
protected:
    void SetUp() override
    {
        CallsFixture::SetUp();
        browser = new QWidget;
        main->addChild(browser);
        main->CallsActionsForm = browser;
        main->show();
    }

    Dataset &calls() const { return *dm->CallsByOrgIDADOQuery; }
    Dataset &actions() const { return *dm->ActionsByCallIDADOQuery; }

    TCallForm *openCallForm()
    {
        auto *w = new TCallForm(ctx());
        main->addChild(w);
        main->CallForm = w;
        return w;
    }

    // What "Calls" does: a new row through the window's navigator, then add mode, the browser
    // and three commands disabled until the window closes.
    TCallForm *openAdding()
    {
        TCallForm *w = openCallForm();
        w->DBNavigator1->doAction(DBNavigator::Insert);
        w->prepareAddMode();
        browser->setEnabled(false);
        for (const char *name : {"ActionsAddNew", "ActionsZoomView", "OrgsPeople1"})
            main->holdDisabled(main->action(QLatin1String(name)), w);
        return w;
    }

    TCallForm *openViewing()
    {
        TCallForm *w = openCallForm();
        w->prepareViewMode();
        return w;
    }

    QVariant value(const QString &sql)
    {
        QSqlQuery q = e->select(sql);
        return q.next() ? q.value(0) : QVariant();
    }
    int count(const char *table) { return value(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)).toInt(); }
    QVariant callValue(int callId, const char *column)
    {
        return value(QStringLiteral("SELECT %1 FROM tblCall WHERE CallID = %2").arg(QLatin1String(column)).arg(callId));
    }
    QDateTime dateOf(const QVariant &stored) { return QDateTime::fromString(stored.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")); }

    // The window is gone, its reference cleared, the browser and the held commands free again.
    void expectClosed(const QPointer<TCallForm> &w, const char *how)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull()) << how;
        EXPECT_TRUE(main->CallForm.isNull()) << how;
        EXPECT_TRUE(browser->isEnabled()) << how;
        for (const char *name : {"ActionsAddNew", "ActionsZoomView", "OrgsPeople1"})
            EXPECT_FALSE(main->isHeldDisabled(main->action(QLatin1String(name)))) << how << ' ' << name;
    }

    int resolutionId(const char *description)
    {
        return value(QStringLiteral("SELECT ValueID FROM tblValuesList WHERE Description = '%1'")
                         .arg(QLatin1String(description))).toInt();
    }

    QWidget *browser = nullptr;
};

} // namespace

// ---- adding a call -----------------------------------------------------------------------------

TEST_F(CallEditor, NewCallStartsWithTheDefaultsAndAnInputTimeInWholeSeconds)
{
    Clock::set([] { return kNow.addMSecs(750); });
    TCallForm *w = openAdding();
    const Dataset &c = calls();

    EXPECT_EQ(w->windowTitle(), "Call");
    EXPECT_EQ(w->objectName(), "CallForm");
    ASSERT_EQ(c.state(), Dataset::State::Insert);
    EXPECT_EQ(c.field("OrgID").asInteger(), 1);
    EXPECT_EQ(c.field("StatusID").asInteger(), constants.DefaultStatusID);
    EXPECT_EQ(c.field("TypeID").asInteger(), constants.DefaultCallTypeID);
    EXPECT_EQ(c.field("MethodID").asInteger(), constants.DefaultCallMethodID);
    EXPECT_TRUE(c.field("OwnerID").isNull());
    EXPECT_TRUE(c.field("ContactID").isNull());
    EXPECT_EQ(c.field("InputDate").asDateTime(), kNow);
    EXPECT_EQ(c.field("TimeStamp").asDateTime(), kNow);
    EXPECT_EQ(dm->LastInputTime(), kNow);
    EXPECT_EQ(c.field("DueDate").asDateTime(), kNow.addDays(2).addMSecs(750)) << "now + DueDateDuration";

    // The choosers show the defaults; everything is open for typing; the notes come first.
    EXPECT_EQ(w->StatusDBLookupCombo->currentText(), "Open");
    EXPECT_EQ(w->CallTypeDBLookupCombo->currentText(), "Fault");
    EXPECT_EQ(w->MethodDBLookupCombo->currentText(), "Phone");
    EXPECT_EQ(w->OwnerDBLookupCombo->currentIndex(), -1);
    EXPECT_EQ(w->RecordPositionLabel->text(), "Adding");
    EXPECT_EQ(w->PageControl1->currentWidget(), w->CallDetailsPage);
    EXPECT_FALSE(w->CloseCallButton->isVisible());
    EXPECT_EQ(w->DBNavigator1->visibleButtons(), DBNavigator::Buttons(DBNavigator::Cancel));
    EXPECT_EQ(w->focusWidget(), w->NotesDBMemo);
    EXPECT_FALSE(w->NotesDBMemo->isReadOnly());
    for (QWidget *control : std::initializer_list<QWidget *>{
             w->CallRefDBEdit, w->OwnerDBLookupCombo, w->ContactDBLookupCombo,
             w->CallTypeDBLookupCombo, w->MethodDBLookupCombo, w->StatusDBLookupCombo,
             w->DueDateDBDateTimePanel, w->UserFieldEdits[0]})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(w->ResolutionDBLookupCombo->isEnabled());
    EXPECT_EQ(w->NotesDBMemo->palette().color(QPalette::Base), ControlColors::kCream);
    EXPECT_EQ(w->IdentifierDBText->palette().color(QPalette::WindowText), ControlColors::kLime);
}

TEST_F(CallEditor, DoneSavesTheCallAndMakesItCurrentThoughTheListIsByDueDate)
{
    QPointer<TCallForm> w = openAdding();
    QTest::keyClicks(w->NotesDBMemo, "Printer on fire");
    QTest::keyClick(w->OwnerDBLookupCombo, Qt::Key_Down);   // the first (only) member of staff
    QTest::keyClick(w->ContactDBLookupCombo, Qt::Key_Down);
    QTest::keyClick(w->ContactDBLookupCombo, Qt::Key_Down);  // Carol, after Sam

    w->DoneButton->click();

    EXPECT_EQ(prompter->texts(), QStringList{});
    EXPECT_EQ(count("tblCall"), 4);
    EXPECT_EQ(count("tblAction"), 1) << "AutoGenerateAction is off";
    ASSERT_EQ(calls().state(), Dataset::State::Browse);
    EXPECT_EQ(calls().recordCount(), 3);
    EXPECT_EQ(calls().recNo(), 2) << "due between the other two";
    EXPECT_EQ(calls().field("CallID").asInteger(), 4);
    EXPECT_EQ(calls().field("Notes").asString(), "Printer on fire");
    EXPECT_EQ(calls().field("OwnerID").asInteger(), 1);
    EXPECT_EQ(calls().field("ContactID").asInteger(), 2);
    expectClosed(w, "Done");
}

TEST_F(CallEditor, FirstActionOfANewCallCarriesTheCallsFields)
{
    parameters.AutoGenerateAction = true;
    QPointer<TCallForm> w = openAdding();
    QTest::keyClicks(w->NotesDBMemo, "Boiler noise");
    QTest::keyClick(w->OwnerDBLookupCombo, Qt::Key_Down);
    QTest::keyClick(w->ContactDBLookupCombo, Qt::Key_Down);
    QTest::keyClick(w->ContactDBLookupCombo, Qt::Key_Down);
    const QDateTime due = calls().field("DueDate").asDateTime();

    w->DoneButton->click();

    ASSERT_EQ(prompter->texts(), QStringList{});
    EXPECT_EQ(value("SELECT COUNT(*) FROM tblAction WHERE CallID = 4").toInt(), 1);
    EXPECT_EQ(count("tblAction"), 2);
    ASSERT_EQ(calls().field("CallID").asInteger(), 4);
    const Dataset &a = actions();
    ASSERT_EQ(a.recordCount(), 1);
    EXPECT_EQ(a.field("CallID").asInteger(), 4);
    EXPECT_EQ(a.field("OwnerID").asInteger(), 1);
    EXPECT_EQ(a.field("OrgID").asInteger(), 1);
    EXPECT_EQ(a.field("ContactID").asInteger(), 2);
    EXPECT_EQ(a.field("MethodID").asInteger(), constants.DefaultCallMethodID);
    EXPECT_EQ(a.field("StatusID").asInteger(), constants.DefaultStatusID);
    EXPECT_EQ(a.field("DueDate").asDateTime(), due);
    EXPECT_EQ(a.field("InputDate").asDateTime(), kNow);
    EXPECT_EQ(a.field("InputBy").asString(), "Boss");
    EXPECT_EQ(a.field("Notes").asString(), "Boiler noise");
    EXPECT_TRUE(a.field("ActionRef").isNull());
    EXPECT_TRUE(a.field("TypeID").isNull());
    EXPECT_TRUE(a.field("User1").isNull());
    expectClosed(w, "Done");
}

TEST_F(CallEditor, EveryWayOfLeavingANewCallDropsItAndFreesTheBrowser)
{
    parameters.AutoGenerateAction = true;
    struct Case
    {
        const char *how;
        std::function<void(TCallForm *)> leave;
    };
    const Case cases[] = {
        {"Cancel", [](TCallForm *w) { w->CancelButton->click(); }},
        // The first Esc drops the text typed into the notes, the second the call.
        {"Esc twice in the notes",
         [](TCallForm *w) {
             QTest::keyClick(w->NotesDBMemo, Qt::Key_Escape);
             EXPECT_TRUE(w->isVisible());
             EXPECT_EQ(w->NotesDBMemo->toPlainText(), "");
             QTest::keyClick(w->NotesDBMemo, Qt::Key_Escape);
         }},
        {"Esc in a chooser", [](TCallForm *w) { QTest::keyClick(w->StatusDBLookupCombo, Qt::Key_Escape); }},
        {"the tool bar's close button", [](TCallForm *w) { w->CloseToolButton->click(); }},
        {"the navigator's Cancel", [](TCallForm *w) { w->DBNavigator1->button(DBNavigator::Cancel)->click(); }},
        {"the frame closed", [this](TCallForm *) { main->mdiArea()->activeSubWindow()->close(); }},
    };
    for (const Case &c : cases) {
        QPointer<TCallForm> w = openAdding();
        main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(w->parentWidget()));
        QTest::keyClicks(w->NotesDBMemo, "never saved");
        c.leave(w);
        EXPECT_EQ(calls().state(), Dataset::State::Browse) << c.how;
        EXPECT_EQ(calls().recordCount(), 2) << c.how;
        expectClosed(w, c.how);
    }
    EXPECT_EQ(count("tblCall"), 3);
    EXPECT_EQ(count("tblAction"), 1);
    EXPECT_EQ(prompter->texts(), QStringList{});
}

TEST_F(CallEditor, ClosingWhileTheActionEditorIsOpenLeavesTheBrowserDisabled)
{
    QPointer<TCallForm> w = openAdding();
    auto *actionEditor = new QWidget;
    main->addChild(actionEditor);
    main->ActionsForm = actionEditor;
    w->CancelButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_FALSE(browser->isEnabled());
}

TEST_F(CallEditor, APostTheEngineRefusesKeepsTheRowAndTheWindow)
{
    QPointer<TCallForm> w = openAdding();
    calls().field("OwnerID").setValue(9999);   // a person deleted by another workstation
    w->DoneButton->click();

    ASSERT_EQ(prompter->messages.size(), 1);
    EXPECT_TRUE(prompter->messages[0].text.contains("FOREIGN KEY", Qt::CaseInsensitive))
        << prompter->messages[0].text.toStdString();
    EXPECT_EQ(calls().state(), Dataset::State::Insert);
    EXPECT_EQ(main->CallForm, w.data());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(browser->isEnabled());
    EXPECT_EQ(count("tblCall"), 3);

    // Put right, the same Done goes through.
    calls().field("OwnerID").setValue(1);
    w->DoneButton->click();
    EXPECT_EQ(count("tblCall"), 4);
    expectClosed(w, "Done after the error");
}

// ---- viewing ----------------------------------------------------------------------------------

TEST_F(CallEditor, ViewModeIsReadOnlyAndMovesBetweenCallsFromTheKeyboard)
{
    TCallForm *w = openViewing();
    EXPECT_EQ(w->RecordPositionLabel->text(), "1/2");
    EXPECT_TRUE(w->CloseCallButton->isVisibleTo(w));
    EXPECT_EQ(w->focusWidget(), w->CancelButton);
    EXPECT_EQ(w->DBNavigator1->visibleButtons(), DBNavigator::kMoveButtons | DBNavigator::Refresh);
    EXPECT_TRUE(w->NotesDBMemo->isReadOnly());
    for (QWidget *control : std::initializer_list<QWidget *>{
             w->CallRefDBEdit, w->OwnerDBLookupCombo, w->ContactDBLookupCombo,
             w->CallTypeDBLookupCombo, w->MethodDBLookupCombo, w->StatusDBLookupCombo,
             w->DueDateDBDateTimePanel, w->UserFieldEdits[4]})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    QTest::keyClicks(w->NotesDBMemo, "typed");
    EXPECT_EQ(calls().state(), Dataset::State::Browse);
    EXPECT_EQ(w->NotesDBMemo->toPlainText(), "call notes");

    QTest::keyClick(w->NotesDBMemo, Qt::Key_Period, Qt::ControlModifier);
    EXPECT_EQ(w->RecordPositionLabel->text(), "2/2");
    QTest::keyClick(w->CancelButton, Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(calls().recNo(), 1);
    QTest::keyClick(w->NotesDBMemo, Qt::Key_Greater, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(calls().recNo(), 2);
    QTest::keyClick(w->NotesDBMemo, Qt::Key_Comma, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(calls().recNo(), 1);

    // Ctrl+F hands the calls to the find window.
    Dataset *searched = nullptr;
    main->findInDataset = [&](QWidget *over, Dataset &dataset) {
        EXPECT_EQ(over, w);
        searched = &dataset;
        dataset.last();
    };
    QTest::keyClick(w->NotesDBMemo, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(searched, &calls());
    EXPECT_EQ(w->RecordPositionLabel->text(), "2/2");

    // An organisation without calls.
    dm->OrgADOQuery->last();
    e->execute("DELETE FROM tblCall WHERE OrgID = 2");
    calls().requery();
    EXPECT_EQ(w->RecordPositionLabel->text(), "None");
}

TEST_F(CallEditor, RecordKeysLeaveANewCallWhereItIs)
{
    TCallForm *w = openAdding();
    bool searched = false;
    main->findInDataset = [&](QWidget *, Dataset &) { searched = true; };
    QTest::keyClicks(w->NotesDBMemo, "half typed");
    QTest::keyClick(w->NotesDBMemo, Qt::Key_Period, Qt::ControlModifier);
    QTest::keyClick(w->NotesDBMemo, Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(searched);
    EXPECT_EQ(calls().state(), Dataset::State::Insert);
    EXPECT_EQ(count("tblCall"), 3);
    EXPECT_EQ(w->NotesDBMemo->toPlainText(), "half typed");
}

TEST_F(CallEditor, ActionsPageListsTheCallsActionsAndShowsTheirNotes)
{
    TCallForm *w = openViewing();
    w->PageControl1->setCurrentWidget(w->ActionsPage);
    TDBGridPlus *grid = w->ActionsDBGridPlus;
    QStringList captions;
    for (int i = 0; i < grid->model()->columnCount(); ++i)
        captions << grid->model()->headerData(i, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"ActionID", "ActionOwner", "ContactName", "Notes", "Method",
                                     "Status", "InputDate", "DueDate", "ResolvedDate"}));
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_TRUE(grid->isReadOnly());
    EXPECT_EQ(grid->defaultRowHeight(), 17);
    EXPECT_EQ(w->ZoomActionsButton->defaultAction(), main->action("ActionsZoomView"));

    QString shown;
    auto readNotes = [&] {
        QTimer::singleShot(0, [&] {
            if (auto *notes = qobject_cast<TMemoPopupForm *>(QApplication::activeModalWidget())) {
                shown = notes->notesText();
                notes->accept();
            }
        });
    };
    readNotes();
    const QRect cell = grid->visualRect(grid->model()->index(0, 3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(shown, "first action");

    // From the keyboard: Enter on the Notes cell.
    shown.clear();
    readNotes();
    grid->setCurrentIndex(grid->model()->index(0, 3));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(shown, "first action");

    // Another column opens nothing.
    shown = "untouched";
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 1)).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, "untouched");
}

// ---- closing a call ------------------------------------------------------------------------

TEST_F(CallEditor, CloseCallIsRefusedWithTheseTexts)
{
    struct Case
    {
        const char *name;
        bool showCompleted;
        bool allowComplete;
        bool answer;
        QStringList questions;
        QStringList messages;
    };
    const QString closeQuestion = S("Close this call, are you sure?\r\nYou cannot undo this operation");
    const Case cases[] = {
        {"Show Completed ticked", true, false, true, {},
         {S("Uncheck \"Show Completed\" on main Calls Actions form\r\n"
            "                          before closing calls")}},
        {"open actions, not allowed", false, false, true, {closeQuestion},
         {S("This Call has Actions Open\r\n You cannot close this call")}},
        {"answered No", false, true, false,
         {S("Close this call and any open Actions are you sure?\r\n"
            "      You cannot undo this operation")},
         {}},
    };
    for (const Case &c : cases) {
        prompter->messages.clear();
        prompter->questions.clear();
        prompter->confirmAnswers = {c.answer};
        parameters.AllowCompleteCall = c.allowComplete;
        TCallForm *w = openViewing();
        w->browserShowsCompleted = [&] { return c.showCompleted; };
        bool asked = false;
        w->chooseResolution = [&] {
            asked = true;
            return 0;
        };
        w->CloseCallButton->click();
        EXPECT_EQ(prompter->questions, c.questions) << c.name;
        EXPECT_EQ(prompter->texts(), c.messages) << c.name;
        for (const auto &m : prompter->messages)
            EXPECT_EQ(m.kind, Prompter::Kind::Information) << c.name;
        EXPECT_FALSE(asked) << c.name;
        EXPECT_EQ(callValue(1, "StatusID").toInt(), constants.StatusOpenID) << c.name;
        EXPECT_EQ(value("SELECT StatusID FROM tblAction WHERE ActionID = 1").toInt(),
                  constants.StatusOpenID) << c.name;
        EXPECT_TRUE(w->isVisible()) << c.name;
        EXPECT_EQ(calls().state(), Dataset::State::Browse) << c.name;
        w->close();
    }
}

TEST_F(CallEditor, CloseCallClosesItsOpenActionsWhenAllowed)
{
    parameters.AllowCompleteCall = true;
    // An action closed earlier, and the browser's list of open actions only.
    e->execute(QStringLiteral("INSERT INTO tblAction (CallID, OrgID, StatusID, InputDate, ResolvedDate) "
                              "VALUES (1, 1, :s, #12-09-2026 08:00:00#, #12-09-2026 17:30:00#)"),
               {{QStringLiteral("s"), constants.StatusClosedID}});
    actions().close();
    actions().setSql(QStringLiteral("SELECT * FROM tblAction WHERE (CallID = :CallID) AND StatusID <> %1 "
                                    "ORDER BY DueDate").arg(constants.StatusClosedID));
    actions().open();
    ASSERT_EQ(actions().recordCount(), 1);

    QPointer<TCallForm> w = openViewing();
    const int fixed = resolutionId("Fixed");
    w->chooseResolution = [&] { return fixed; };
    w->CloseCallButton->click();

    EXPECT_EQ(prompter->texts(), QStringList{});
    EXPECT_EQ(callValue(1, "StatusID").toInt(), constants.StatusClosedID);
    EXPECT_EQ(callValue(1, "ResolutionID").toInt(), fixed);
    EXPECT_EQ(dateOf(callValue(1, "ResolvedDate")), kNow);
    EXPECT_EQ(value("SELECT StatusID FROM tblAction WHERE ActionID = 1").toInt(), constants.StatusClosedID);
    EXPECT_EQ(dateOf(value("SELECT ResolvedDate FROM tblAction WHERE ActionID = 1")), kNow);
    EXPECT_EQ(dateOf(value("SELECT ResolvedDate FROM tblAction WHERE ActionID = 2")),
              QDateTime(QDate(2026, 12, 9), QTime(17, 30))) << "closed before: its own time stays";
    EXPECT_TRUE(dm->ADOQuery1->sql().isEmpty());
    EXPECT_FALSE(dm->ADOQuery1->isActive());
    EXPECT_EQ(callValue(2, "StatusID").toInt(), constants.StatusOpenID) << "only this call";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
}

TEST_F(CallEditor, CloseCallOfACallClosedElsewhereMeanwhileIsRefused)
{
    calls().next();   // call 2, which has no actions
    QPointer<TCallForm> w = openViewing();
    // Another workstation closes the call with its own resolution after this one read it.
    const int advice = resolutionId("Advice Given");
    auto other = db.open();
    other->execute(QStringLiteral("UPDATE tblCall SET StatusID = :s, ResolutionID = :r, "
                                  "ResolvedDate = #12-11-2026 09:30:00# WHERE CallID = 2"),
                   {{QStringLiteral("s"), constants.StatusClosedID}, {QStringLiteral("r"), advice}});
    w->chooseResolution = [&] { return resolutionId("Fixed"); };
    w->CloseCallButton->click();

    ASSERT_EQ(prompter->texts().size(), 1);
    EXPECT_TRUE(prompter->texts().first().contains(QStringLiteral("another"), Qt::CaseInsensitive))
        << prompter->texts().first().toStdString();
    EXPECT_EQ(callValue(2, "ResolutionID").toInt(), advice) << "the other workstation's close stands";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(w.isNull());
    w->CancelButtonClick();
    expectClosed(w, "Cancel after the refusal");
}

TEST_F(CallEditor, CloseCallWritesTheChosenResolutionOrNoneForAnEmptyList)
{
    // Call 2 has no actions, so it closes with AllowCompleteCall off.
    struct Case
    {
        const char *name;
        int chosen;
        QVariant stored;
    };
    const int advice = resolutionId("Advice Given");
    const Case cases[] = {
        {"a resolution chosen", advice, advice},
        {"the empty list's 0 names no value", 0, QVariant()},
    };
    for (const Case &c : cases) {
        e->execute("UPDATE tblCall SET StatusID = :s, ResolutionID = NULL, ResolvedDate = NULL WHERE CallID = 2",
                   {{QStringLiteral("s"), constants.StatusOpenID}});
        calls().requery();
        calls().locate("CallID", 2);
        QPointer<TCallForm> w = openViewing();
        w->chooseResolution = [&] { return c.chosen; };
        w->CloseCallButton->click();
        EXPECT_EQ(prompter->texts(), QStringList{}) << c.name;
        EXPECT_EQ(callValue(2, "StatusID").toInt(), constants.StatusClosedID) << c.name;
        EXPECT_EQ(callValue(2, "ResolutionID").isNull(), c.stored.isNull()) << c.name;
        if (!c.stored.isNull()) {
            EXPECT_EQ(callValue(2, "ResolutionID").toInt(), c.stored.toInt()) << c.name;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull()) << c.name;
    }
}

// ---- the resolution dialog ---------------------------------------------------------------------

TEST_F(CallEditor, ResolutionDialogReturnsTheRowCurrentWhenItCloses)
{
    TCallForm *w = openViewing();
    Dataset &list = *dm->ValuesListResolutionTypeADOQuery;
    struct Case
    {
        const char *how;
        std::function<void(TResTypeForm *)> close;
        int row;   // 1-based row chosen
    };
    const Case cases[] = {
        {"Enter in the grid",
         [](TResTypeForm *f) {
             QTest::keyClick(f->DBGrid1, Qt::Key_Down);
             QTest::keyClick(f->DBGrid1, Qt::Key_Down);
             QTest::keyClick(f->DBGrid1, Qt::Key_Return);
         },
         3},
        {"double click on a row",
         [](TResTypeForm *f) {
             const QRect cell = f->DBGrid1->visualRect(f->DBGrid1->model()->index(1, 0));
             QTest::mouseClick(f->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
             QTest::mouseDClick(f->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
         },
         2},
        {"OK", [](TResTypeForm *f) { f->OKButton->click(); }, 2},
    };
    for (const Case &c : cases) {
        bool closed = false;
        QTimer::singleShot(0, [&] {
            auto *f = qobject_cast<TResTypeForm *>(QApplication::activeModalWidget());
            ASSERT_NE(f, nullptr) << c.how;
            EXPECT_EQ(f->windowTitle(), "Select Resolution Type");
            EXPECT_FALSE(f->windowFlags() & Qt::WindowCloseButtonHint);
            EXPECT_EQ(f->minimumSize(), f->maximumSize()) << "fixed size";
            EXPECT_EQ(f->DBGrid1->model()->columnCount(), 1);
            EXPECT_EQ(f->DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), "Description");
            c.close(f);
            closed = !f->isVisible();
            if (f->isVisible())
                f->reject();
        });
        const int chosen = w->ChooseResolutionType();
        EXPECT_TRUE(closed) << c.how;
        ASSERT_EQ(list.recNo(), c.row) << c.how;
        EXPECT_EQ(chosen, list.field("ValueID").asInteger()) << c.how;
        EXPECT_TRUE(w->ResTypeForm.isNull()) << c.how << ": released";
    }

    e->execute("DELETE FROM tblValuesList WHERE ValueCategoryID = 12");
    list.requery();
    QTimer::singleShot(0, [] {
        if (auto *f = qobject_cast<TResTypeForm *>(QApplication::activeModalWidget()))
            f->OKButton->click();
    });
    EXPECT_EQ(w->ChooseResolutionType(), 0);
}

// ---- labels and rights -------------------------------------------------------------------------

TEST_F(CallEditor, UserFieldLabelsRepeatTheLastOfThreeValues)
{
    e->execute("DELETE FROM tblValuesList WHERE Description IN ('Asset Tag', 'Priority')");
    // Sequence orders them, not the key.
    e->execute("UPDATE tblValuesList SET Sequence = 9 WHERE Description = 'Product'");
    TCallForm *w = openViewing();
    QStringList labels, names;
    for (int i = 0; i < 5; ++i) {
        labels << w->UserFieldLabels[size_t(i)]->text();
        names << w->UserFieldEdits[size_t(i)]->accessibleName();
    }
    const QStringList expected{"Version", "Serial No", "Product", "Product", "Product"};
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(w->ValuesListCallUserADOQuery->sql(),
              S("SELECT tblValuesList.Description, tblValueCategory.ValueCategory, "
                "tblValueCategory.ValueCategoryID, tblValuesList.Sequence\n"
                "FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID "
                "= tblValuesList.ValueCategoryID\n"
                "WHERE (((tblValueCategory.ValueCategory)=\"Call User Fields\"))\n"
                "ORDER BY tblValuesList.Sequence;"));

    // Re-read after the values changed, as the values-list window does.
    e->execute("UPDATE tblValuesList SET Description = 'Model' WHERE Description = 'Version'");
    w->ValuesListCallUserADOQuery->requery();
    w->LoadUserFieldLabels();
    EXPECT_EQ(w->UserFieldLabels[0]->text(), "Model");
}

TEST_F(CallEditor, ValuesListButtonsRunTheCommandsForAdministratorsOnly)
{
    for (int level : {2, 4}) {
        main->Session.RightsLevel = level;
        TCallForm *w = openViewing();
        const std::pair<QToolButton *, const char *> buttons[] = {
            {w->CallTypeValuesButton, "ValuesListCallType"},
            {w->MethodValuesButton, "ValuesListCallMethod"},
            {w->StatusValuesButton, "ValuesListStatus"},
            {w->ResolutionValuesButton, "ValuesListResolutionType"},
        };
        for (const auto &[button, command] : buttons) {
            EXPECT_EQ(button->isVisibleTo(w), level == 4) << command << " at level " << level;
            EXPECT_EQ(button->defaultAction(), main->action(QLatin1String(command)));
            EXPECT_EQ(button->text(), "...") << command;
            EXPECT_FALSE(button->accessibleName().isEmpty());
        }
        // The zooms are for everyone.
        EXPECT_TRUE(w->OwnerZoomButton->isVisibleTo(w));
        EXPECT_TRUE(w->ContactZoomButton->isVisibleTo(w));
        w->close();
    }
}

TEST_F(CallEditor, ContactZoomFallsBackToTheOrganisation)
{
    QWidget people;
    QStringList steps;
    main->setCommandHandler("People1", [&] {
        steps << "People1";
        main->PeopleForm = &people;
    });
    main->locatePerson = [&](QWidget *, int id) {
        steps << QStringLiteral("person %1").arg(id);
        return false;
    };
    main->locateFirstPersonOfOrganisation = [&](QWidget *, int org) {
        steps << QStringLiteral("first of %1").arg(org);
        return false;
    };
    main->startPersonInOrganisation = [&](QWidget *, int org) {
        steps << QStringLiteral("new in %1").arg(org);
        return true;
    };
    e->execute("UPDATE tblCall SET OwnerID = 1, ContactID = 2 WHERE CallID = 1");
    calls().requery();
    TCallForm *w = openViewing();
    w->ContactZoomButton->click();
    EXPECT_EQ(steps, (QStringList{"People1", "person 2", "first of 1", "new in 1"}));
    steps.clear();
    w->OwnerZoomButton->click();
    EXPECT_EQ(steps, (QStringList{"People1", "person 1"}));
}
