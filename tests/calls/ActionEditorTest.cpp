#include "CallsFixture.h"

#include "ControlColors.h"
#include "DBLookupCombo.h"
#include "DBMemo.h"
#include "DBNavigator.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "TActionsForm.h"
#include "TCallForm.h"
#include "TDBDateTimePanel.h"

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

QString S(const char *text) { return QString::fromUtf8(text); }

// The action editor in the main window as "Actions" and "Zoom Actions" open it, with the data
// module's hooks wired as the program wires them. Call 1 (of Acme) belongs to Sam Staff, its
// contact is Carol Contact, and it has one open action.
class ActionEditor : public CallsFixture
{
protected:
    void SetUp() override
    {
        CallsFixture::SetUp();
        e->execute("UPDATE tblCall SET OwnerID = 1, ContactID = 2 WHERE CallID = 1");
        calls().requery();
        dm->actionEditorOpen = [this] { return !main->ActionsForm.isNull(); };
        dm->resetActionContactChooser = [this] {
            if (auto *w = qobject_cast<TActionsForm *>(main->ActionsForm.data()))
                w->resetContactChooser();
        };
        dm->actionEditorScrolled = [this] {
            if (auto *w = qobject_cast<TActionsForm *>(main->ActionsForm.data()))
                w->refreshPosition();
        };
        browser = new QWidget;
        main->addChild(browser);
        main->CallsActionsForm = browser;
        main->show();
    }

    Dataset &calls() const { return *dm->CallsByOrgIDADOQuery; }
    Dataset &actions() const { return *dm->ActionsByCallIDADOQuery; }

    TActionsForm *openActionsForm()
    {
        auto *w = new TActionsForm(ctx());
        main->addChild(w);
        main->ActionsForm = w;
        return w;
    }

    TActionsForm *openAdding()
    {
        TActionsForm *w = openActionsForm();
        w->DBNavigator1->doAction(DBNavigator::Insert);
        w->prepareAddMode();
        browser->setEnabled(false);
        main->holdDisabled(main->action("CallsAddNew"), w);
        return w;
    }

    TActionsForm *openViewing()
    {
        TActionsForm *w = openActionsForm();
        w->prepareViewMode();
        return w;
    }

    QVariant value(const QString &sql)
    {
        QSqlQuery q = e->select(sql);
        return q.next() ? q.value(0) : QVariant();
    }
    QVariant actionValue(int actionId, const char *column)
    {
        return value(QStringLiteral("SELECT %1 FROM tblAction WHERE ActionID = %2").arg(QLatin1String(column)).arg(actionId));
    }

    static QStringList items(const QComboBox *combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    void expectClosed(const QPointer<TActionsForm> &w, const char *how)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull()) << how;
        EXPECT_TRUE(main->ActionsForm.isNull()) << how;
        EXPECT_TRUE(browser->isEnabled()) << how;
        EXPECT_FALSE(main->isHeldDisabled(main->action("CallsAddNew"))) << how;
    }

    QWidget *browser = nullptr;
};

} // namespace

TEST_F(ActionEditor, NewActionStartsFromTheCallAndTheDefaults)
{
    Clock::set([] { return kNow.addMSecs(400); });
    QPointer<TActionsForm> w = openAdding();
    const Dataset &a = actions();
    ASSERT_EQ(a.state(), Dataset::State::Insert);
    EXPECT_EQ(w->windowTitle(), "Action");
    EXPECT_EQ(a.field("CallID").asInteger(), 1);
    EXPECT_EQ(a.field("OwnerID").asInteger(), 1);
    EXPECT_EQ(a.field("OrgID").asInteger(), 1);
    EXPECT_EQ(a.field("ContactID").asInteger(), 2);
    EXPECT_EQ(a.field("StatusID").asInteger(), constants.DefaultStatusID);
    EXPECT_EQ(a.field("MethodID").asInteger(), constants.DefaultCallMethodID);
    EXPECT_EQ(a.field("InputBy").asString(), "Boss");
    EXPECT_EQ(a.field("InputDate").asDateTime(), kNow) << "whole seconds";
    EXPECT_EQ(dm->LastInputTime(), kNow);
    EXPECT_EQ(a.field("DueDate").asDateTime(), kNow.addDays(2).addMSecs(400));
    EXPECT_TRUE(a.field("ActionRef").isNull());
    EXPECT_TRUE(a.field("TypeID").isNull());
    EXPECT_TRUE(a.field("ResolvedDate").isNull());

    EXPECT_EQ(w->OwnerDBLookupCombo->currentText(), "Sam  Staff");
    EXPECT_EQ(w->OrganisationDBLookupCombo->currentText(), "Acme");
    EXPECT_EQ(w->ContactDBLookupCombo->currentText(), "Carol  Contact");
    EXPECT_EQ(w->StatusDBLookupCombo->currentText(), "Open");
    EXPECT_EQ(w->MethodDBLookupCombo->currentText(), "Phone");
    EXPECT_EQ(w->InputByDBText->text(), "Boss");
    EXPECT_EQ(w->CallIDDBText->text(), "1");
    EXPECT_EQ(w->RecordPositionLabel->text(), "Adding");
    EXPECT_FALSE(w->CloseActionButton->isVisibleTo(w));
    EXPECT_EQ(w->focusWidget(), w->NotesDBMemo);
    EXPECT_EQ(w->minimumSize(), w->maximumSize()) << "fixed size";
    auto *frame = qobject_cast<QMdiSubWindow *>(w->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);

    // Done: saved, and current in the list the browser shows.
    QTest::keyClicks(w->NotesDBMemo, "Rang back");
    w->DoneButton->click();
    EXPECT_EQ(prompter->texts(), QStringList{});
    EXPECT_EQ(value("SELECT COUNT(*) FROM tblAction WHERE CallID = 1").toInt(), 2);
    ASSERT_EQ(actions().recordCount(), 2);
    EXPECT_EQ(actions().field("ActionID").asInteger(), 2);
    EXPECT_EQ(actions().field("Notes").asString(), "Rang back");
    expectClosed(w, "Done");
}

TEST_F(ActionEditor, AnotherOrganisationEmptiesTheContactAndOffersItsPeople)
{
    TActionsForm *w = openAdding();
    ASSERT_EQ(items(w->ContactDBLookupCombo), (QStringList{"Sam  Staff", "Carol  Contact"}));
    ASSERT_EQ(w->OrganisationDBLookupCombo->currentText(), "Acme");

    QTest::keyClick(w->OrganisationDBLookupCombo, Qt::Key_Down);   // Bravo
    EXPECT_EQ(actions().field("OrgID").asInteger(), 2);
    EXPECT_EQ(w->OrganisationDBLookupCombo->currentText(), "Bravo");
    EXPECT_EQ(w->ContactDBLookupCombo->currentIndex(), -1);
    EXPECT_EQ(items(w->ContactDBLookupCombo), QStringList{"Dan  Dealer"});
    EXPECT_EQ(actions().field("ContactID").asInteger(), 2) << "changed only when a contact is picked";
    EXPECT_EQ(w->OrgPhoneDBText->text(), "0100");

    QTest::keyClick(w->ContactDBLookupCombo, Qt::Key_Down);
    EXPECT_EQ(actions().field("ContactID").asInteger(), 3);
    w->DoneButton->click();
    EXPECT_EQ(value("SELECT OrgID FROM tblAction WHERE ActionID = 2").toInt(), 2);
    EXPECT_EQ(value("SELECT ContactID FROM tblAction WHERE ActionID = 2").toInt(), 3);
}

TEST_F(ActionEditor, ViewModeShowsEachActionsContactAmongItsOrganisationsPeople)
{
    // A second action of call 1 concerns Bravo's Dan.
    e->execute(QStringLiteral("INSERT INTO tblAction (CallID, OrgID, ContactID, StatusID, InputDate) "
                              "VALUES (1, 2, 3, :s, #12-10-2026 10:00:00#)"),
               {{QStringLiteral("s"), constants.StatusOpenID}});
    actions().requery();
    TActionsForm *w = openViewing();
    EXPECT_EQ(w->RecordPositionLabel->text(), "1/2");
    EXPECT_TRUE(w->CloseActionButton->isVisibleTo(w));
    EXPECT_FALSE(w->ContactDBLookupCombo->isEnabled());
    EXPECT_FALSE(w->OrganisationDBLookupCombo->isEnabled());
    EXPECT_TRUE(w->NotesDBMemo->isReadOnly());
    QTest::keyClick(w->CancelButton, Qt::Key_Period, Qt::ControlModifier);
    EXPECT_EQ(w->RecordPositionLabel->text(), "2/2");
    EXPECT_EQ(w->OrganisationDBLookupCombo->currentText(), "Bravo");
    EXPECT_EQ(w->ContactDBLookupCombo->currentText(), "Dan  Dealer");
}

TEST_F(ActionEditor, CloseActionAsksThenClosesTheEditorEitherWay)
{
    struct Case
    {
        const char *name;
        bool showCompleted;
        bool answer;
        bool actionClosed;
        bool editorClosed;
        QStringList messages;
    };
    const Case cases[] = {
        {"Show Completed ticked", true, true, false, false,
         {S("Uncheck \"Show Completed\" on main Calls Actions form\r\n"
            "                          before closing Actions")}},
        {"answered No", false, false, false, true, {}},
        {"answered Yes", false, true, true, true, {}},
    };
    for (const Case &c : cases) {
        prompter->messages.clear();
        prompter->questions.clear();
        prompter->confirmAnswers = {c.answer};
        QPointer<TActionsForm> w = openViewing();
        w->browserShowsCompleted = [&] { return c.showCompleted; };
        w->CloseActionButton->click();
        EXPECT_EQ(prompter->texts(), c.messages) << c.name;
        EXPECT_EQ(prompter->questions,
                  c.showCompleted ? QStringList{}
                                  : QStringList{S("Close this Action are you sure?\r\nYou cannot undo this operation")})
            << c.name;
        EXPECT_EQ(actionValue(1, "StatusID").toInt(),
                  c.actionClosed ? constants.StatusClosedID : constants.StatusOpenID) << c.name;
        EXPECT_EQ(actionValue(1, "ResolvedDate").isNull(), !c.actionClosed) << c.name;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(w.isNull(), c.editorClosed) << c.name;
        if (w)
            w->close();
    }
    EXPECT_EQ(QDateTime::fromString(actionValue(1, "ResolvedDate").toString(), "yyyy-MM-dd HH:mm:ss.zzz"), kNow);
}

TEST_F(ActionEditor, APostTheEngineRefusesKeepsTheRowAndTheWindow)
{
    QPointer<TActionsForm> w = openAdding();
    actions().field("OwnerID").setValue(9999);
    w->DoneButton->click();
    ASSERT_EQ(prompter->messages.size(), 1);
    EXPECT_TRUE(prompter->messages[0].text.contains("FOREIGN KEY", Qt::CaseInsensitive));
    EXPECT_EQ(actions().state(), Dataset::State::Insert);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(main->ActionsForm, w.data());
    EXPECT_FALSE(browser->isEnabled());
    EXPECT_EQ(value("SELECT COUNT(*) FROM tblAction").toInt(), 1);

    // Esc then drops the new row; the list stands on its last action again.
    QTest::keyClick(w->NotesDBMemo, Qt::Key_Escape);
    EXPECT_EQ(actions().state(), Dataset::State::Browse);
    EXPECT_EQ(actions().recordCount(), 1);
    expectClosed(w, "Esc");
}

TEST_F(ActionEditor, ValuesListButtonsForAdministratorsOnly)
{
    for (int level : {2, 4}) {
        main->Session.RightsLevel = level;
        TActionsForm *w = openViewing();
        EXPECT_EQ(w->MethodValuesButton->isVisibleTo(w), level == 4);
        EXPECT_EQ(w->StatusValuesButton->isVisibleTo(w), level == 4);
        EXPECT_EQ(w->MethodValuesButton->defaultAction(), main->action("ValuesListCallMethod"));
        EXPECT_EQ(w->StatusValuesButton->defaultAction(), main->action("ValuesListStatus"));
        EXPECT_TRUE(w->OrganisationZoomButton->isVisibleTo(w));
        w->close();
    }
}

TEST_F(ActionEditor, TheBrowserComesBackWhenTheLastEditorCloses)
{
    // A call viewed, an action being added to it.
    auto *callForm = new TCallForm(ctx());
    main->addChild(callForm);
    main->CallForm = callForm;
    callForm->prepareViewMode();
    QPointer<TActionsForm> w = openAdding();

    // The call editor's Cancel cancels the new action through the action editor.
    callForm->CancelButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(main->CallForm.isNull());
    EXPECT_EQ(actions().state(), Dataset::State::Browse);
    EXPECT_EQ(value("SELECT COUNT(*) FROM tblAction").toInt(), 1);
    EXPECT_TRUE(browser->isEnabled());

    // An action editor closing while the call editor is open leaves the browser to it.
    auto *secondCallForm = new TCallForm(ctx());
    main->addChild(secondCallForm);
    main->CallForm = secondCallForm;
    w = openAdding();
    w->CancelButton->click();
    EXPECT_FALSE(browser->isEnabled());
    secondCallForm->close();
    EXPECT_TRUE(browser->isEnabled());
}
