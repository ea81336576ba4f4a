#include "AppSettings.h"
#include "Prompter.h"
#include "TKELDMainMDIForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <optional>

namespace {

// A main window with its settings in a temporary INI file and a scripted prompter.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto p = std::make_unique<ScriptedPrompter>();
        prompter = p.get();
        Prompter::install(std::move(p));
        ASSERT_TRUE(dir.isValid());
        AppSettings::setStoreFile(settingsPath());
        form = std::make_unique<TKELDMainMDIForm>();
    }

    void TearDown() override
    {
        form.reset();
        AppSettings::setStoreFile(QString());
    }

    QString settingsPath() const { return dir.filePath(QStringLiteral("settings.ini")); }

    void writeSettingsFile(const QByteArray &content)
    {
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    // A child window in the MDI area holding one line edit, stored in ref when given.
    QLineEdit *openChild(const QString &title, QPointer<QWidget> *ref = nullptr)
    {
        auto *w = new QWidget;
        w->setWindowTitle(title);
        auto *edit = new QLineEdit(w);
        (new QVBoxLayout(w))->addWidget(edit);
        form->addChild(w);
        if (ref)
            *ref = w;
        return edit;
    }

    void showActive()
    {
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QAction *act(const char *name) const
    {
        QAction *a = form->action(QLatin1String(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }

    // Counts the runs of a command's handler.
    int *countRuns(const char *name)
    {
        auto *count = &runs[QLatin1String(name)];
        form->setCommandHandler(QLatin1String(name), [count] { ++*count; });
        return count;
    }

    QTemporaryDir dir;
    ScriptedPrompter *prompter = nullptr;
    std::unique_ptr<TKELDMainMDIForm> form;
    QHash<QString, int> runs;
};

using MainWindowCommands = MainWindowTest;
using MainWindowUpdate = MainWindowTest;
using MainWindowSettings = MainWindowTest;
using MainWindowKeys = MainWindowTest;
using MainWindowChildren = MainWindowTest;

// What the menus and the tool bar hold: command names, "-" for a separator, ">title" for a
// sub-menu, "|spacer" for a widget.
QStringList itemsOf(const QList<QAction *> &actions, QToolBar *bar = nullptr)
{
    QStringList items;
    for (QAction *a : actions) {
        if (a->isSeparator())
            items << QStringLiteral("-");
        else if (a->menu())
            items << QLatin1Char('>') + a->menu()->title();
        else if (bar && a->objectName().isEmpty())
            items << QLatin1Char('|') + bar->widgetForAction(a)->objectName();
        else
            items << (a->objectName().isEmpty() ? a->text() : a->objectName());
    }
    return items;
}

TEST_F(MainWindowCommands, MainListMatchesTheCommandTable)
{
    struct Row
    {
        const char *name, *caption, *hint, *shortcut;
        bool visible;
    };
    const Row table[] = {
        {"EditCopy1", "&Copy", "Copy", "Ctrl+C", true},
        {"EditCut1", "Cu&t", "Cut", "Ctrl+X", true},
        {"EditPaste1", "&Paste", "Paste", "Ctrl+V", true},
        {"CallsActions1", "Calls && Actions", "View Calls and Actions", "Ctrl+N", true},
        {"OrgsPeople1", "Organisations && People", "Maintain Orgs", "Ctrl+O", true},
        {"People1", "People", "Maintain People", "Ctrl+E", true},
        {"WindowArrange1", "&Arrange", "", "", true},
        {"WindowCascade1", "&Cascade", "", "", true},
        {"WindowTileHorizontal1", "Tile &Horizontally", "", "", true},
        {"WindowTileVertical1", "&Tile Vertically", "", "", true},
        {"Find1", "Find", "Find Org by Phone or Person", "Ctrl+G", true},
        {"HelpContents1", "&Contents", "Help Contents", "F1", true},
        {"About1", "&About", "About KELD", "", true},
        {"Close1", "Close", "Exit Vellomar", "", true},
        {"ValuesList1", "Values List", "", "", false},   // its Ctrl+V belongs to Paste
        {"ListReports", "List Reports", "Reports", "Ctrl+R", true},
        {"OptionsSetup", "Setup", "", "", false},
        {"CallsAddNew", "Calls", "Add New Call", "Ctrl+L", true},
        {"ActionsAddNew", "Actions", "Add New Action", "Ctrl+A", true},
        {"UrgencyFormOpen", "Urgency Values", "", "", false},
        {"CallsZoomView", "Zoom Calls", "Zoom Calls Read Only", "Ctrl+Z", true},
        {"ActionsZoomView", "Zoom Actions", "Zoom Actions Read Only", "Ctrl+M", true},
        {"QuickHelp", "Quick Help", "Quick Help on keys", "Ctrl+Q", true},
        {"LiveCallsByUser", "LiveCallsByUser", "Show Live Calls by Person", "Ctrl+Y", true},
        {"FindCallByCallID", "Find Call By CallID", "Find Call By Call ID", "Ctrl+D", true},
        {"RefreshAll", "Refresh All", "Refresh All Data", "", true},
        {"InvertSelectedGridRowAction", "Invert Selected Grid Row", "", "", true},
        {"UsersGroupsAction", "User Group Membership", "", "", false},
        {"ChangePasswordAction", "Change Password", "", "", true},
        {"ViewArchiveAction", "View Archive", "View an archive", "", true},
        {"ReOpenMainDBAction", "Open Live Data", "", "", false},
    };
    const QList<QAction *> list = form->mainActions();
    ASSERT_EQ(list.size(), qsizetype(std::size(table)));
    for (size_t i = 0; i < std::size(table); ++i) {
        const Row &r = table[i];
        QAction *a = list.at(qsizetype(i));
        SCOPED_TRACE(r.name);
        EXPECT_EQ(a->objectName(), QLatin1String(r.name));
        EXPECT_EQ(form->action(QLatin1String(r.name)), a);
        EXPECT_EQ(a->parent(), form.get());
        EXPECT_EQ(a->text(), QString::fromUtf8(r.caption));
        EXPECT_EQ(a->statusTip(), QString::fromUtf8(r.hint));
        if (*r.hint) {
            EXPECT_EQ(a->toolTip(), QString::fromUtf8(r.hint));
        }
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(r.shortcut)));
        // The four add and zoom commands follow the idle rule; the rest start as the table says.
        EXPECT_EQ(a->isVisible(), r.visible);
    }

    const char *values[] = {"ValuesListCallMethod", "ValuesListStatus", "ValuesListCallType",
                            "ValuesListResolutionType", "ValuesListOrganisationType",
                            "ValuesListCountry", "ValuesListPersonType"};
    const QList<QAction *> valueList = form->valuesActions();
    ASSERT_EQ(valueList.size(), qsizetype(std::size(values)));
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(valueList.at(qsizetype(i))->objectName(), QLatin1String(values[i]));
        EXPECT_EQ(valueList.at(qsizetype(i))->text(), QStringLiteral("..."));
    }
    EXPECT_EQ(form->action(QStringLiteral("NoSuchCommand")), nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Vellomar"));
}

TEST_F(MainWindowCommands, MenusAndToolBarAreInOrder)
{
    const QList<QAction *> top = form->menuBar()->actions();
    QStringList titles;
    for (QAction *a : top)
        titles << a->text();
    ASSERT_EQ(titles, QStringList({"&File", "&Edit", "&Tools", "Forms", "Reports", "&Window", "&Help"}));

    auto menu = [&](int i) { return top.at(i)->menu()->actions(); };
    EXPECT_EQ(itemsOf(menu(0)), QStringList({"ViewArchiveAction", "ReOpenMainDBAction", "Close1"}));
    EXPECT_EQ(itemsOf(menu(1)), QStringList({"EditCut1", "EditCopy1", "EditPaste1"}));
    EXPECT_EQ(itemsOf(menu(2)), QStringList({"Find1", "-", ">Options..."}));
    EXPECT_EQ(itemsOf(menu(2).at(2)->menu()->actions()),
              QStringList({"InvertSelectedGridRowAction", "ChangePasswordAction", "ValuesList1",
                           "UrgencyFormOpen", "OptionsSetup", "UsersGroupsAction"}));
    EXPECT_EQ(itemsOf(menu(3)), QStringList({"CallsActions1", "OrgsPeople1", "People1"}));
    EXPECT_EQ(itemsOf(menu(4)), QStringList({"ListReports"}));
    EXPECT_EQ(itemsOf(menu(5)), QStringList({"WindowTileHorizontal1", "WindowTileVertical1",
                                             "WindowCascade1", "WindowArrange1Item"}));
    EXPECT_EQ(menu(5).at(3)->text(), QStringLiteral("&Arrange Icons"));
    EXPECT_EQ(itemsOf(menu(6)), QStringList({"QuickHelp", "HelpContents1", "-", "About1"}));

    QToolBar *bar = form->toolBar();
    EXPECT_EQ(itemsOf(bar->actions(), bar),
              QStringList({"EditCut1", "EditCopy1", "EditPaste1", "-", "CallsActions1",
                           "OrgsPeople1", "People1", "LiveCallsByUser", "ListReports", "-", "Find1",
                           "-", "QuickHelp", "HelpContents1", "|ToolBarSpacer", "About1", "Close1",
                           "|ToolBarRightMargin"}));
    for (QAction *a : bar->actions()) {
        if (a->isSeparator() || a->objectName().isEmpty())
            continue;
        SCOPED_TRACE(a->objectName().toStdString());
        EXPECT_FALSE(a->icon().isNull());
        EXPECT_EQ(bar->widgetForAction(a)->accessibleName(), a->statusTip());
    }
}

TEST_F(MainWindowCommands, AboutAndCloseStayAtTheRightEnd)
{
    form->show();
    for (int width : {700, 1100}) {
        form->resize(width, 500);
        QApplication::processEvents();
        QWidget *close = form->toolBar()->widgetForAction(act("Close1"));
        QWidget *about = form->toolBar()->widgetForAction(act("About1"));
        EXPECT_EQ(form->toolBar()->width(), width);
        EXPECT_EQ(form->toolBar()->width() - (close->geometry().right() + 1), 6) << width;
        EXPECT_GT(close->geometry().left(), about->geometry().right()) << width;
        EXPECT_LE(close->geometry().left(), about->geometry().right() + 3) << width;
    }
}

TEST_F(MainWindowCommands, HooksRunGuardedAndUnsetOnesDoNothing)
{
    int *opened = countRuns("CallsActions1");
    act("CallsActions1")->trigger();
    act("Find1")->trigger();   // nobody filled it in: nothing happens
    EXPECT_EQ(*opened, 1);

    form->setCommandHandler(QStringLiteral("People1"), [] { throw std::runtime_error("no people"); });
    act("People1")->trigger();
    EXPECT_EQ(prompter->texts(), QStringList({"no people"}));

    form->setCommandHandler(QStringLiteral("CallsActions1"), {});
    act("CallsActions1")->trigger();
    EXPECT_EQ(*opened, 1);
}

TEST_F(MainWindowCommands, ValuesListCommandsOpenTheWindowAtTheirCategory)
{
    // ValuesList1 stays hidden (no rights), the values-list buttons still open the window.
    QPointer<QWidget> valuesWindow;
    form->setCommandHandler(QStringLiteral("ValuesList1"), [&] {
        form->showSingleInstance(form->ValuesListForm, [&] { return valuesWindow = new QWidget; });
    });
    QStringList located;
    form->locateValueCategory = [&](QWidget *w, const QString &category) {
        EXPECT_EQ(w, valuesWindow.data());
        located << category;
    };
    act("ValuesListCountry")->trigger();
    act("ValuesListPersonType")->trigger();
    act("ValuesListOrganisationType")->trigger();
    EXPECT_EQ(located, QStringList({"Country", "Person Type", "Organization Type"}));
    EXPECT_EQ(form->mdiArea()->subWindowList().size(), 1);
}

TEST_F(MainWindowCommands, InvertSelectedGridRowFlipsThePreferenceAndItsTick)
{
    QSignalSpy changed(form.get(), &TKELDMainMDIForm::invertGridsChanged);
    QAction *invert = act("InvertSelectedGridRowAction");
    form->setInvertGrids(true);
    ASSERT_TRUE(invert->isChecked());

    invert->trigger();   // as from the menu
    EXPECT_FALSE(form->InvertGrids());
    EXPECT_FALSE(invert->isChecked());
    form->execute(QStringLiteral("InvertSelectedGridRowAction"));
    EXPECT_TRUE(form->InvertGrids());
    EXPECT_TRUE(invert->isChecked());
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(MainWindowUpdate, ArchiveAndBrowserDecideTheAddAndZoomCommands)
{
    struct Case
    {
        bool archive, browser;
        bool addVisible, enabled;
    };
    const Case cases[] = {
        {false, true, true, true},
        {true, true, false, true},
        {false, false, true, false},
        {true, false, false, false},
    };
    bool archive = false;
    form->isReadOnly = [&] { return archive; };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "archive " << c.archive << " browser " << c.browser);
        archive = c.archive;
        if (c.browser && !form->CallsActionsForm)
            openChild(QStringLiteral("Calls and Actions"), &form->CallsActionsForm);
        if (!c.browser)
            delete form->CallsActionsForm;
        form->MainActionListUpdate();
        EXPECT_EQ(act("CallsAddNew")->isVisible(), c.addVisible);
        EXPECT_EQ(act("ActionsAddNew")->isVisible(), c.addVisible);
        EXPECT_TRUE(act("CallsZoomView")->isVisible());
        EXPECT_TRUE(act("ActionsZoomView")->isVisible());
        for (const char *name : {"CallsZoomView", "ActionsZoomView"})
            EXPECT_EQ(act(name)->isEnabled(), c.enabled) << name;
        if (c.addVisible) {
            for (const char *name : {"CallsAddNew", "ActionsAddNew"})
                EXPECT_EQ(act(name)->isEnabled(), c.enabled) << name;
        }
    }
}

TEST_F(MainWindowUpdate, HoldsSurviveUpdatesUntilLiftedOrTheHolderGoes)
{
    openChild(QStringLiteral("Calls and Actions"), &form->CallsActionsForm);
    QAction *addCall = act("CallsAddNew");
    QAction *orgs = act("OrgsPeople1");
    QObject browserBoxes;
    auto *callWindow = new QObject;

    form->holdDisabled(addCall, &browserBoxes);   // "All Orgs" ticked
    form->holdDisabled(addCall, &browserBoxes);   // and "Show Completed": still one hold
    form->holdDisabled(addCall, callWindow);
    form->holdDisabled(orgs, callWindow);
    for (int i = 0; i < 3; ++i)
        form->MainActionListUpdate();
    QTest::qWait(250);   // the timed update too
    EXPECT_FALSE(addCall->isEnabled());
    EXPECT_FALSE(orgs->isEnabled());
    EXPECT_TRUE(act("ActionsAddNew")->isEnabled());

    form->releaseDisabled(addCall, &browserBoxes);
    form->MainActionListUpdate();
    EXPECT_FALSE(addCall->isEnabled()) << "the Call window still holds it";

    delete callWindow;   // closing without lifting its holds
    EXPECT_TRUE(addCall->isEnabled());
    EXPECT_TRUE(orgs->isEnabled());

    // A lifted hold does not enable against the rule.
    form->holdDisabled(addCall, &browserBoxes);
    delete form->CallsActionsForm;
    form->releaseDisabled(addCall, &browserBoxes);
    EXPECT_FALSE(addCall->isEnabled());
    EXPECT_FALSE(form->isHeldDisabled(addCall));
}

TEST_F(MainWindowSettings, ReadingAppliesValuesInOrderAndStopsAtTheFirstBadOne)
{
    struct Case
    {
        const char *label;
        QByteArray ini;
        QString dataSource, systemDb;    // expected Session fields
        std::optional<QPoint> pos;       // nullopt: untouched
        std::optional<QSize> size;
        bool invert;
    };
    const QString keptSource = QStringLiteral("/kept/calls.vdb");
    const Case cases[] = {
        {"everything", "[General]\nDataSource=/db/calls.vdb\nSystemDb=/db/calls.vwg\nTop=40\n"
                       "Left=30\nWidth=900\nHeight=650\nInvertGrids=1\n",
         "/db/calls.vdb", "/db/calls.vwg", QPoint(30, 40), QSize(900, 650), true},
        {"no store at all", "", keptSource, "", std::nullopt, std::nullopt, false},
        {"texts absent, numbers read", "[General]\nTop=41\nLeft=31\nWidth=901\nHeight=651\nInvertGrids=0\n",
         keptSource, "", QPoint(31, 41), QSize(901, 651), false},
        {"empty DataSource leaves the session", "[General]\nDataSource=\nSystemDb=/db/w.vwg\n",
         keptSource, "/db/w.vwg", std::nullopt, std::nullopt, false},
        {"Top missing stops the rest", "[General]\nDataSource=/a.vdb\nLeft=30\nWidth=900\n"
                                       "Height=650\nInvertGrids=1\n",
         "/a.vdb", "", std::nullopt, std::nullopt, false},
        {"wrong type stops at Width", "[General]\nTop=40\nLeft=30\nWidth=wide\nHeight=650\nInvertGrids=1\n",
         keptSource, "", QPoint(30, 40), std::nullopt, false},
        {"beyond 32 bits stops at Height", "[General]\nTop=40\nLeft=30\nWidth=900\nHeight=4294967296\n"
                                           "InvertGrids=1\n",
         keptSource, "", QPoint(30, 40), QSize(900, 720), false},
        {"a list is no text", "[General]\nDataSource=a, b\nTop=40\nLeft=30\n", keptSource, "",
         std::nullopt, std::nullopt, false},
        {"InvertGrids missing", "[General]\nTop=-5\nLeft=+7\nWidth=800\nHeight=600\n", keptSource, "",
         QPoint(7, -5), QSize(800, 600), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(settingsPath());
        if (!c.ini.isEmpty())
            writeSettingsFile(c.ini);
        TKELDMainMDIForm w;
        w.Session.DataSource = keptSource;
        const QPoint pos0 = w.pos();
        const QSize size0 = w.size();
        w.ReadSettings();
        EXPECT_EQ(w.Session.DataSource, c.dataSource);
        EXPECT_EQ(w.Session.SystemDb, c.systemDb);
        EXPECT_EQ(w.pos(), c.pos.value_or(pos0));
        EXPECT_EQ(w.size(), c.size.value_or(size0));
        EXPECT_EQ(w.InvertGrids(), c.invert);
        EXPECT_EQ(w.action(QStringLiteral("InvertSelectedGridRowAction"))->isChecked(), c.invert);
    }
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(MainWindowSettings, ClosingWritesBoundsAndInvertGridsAsNumbers)
{
    form->move(25, 35);
    form->resize(880, 610);
    form->setInvertGrids(true);
    act("Close1")->trigger();

    QSettings written(settingsPath(), QSettings::IniFormat);
    EXPECT_EQ(written.value("Top").toString(), QStringLiteral("35"));
    EXPECT_EQ(written.value("Left").toString(), QStringLiteral("25"));
    EXPECT_EQ(written.value("Width").toString(), QStringLiteral("880"));
    EXPECT_EQ(written.value("Height").toString(), QStringLiteral("610"));
    EXPECT_EQ(written.value("InvertGrids").toString(), QStringLiteral("1"));
    EXPECT_FALSE(written.contains("DataSource"));

    // The next start reads back what this one wrote.
    TKELDMainMDIForm next;
    next.ReadSettings();
    EXPECT_EQ(next.geometry(), form->geometry());
    EXPECT_TRUE(next.InvertGrids());
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(MainWindowSettings, AStoreThatCannotBeWrittenIsReportedAndTheWindowStillCloses)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("settings.ini")));   // a folder in its way
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(prompter->messages.size(), 1);
    EXPECT_TRUE(prompter->messages.first().text.contains(QStringLiteral("settings")));
}

TEST_F(MainWindowKeys, CommandKeysComeBeforeTheFocusedTextField)
{
    QLineEdit *edit = openChild(QStringLiteral("Calls and Actions"), &form->CallsActionsForm);
    act("ValuesList1")->setVisible(true);   // as for a manager
    int *valuesList = countRuns("ValuesList1");
    int *addAction = countRuns("ActionsAddNew");
    int *zoomCalls = countRuns("CallsZoomView");
    showActive();
    edit->setFocus();
    form->MainActionListUpdate();

    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    edit->setText(QStringLiteral("abc"));
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("abcpasted"));
    EXPECT_EQ(*valuesList, 0);

    // Ctrl+A adds an action and Ctrl+Z zooms instead of selecting or undoing in the field.
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(*addAction, 1);
    EXPECT_EQ(*zoomCalls, 1);
    EXPECT_EQ(edit->text(), QStringLiteral("abcpasted"));
    EXPECT_FALSE(edit->hasSelectedText());

    // With the command disabled the field has its key back.
    form->holdDisabled(act("ActionsAddNew"), edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(*addAction, 1);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("abcpasted"));
}

TEST_F(MainWindowKeys, EditCommandsFollowTheFocusedField)
{
    QLineEdit *edit = openChild(QStringLiteral("People"));
    QLineEdit *readOnly = openChild(QStringLiteral("Find"));
    readOnly->setReadOnly(true);
    readOnly->setText(QStringLiteral("fixed"));
    showActive();

    edit->setFocus();
    edit->setText(QStringLiteral("one two"));
    edit->setSelection(0, 3);
    form->MainActionListUpdate();
    EXPECT_TRUE(act("EditCut1")->isEnabled());
    act("EditCut1")->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral(" two"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("one"));

    form->activateChild(readOnly->parentWidget());
    readOnly->setFocus();
    readOnly->selectAll();
    form->MainActionListUpdate();
    EXPECT_TRUE(act("EditCopy1")->isEnabled());
    EXPECT_FALSE(act("EditCut1")->isEnabled());
    EXPECT_FALSE(act("EditPaste1")->isEnabled());
    act("EditPaste1")->trigger();   // even when triggered: a read-only field takes nothing
    form->execute(QStringLiteral("EditPaste1"));
    EXPECT_EQ(readOnly->text(), QStringLiteral("fixed"));
}

TEST_F(MainWindowChildren, WindowMenuListsTheOpenChildrenAndActivatesThem)
{
    openChild(QStringLiteral("Calls and Actions"), &form->CallsActionsForm);
    openChild(QStringLiteral("Tom & Jerry"), &form->PeopleForm);
    showActive();
    QMenu *menu = form->windowMenu();
    emit menu->aboutToShow();

    QStringList entries;
    QList<QAction *> items;
    for (QAction *a : menu->actions().mid(5)) {   // after the four arrangement items and a bar
        entries << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
        items << a;
    }
    EXPECT_EQ(entries, QStringList({"&1 Calls and Actions", "&2 Tom && Jerry *"}));
    ASSERT_EQ(items.size(), 2);
    items.first()->trigger();
    EXPECT_EQ(form->mdiArea()->currentSubWindow()->widget(), form->CallsActionsForm.data());

    form->CallsActionsForm->close();   // as its own Close button does
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form->CallsActionsForm.isNull());
    QApplication::processEvents();
    EXPECT_EQ(form->mdiArea()->subWindowList().size(), 1) << "no empty frame left behind";
    emit menu->aboutToShow();
    EXPECT_EQ(menu->actions().size(), 6);
    EXPECT_EQ(menu->actions().last()->text(), QStringLiteral("&1 Tom && Jerry"));
}

TEST_F(MainWindowChildren, SingleInstanceAndReleaseInOrder)
{
    int created = 0;
    auto make = [&] { ++created; return new QWidget; };
    QWidget *first = form->showSingleInstance(form->OrgForm, make);
    EXPECT_EQ(form->showSingleInstance(form->OrgForm, make), first);
    EXPECT_EQ(created, 1);

    QStringList destroyed;
    auto track = [&](QPointer<QWidget> &ref, const QString &name) {
        if (!ref)
            openChild(name, &ref);
        QObject::connect(ref.data(), &QObject::destroyed, [&destroyed, name] { destroyed << name; });
    };
    track(form->OrgForm, QStringLiteral("Orgs"));
    track(form->CallsActionsForm, QStringLiteral("Browser"));
    track(form->CallForm, QStringLiteral("Call"));
    track(form->ValuesListForm, QStringLiteral("Values"));
    QPointer<QWidget> olderLiveCalls;
    track(olderLiveCalls, QStringLiteral("Older live calls"));

    form->ReleaseChildWindows();
    EXPECT_TRUE(form->CallForm.isNull());
    EXPECT_TRUE(form->CallsActionsForm.isNull());
    EXPECT_TRUE(form->OrgForm.isNull());
    EXPECT_TRUE(destroyed.isEmpty()) << "released once the command has finished";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(destroyed, QStringList({"Call", "Browser", "Orgs", "Values", "Older live calls"}));
    EXPECT_TRUE(form->mdiArea()->subWindowList().isEmpty());
}

TEST_F(MainWindowChildren, ArrangementCommandsPlaceTheChildren)
{
    form->show();
    openChild(QStringLiteral("A"));
    openChild(QStringLiteral("B"));
    QApplication::processEvents();
    const QRect area = form->mdiArea()->viewport()->rect();
    auto frames = [&] { return form->mdiArea()->subWindowList(QMdiArea::CreationOrder); };

    act("WindowTileHorizontal1")->trigger();
    for (QMdiSubWindow *s : frames())
        EXPECT_EQ(s->width(), area.width());
    EXPECT_NE(frames()[0]->y(), frames()[1]->y());

    act("WindowTileVertical1")->trigger();
    for (QMdiSubWindow *s : frames())
        EXPECT_EQ(s->height(), area.height());
    EXPECT_NE(frames()[0]->x(), frames()[1]->x());

    frames()[0]->showMinimized();
    frames()[1]->showMinimized();
    form->windowMenu()->actions().at(3)->trigger();   // "&Arrange Icons"
    for (QMdiSubWindow *s : frames())
        EXPECT_EQ(s->geometry().bottom(), area.bottom());
    EXPECT_EQ(frames()[0]->x(), area.left());
    EXPECT_EQ(frames()[1]->x(), frames()[0]->geometry().right() + 1);
}

TEST_F(MainWindowChildren, RefreshTimerActsOnlyWhileTheBrowserIsActive)
{
    int *refreshed = countRuns("RefreshAll");
    QLineEdit *browserEdit = openChild(QStringLiteral("Calls and Actions"), &form->CallsActionsForm);
    openChild(QStringLiteral("People"));
    showActive();
    EXPECT_EQ(form->refreshTimer()->interval(), 600000);
    EXPECT_TRUE(form->refreshTimer()->isActive());

    form->Timer1Timer();   // People is active
    EXPECT_EQ(*refreshed, 0);
    form->activateChild(browserEdit->parentWidget());
    form->Timer1Timer();
    EXPECT_EQ(*refreshed, 1);
    form->CallsActionsForm->setEnabled(false);   // an editor is adding a record
    form->Timer1Timer();
    EXPECT_EQ(*refreshed, 1);
}

} // namespace
