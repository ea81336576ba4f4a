#include "BandedDatasetModel.h"
#include "BandedGrid.h"
#include "BandedHeader.h"
#include "CallsFixture.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "TCallsActionsForm.h"
#include "TMemoPopupForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

// Failures show texts as text.
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

QString S(const char *text) { return QString::fromUtf8(text); }

// ---- the statements -------------------------------------------------------------------------

TEST(BrowserStatements, FollowTheTwoBoxes)
{
    struct Case { bool showCompleted, allOrgs; const char *calls; };
    const Case cases[] = {
        {true, true, "SELECT * FROM tblCall ORDER BY DueDate"},
        {true, false, "SELECT * FROM tblCall WHERE (OrgID = :OrgID) ORDER BY DueDate"},
        {false, true, "SELECT * FROM tblCall WHERE StatusID <> 7 ORDER BY DueDate"},
        {false, false,
         "SELECT * FROM tblCall WHERE (OrgID = :OrgID) AND StatusID <> 7 ORDER BY DueDate"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(callsListStatement(c.showCompleted, c.allOrgs, 7), S(c.calls))
            << c.showCompleted << c.allOrgs;
    EXPECT_EQ(actionsListStatement(true, 7),
              S("SELECT * FROM tblAction WHERE (CallID = :CallID) ORDER BY DueDate"));
    EXPECT_EQ(actionsListStatement(false, 12),
              S("SELECT * FROM tblAction WHERE (CallID = :CallID) AND StatusID <> 12 "
                "ORDER BY DueDate"));
}

// ---- the window -----------------------------------------------------------------------------

// Works a modal window from inside its loop and makes sure it goes away; nullptr when none opened.
void whileModal(const std::function<void(QWidget *)> &work)
{
    QTimer::singleShot(0, [work] {
        QWidget *modal = QApplication::activeModalWidget();
        work(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
}

// A click of the right mouse button, and the context menu request the platform makes of it.
void rightClick(QWidget *viewport, const QPoint &pos)
{
    QTest::mouseClick(viewport, Qt::RightButton, {}, pos);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &menu);
}

// The browser over the fixture's data, wired to the data module as the main window wires it.
class Browser : public CallsFixture
{
protected:
    void TearDown() override
    {
        delete form.data();
        CallsFixture::TearDown();
    }

    TCallsActionsForm &open()
    {
        dm->browserAllOrgsChecked = [this] { return form && form->allOrgs(); };
        dm->browserCallsScrolled = [this] { if (form) form->refreshCallsPosition(); };
        dm->browserActionsScrolled = [this] { if (form) form->refreshActionsPosition(); };
        dm->browserOrganisationsScrolled = [this] { if (form) form->refreshOrgPositions(); };
        form = new TCallsActionsForm(ctx());
        main->CallsActionsForm = form.data();
        form->show();
        QApplication::setActiveWindow(form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }

    Dataset &calls() { return *dm->CallsByOrgIDADOQuery; }
    Dataset &actions() { return *dm->ActionsByCallIDADOQuery; }

    // The keys of a list, in its order.
    static QList<int> keys(Dataset &d, const char *key)
    {
        QList<int> ids;
        const Field &f = d.field(S(key));
        for (int row = 0; row < d.recordCount(); ++row)
            ids << d.valueAt(row, f).toInt();
        return ids;
    }

    void addCall(int org, const QVariant &due, const QVariant &status, const char *notes = "")
    {
        e->execute(S("INSERT INTO tblCall (OrgID, DueDate, StatusID, Notes) "
                     "VALUES (:o, :d, :s, :n)"),
                   {{S("o"), org}, {S("d"), due}, {S("s"), status}, {S("n"), S(notes)}});
    }

    void addAction(int call, const QDateTime &due, const QVariant &status)
    {
        e->execute(S("INSERT INTO tblAction (CallID, OrgID, DueDate, StatusID) "
                     "VALUES (:c, 1, :d, :s)"),
                   {{S("c"), call}, {S("d"), due}, {S("s"), status}});
    }

    QString positions() const
    {
        return form->OrgPositionLabel->text() + S(" ") + form->CallsPositionLabel->text() + S(" ")
               + form->ActionsPositionLabel->text();
    }

    bool held(const char *command) const { return main->isHeldDisabled(main->action(S(command))); }

    static QString cellText(BandedGrid *grid, int row, const QString &column)
    {
        const QModelIndex index = grid->model()->index(row, grid->bandOf(column));
        return index.data(Qt::AccessibleTextRole).toString();
    }

    QPointer<TCallsActionsForm> form;
};

TEST_F(Browser, ListsOpenCallsAndActionsUnlessShowCompletedIsTicked)
{
    const int closed = constants.StatusClosedID;
    const int openId = constants.StatusOpenID;
    addCall(1, QDateTime(QDate(2026, 12, 13), QTime(9, 0)), QVariant());    // 4: no status
    addCall(1, QDateTime(QDate(2026, 12, 14), QTime(9, 0)), closed);        // 5: closed
    addAction(1, QDateTime(QDate(2026, 12, 11), QTime(9, 0)), closed);      // 2
    addAction(1, QDateTime(QDate(2026, 12, 13), QTime(9, 0)), QVariant());  // 3
    addAction(1, QDateTime(QDate(2026, 12, 10), QTime(9, 0)), openId);      // 4

    open();
    EXPECT_EQ(calls().sql(), callsListStatement(false, false, closed));
    EXPECT_EQ(keys(calls(), "CallID"), (QList<int>{1, 2}));
    EXPECT_EQ(keys(actions(), "ActionID"), (QList<int>{4, 1})) << "open actions by due date";
    EXPECT_EQ(positions(), S("1/2 1/2 1/2"));
    EXPECT_FALSE(held("CallsAddNew"));

    form->ShowCompletedCheckBox->click();
    EXPECT_EQ(calls().sql(), callsListStatement(true, false, closed));
    EXPECT_EQ(keys(calls(), "CallID"), (QList<int>{1, 4, 5, 2}));
    EXPECT_EQ(keys(actions(), "ActionID"), (QList<int>{4, 2, 1, 3}));
    EXPECT_EQ(positions(), S("1/2 1/4 1/4"));
    EXPECT_TRUE(dm->callsLinkedToOrganisations());

    form->ShowCompletedCheckBox->click();
    EXPECT_EQ(keys(calls(), "CallID"), (QList<int>{1, 2}));
    EXPECT_TRUE(prompter->texts().isEmpty()) << prompter->texts().join(S("; ")).toStdString();
}

TEST_F(Browser, AllOrgsListsEveryOpenCallByDueDateAndTheOrganisationFollowsTheCall)
{
    addCall(2, QDateTime(QDate(2026, 12, 14), QTime(9, 0)), constants.StatusOpenID);   // 4
    open();
    form->AllOrgsCheckBox->click();
    EXPECT_FALSE(dm->callsLinkedToOrganisations());
    EXPECT_EQ(keys(calls(), "CallID"), (QList<int>{1, 4, 2, 3}));
    EXPECT_EQ(positions(), S("1/2 1/4 1/1"));

    calls().next();     // call 4, of Bravo
    EXPECT_EQ(dm->OrgADOQuery->field(S("OrganizationName")).asString(), S("Bravo"));
    EXPECT_EQ(form->OrganizationNameDBText->text(), S("Bravo"));
    EXPECT_EQ(positions(), S("2/2 2/4 None"));
    EXPECT_EQ(calls().recordCount(), 4) << "moving the organisation leaves the list alone";
    calls().next();     // call 2, of Acme again
    EXPECT_EQ(dm->OrgADOQuery->field(S("OrganizationName")).asString(), S("Acme"));

    // Back to one organisation: the one of the last call visited.
    calls().last();
    form->AllOrgsCheckBox->click();
    EXPECT_TRUE(dm->callsLinkedToOrganisations());
    EXPECT_EQ(keys(calls(), "CallID"), (QList<int>{4, 3}));
}

TEST_F(Browser, AddCommandsAreHeldWhileEitherBoxIsTicked)
{
    open();
    struct Case { bool showCompleted, allOrgs, held; };
    for (const Case &c : {Case{true, false, true}, Case{true, true, true}, Case{false, true, true},
                          Case{false, false, false}}) {
        form->ShowCompletedCheckBox->setChecked(c.showCompleted);
        form->AllOrgsCheckBox->setChecked(c.allOrgs);
        EXPECT_EQ(held("CallsAddNew"), c.held) << c.showCompleted << c.allOrgs;
        EXPECT_EQ(held("ActionsAddNew"), c.held) << c.showCompleted << c.allOrgs;
    }
    form->AllOrgsCheckBox->setChecked(true);
    delete form.data();
    EXPECT_FALSE(held("CallsAddNew")) << "a closed browser holds nothing";
}

TEST_F(Browser, AnArchiveOpensWithCompletedCallsAndTheGridsFollowTheInvertSetting)
{
    main->isReadOnly = [] { return true; };
    main->setInvertGrids(true);
    open();
    EXPECT_TRUE(form->showCompleted());
    EXPECT_EQ(calls().sql(), callsListStatement(true, false, constants.StatusClosedID));
    EXPECT_TRUE(held("CallsAddNew"));
    EXPECT_TRUE(form->CallsdxDBGrid->invertSelection());
    main->setInvertGrids(false);
    EXPECT_FALSE(form->CallsdxDBGrid->invertSelection());
    EXPECT_FALSE(form->ActionsdxDBGrid->invertSelection());
}

TEST_F(Browser, KeysMoveTheOrganisationAndCtrlFUnticksAllOrgsBeforeFinding)
{
    open();
    QWidget *focus = form->CallsdxDBGrid;
    focus->setFocus();
    struct Case { Qt::KeyboardModifiers mods; Qt::Key key; const char *positions; };
    const Case cases[] = {
        {Qt::ControlModifier, Qt::Key_Period, "2/2 1/1 None"},
        {Qt::ControlModifier, Qt::Key_Comma, "1/2 1/2 1/1"},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Period, "2/2 1/1 None"},
        {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Comma, "1/2 1/2 1/1"},
    };
    for (const Case &c : cases) {
        QTest::keyClick(focus, c.key, c.mods);
        EXPECT_EQ(positions(), S(c.positions)) << int(c.key) << int(c.mods);
    }

    bool allOrgsWhenFinding = true;
    Dataset *searched = nullptr;
    main->findInDataset = [&](QWidget *over, Dataset &d) {
        EXPECT_EQ(over, form.data());
        allOrgsWhenFinding = form->allOrgs();
        searched = &d;
    };
    form->AllOrgsCheckBox->setChecked(true);
    QTest::keyClick(focus, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(searched, dm->OrgADOQuery);
    EXPECT_FALSE(allOrgsWhenFinding);
    EXPECT_TRUE(dm->callsLinkedToOrganisations()) << "unticking rebuilt the lists";

    searched = nullptr;
    form->FindOrgButton->click();
    EXPECT_EQ(searched, dm->OrgADOQuery);
    EXPECT_EQ(form->FindOrgButton->accessibleName(), S("Find Org by Name (Ctrl-F)"));
}

TEST_F(Browser, ClosingWhileAnEditorIsOpenMinimisesTheWindowInstead)
{
    main->show();
    form = new TCallsActionsForm(ctx());
    main->showSingleInstance(main->CallsActionsForm, [this] { return form.data(); });
    auto *frame = qobject_cast<QMdiSubWindow *>(form->parentWidget());
    ASSERT_NE(frame, nullptr);

    QWidget editor;
    for (QPointer<QWidget> *ref : {&main->CallForm, &main->ActionsForm}) {
        *ref = &editor;
        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(form);
        EXPECT_TRUE(frame->isMinimized());
        frame->showNormal();
        form->CloseButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(form);
        EXPECT_TRUE(frame->isMinimized());
        frame->showNormal();
        ref->clear();
    }

    form->CloseButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(form);
    EXPECT_FALSE(main->CallsActionsForm);
}

TEST_F(Browser, UrgencyCellsShowAndTellTheMarkOfTheirRow)
{
    e->execute(S("DELETE FROM tblUrgency"));
    struct Level { const char *name; int days; int bgr; };
    for (const Level &l : {Level{"Red", 1, 0x0000FF}, Level{"Yellow", 3, 0x00FFFF},
                           Level{"Green", 7, 0x00FF00}})
        e->execute(S("INSERT INTO tblUrgency (Description, Color, IsSys, ThresholdTime) "
                     "VALUES (:d, :c, 0, :t)"),
                   {{S("d"), S(l.name)}, {S("c"), l.bgr}, {S("t"), l.days}});
    dm->UrgencyADOTable->requery();
    e->execute(S("DELETE FROM tblAction"));
    e->execute(S("DELETE FROM tblCall"));
    struct Case { const char *name; QVariant due; bool closed; const char *told; };
    const Case cases[] = {
        {"12 hours", kNow.addSecs(12 * 3600), false, "Red"},
        {"2 days", kNow.addDays(2), false, "Yellow"},
        {"exactly 3 days", kNow.addDays(3), false, "Green"},
        {"10 days", kNow.addDays(10), false, "Green"},
        {"5 minutes ago", kNow.addSecs(-300), false, "Overdue"},
        {"closed", kNow.addDays(2), true, "Closed"},
        {"no due date", QVariant(), false, ""},
    };
    for (const Case &c : cases)
        addCall(1, c.due, c.closed ? constants.StatusClosedID : constants.StatusOpenID, c.name);

    open();
    form->ShowCompletedCheckBox->setChecked(true);
    BandedGrid *grid = form->CallsdxDBGrid;
    const QString urgency = TCallsActionsForm::kCallsUrgencyColumn;
    for (int row = 0; row < calls().recordCount(); ++row) {
        const QString notes = calls().valueAt(row, calls().field(S("Notes"))).toString();
        for (const Case &c : cases) {
            if (notes == S(c.name)) {
                EXPECT_EQ(cellText(grid, row, urgency), S(c.told)) << c.name;
            }
        }
    }

    // Drawn as told: the 12-hour call's cell is red.
    const QImage shot = grid->viewport()->grab().toImage();
    int red = 0;
    for (int row = 0; row < calls().recordCount(); ++row) {
        if (cellText(grid, row, urgency) == S("Red")) {
            ++red;
            EXPECT_EQ(shot.pixelColor(grid->columnRect(row, urgency).center()), QColor(Qt::red));
        }
    }
    EXPECT_EQ(red, 1);
}

TEST_F(Browser, BandsAndCellsNameEveryColumnForAssistiveTechnology)
{
    e->execute(S("UPDATE tblCall SET OwnerID = 1, ContactID = 2 WHERE CallID = 1"));
    calls().requery();
    open();
    const QStringList callBands = {S("Urgency"), S("Call: Notes"),
                                   S("Org: CallID, Org Name, CallOwner, ContactName"),
                                   S("Info: Method, Status, Contact Phone"),
                                   S("Date: When Input, When Due, When Resolved")};
    const QStringList actionBands = {S("Urgency"), S("Action: Notes"),
                                     S("Org: ActionID, Org Name, ActionOwner, ContactName"),
                                     S("Info: Method, Status, Contact Phone"),
                                     S("Date: When Input, When Due, When Resolved")};
    for (const auto &[grid, expected] : {std::pair{form->CallsdxDBGrid, callBands},
                                         std::pair{form->ActionsdxDBGrid, actionBands}}) {
        QStringList headings;
        for (int b = 0; b < grid->model()->columnCount(); ++b)
            headings << grid->model()
                            ->headerData(b, Qt::Horizontal, Qt::AccessibleTextRole)
                            .toString();
        EXPECT_EQ(headings, expected);
    }
    EXPECT_EQ(form->CallsdxDBGrid->model()->headerData(2, Qt::Horizontal).toString(), S("Org"));

    const QString org = cellText(form->CallsdxDBGrid, 0, S("CallID"));
    EXPECT_EQ(org, S("CallID 1, Org Name Acme, CallOwner Sam  Staff, ContactName Carol  Contact"));
    EXPECT_EQ(cellText(form->CallsdxDBGrid, 0, S("DueDate")), S("When Input 10/12/2026 08:00:00, "
                                                               "When Due 12/12/2026 09:00:00"));
    EXPECT_EQ(cellText(form->ActionsdxDBGrid, 0, S("Notes")), S("Notes first action"));
}

TEST_F(Browser, GridsReadOnlyTheRowsInViewAndFollowTheCursorBothWays)
{
    e->execute(S("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                 "INSERT INTO tblCall (OrgID, StatusID, DueDate) "
                 "SELECT 1, :s, '2027-01-01 00:00:00.000' FROM n"),
               {{S("s"), constants.StatusOpenID}});
    open();
    BandedGrid *grid = form->CallsdxDBGrid;
    QCoreApplication::processEvents();
    EXPECT_EQ(calls().recordCount(), 3002);
    EXPECT_LT(calls().loadedRowCount(), 200);

    // A click makes the row current, a move of the dataset moves the grid.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->columnRect(3, S("Method")).center());
    EXPECT_EQ(calls().recNo(), 4);
    EXPECT_EQ(form->CallsPositionLabel->text(), S("4/3002"));
    calls().next();
    EXPECT_EQ(grid->currentIndex().row(), 4);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(calls().recNo(), 6);

    // Ctrl and the keypad's + and -: the view moves a record, the cursor stays.
    const int top = grid->rowAt(0);
    QTest::keyClick(grid, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(grid->rowAt(0), top + 1);
    QTest::keyClick(grid, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(grid->rowAt(0), top);
    EXPECT_EQ(calls().recNo(), 6);

    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(calls().recNo(), 3002);
    EXPECT_LT(calls().loadedRowCount(), 400);
}

TEST_F(Browser, AutoWidthFitsTheBandsToTheGrid)
{
    open();
    BandedGrid *grid = form->CallsdxDBGrid;
    auto bandsWidth = [grid] {
        int width = 0;
        for (int b = 0; b < grid->model()->columnCount(); ++b)
            width += grid->horizontalHeader()->sectionSize(b);
        return width;
    };
    auto sizes = [grid] {
        QList<int> list;
        for (int b = 0; b < grid->model()->columnCount(); ++b)
            list << grid->horizontalHeader()->sectionSize(b);
        return list;
    };
    EXPECT_TRUE(form->AutoWidthCheckBox->isChecked());
    EXPECT_EQ(bandsWidth(), grid->viewport()->width());
    EXPECT_EQ(grid->horizontalHeader()->sectionSize(0), 34) << "the urgency band stays as it is";

    // Squeezed below the bands' smallest widths and back: the proportions come back too.
    const QList<int> fitted = sizes();
    const QSize size = form->size();
    form->resize(150, size.height());
    QCoreApplication::processEvents();
    form->resize(size);
    QCoreApplication::processEvents();
    EXPECT_EQ(sizes(), fitted);

    form->AutoWidthCheckBox->setChecked(false);
    const int before = bandsWidth();
    form->resize(form->width() + 200, form->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(bandsWidth(), before);

    form->AutoWidthCheckBox->setChecked(true);
    EXPECT_EQ(bandsWidth(), grid->viewport()->width());
    EXPECT_EQ(form->ActionsdxDBGrid->autoWidth(), true);
}

TEST_F(Browser, ColumnsBandsAndRowsCanBeSized)
{
    open();
    BandedGrid *grid = form->CallsdxDBGrid;
    BandedHeader *header = grid->bandedHeader();
    QHeaderView *bands = grid->horizontalHeader();
    const int org = grid->bandOf(S("CallID"));
    const int orgWidth = bands->sectionSize(org);

    // The edge between CallID and Org Name: CallID takes 40 pixels more, the band stays as wide.
    const QRect id = header->headingRect(S("CallID"));
    const QRect name = header->headingRect(S("OrganizationNameLookUp"));
    const QRect owner = header->headingRect(S("CallOwner"));
    const QPoint edge(id.right() + 1, id.center().y());
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(40, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(40, 0));
    EXPECT_NEAR(header->headingRect(S("CallID")).width(), id.width() + 40, 1);
    EXPECT_NEAR(grid->columnRect(0, S("CallID")).width(), id.width() + 40, 1) << "the cells follow";
    EXPECT_NEAR(header->headingRect(S("OrganizationNameLookUp")).width(), name.width() - 40, 1);
    EXPECT_EQ(bands->sectionSize(org), orgWidth);
    EXPECT_EQ(header->headingRect(S("CallOwner")), owner) << "the second line keeps its own split";

    // A band made wider takes from the others while the grid fits them to its width.
    bands->resizeSection(org, orgWidth + 60);
    EXPECT_EQ(bands->sectionSize(org), orgWidth + 60);
    int total = 0;
    for (int b = 0; b < bands->count(); ++b)
        total += bands->sectionSize(b);
    EXPECT_EQ(total, grid->viewport()->width());

    // One row sized: every row takes its height.
    grid->verticalHeader()->resizeSection(1, 70);
    EXPECT_EQ(grid->rowHeight(), 70);
    EXPECT_EQ(grid->verticalHeader()->sectionSize(0), 70);
    calls().requery();
    EXPECT_EQ(grid->verticalHeader()->sectionSize(0), 70) << "kept when the rows are read again";
}

TEST_F(Browser, NotesOpenFromTheNotesHeadingOrARightClickOnANote)
{
    e->execute(S("UPDATE tblCall SET Notes = 'second call' WHERE CallID = 2"));
    e->execute(S("INSERT INTO tblOrganization (OrganizationName) VALUES ('Zulu')"));
    dm->OrgADOQuery->requery();
    open();
    BandedGrid *grid = form->CallsdxDBGrid;
    QString shown;
    auto readNotes = [&shown](QWidget *modal) {
        auto *notes = qobject_cast<TMemoPopupForm *>(modal);
        shown = notes ? notes->notesText() : S("(no notes window)");
    };

    whileModal(readNotes);
    const QRect heading = grid->bandedHeader()->headingRect(S("Notes"));
    QTest::mouseClick(grid->bandedHeader()->viewport(), Qt::LeftButton, {}, heading.center());
    EXPECT_EQ(shown, S("call notes"));

    // The right button first makes the row clicked current.
    whileModal(readNotes);
    rightClick(grid->viewport(), grid->columnRect(1, S("Notes")).center());
    EXPECT_EQ(shown, S("second call"));
    EXPECT_EQ(calls().recNo(), 2);

    // Nothing for a right click elsewhere, nor for an empty list.
    const QString none = S("(no notes window)");
    whileModal(readNotes);
    rightClick(grid->viewport(), grid->columnRect(0, S("Status")).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, none);
    dm->OrgADOQuery->last();
    ASSERT_TRUE(calls().isEmpty());
    whileModal(readNotes);
    QTest::mouseClick(grid->bandedHeader()->viewport(), Qt::LeftButton, {}, heading.center());
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, none);
}

TEST_F(Browser, ARebuildThatFailsShowsTheEnginesMessageAndKeepsWhatWasDone)
{
    open();
    e->execute(S("ALTER TABLE tblAction RENAME TO tblActionAway"));
    form->ShowCompletedCheckBox->click();
    ASSERT_EQ(prompter->messages.size(), 1);
    EXPECT_EQ(prompter->messages[0].kind, Prompter::Kind::Error);
    EXPECT_TRUE(prompter->messages[0].text.contains(S("tblAction")))
        << prompter->messages[0].text.toStdString();
    EXPECT_TRUE(calls().isActive());
    EXPECT_EQ(calls().sql(), callsListStatement(true, false, constants.StatusClosedID));
    EXPECT_FALSE(actions().isActive());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
    e->execute(S("ALTER TABLE tblActionAway RENAME TO tblAction"));
}

} // namespace
