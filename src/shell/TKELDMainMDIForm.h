#pragma once

#include "SessionState.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>

class Dataset;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

// The frame of the program: every other window opens inside its MDI area or as a dialog over
// it. It owns the commands (QActions named after them, e.g. "CallsAddNew"), the menus and the
// tool bar, the refresh timer, the session record, the InvertGrids preference and one reference
// per kind of child window.
//
// Commands
//   Each command of the main list and of the values-list list is a QAction owned by this window
//   and found with action(name). Other windows bind their buttons to these actions and never
//   copy them. What a command does is set with setCommandHandler(); a command without a handler
//   does nothing, except the few with a behaviour of their own (edit commands, window
//   arrangement, Close1, InvertSelectedGridRowAction and the values-list commands), which a
//   handler replaces. Handlers run inside runGuarded().
//
//   The short-cuts of these commands work anywhere in this window, and take the key before the
//   focused text field does (Ctrl+A adds an action rather than selecting the text) whenever the
//   command is enabled and visible. Child windows must not give their own commands a key that
//   one of these commands uses: Qt treats two commands on one key as ambiguous and runs
//   neither. Ctrl+V is Paste; ValuesList1 carries no short-cut at all.
//
// Command state (MainActionListUpdate)
//   Runs when the program goes idle after a focus change and every 200 ms:
//   - CallsAddNew and ActionsAddNew are visible exactly when isReadOnly() says no (an archive);
//   - CallsAddNew, ActionsAddNew, CallsZoomView and ActionsZoomView are enabled only while the
//     Calls and Actions window (CallsActionsForm) exists;
//   - Cut, Copy and Paste follow the focused text control (a selection to cut or copy, an
//     editable control to paste into).
//
// Disabling held by other windows
//   holdDisabled(command, holder) keeps a command disabled until releaseDisabled(command, holder)
//   or until the holder object is destroyed, whichever comes first. The update never enables a
//   command that is held. Holds are a set of (command, holder) pairs: holding twice with the same
//   holder is one hold, and a command held by two windows stays disabled until both let go. When
//   the last hold on a command ends it is enabled again, or, for the four commands above, set by
//   the rule. Use holds instead of QAction::setEnabled(false) on these shared commands, e.g.
//       main->holdDisabled(main->action("ActionsAddNew"), this);   // a Call window adding
//
// Child windows
//   addChild() puts a window into the MDI area (it is deleted when closed). The QPointer
//   references clear themselves when their window is destroyed; showSingleInstance() is the
//   open-or-bring-to-front step of the window-opening commands. ReleaseChildWindows() releases
//   every child window before a reconnect.
class TKELDMainMDIForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TKELDMainMDIForm(QWidget *parent = nullptr);
    ~TKELDMainMDIForm() override;

    // ---- commands ----

    // The command of that name from either list; nullptr for an unknown name.
    QAction *action(const QString &name) const;
    QList<QAction *> mainActions() const { return m_mainActions; }     // MainActionList order
    QList<QAction *> valuesActions() const { return m_valuesActions; } // ValuesActionList order

    // What the command does when triggered (menu, button, short-cut or execute()); an empty
    // function restores the command's own behaviour (nothing for most commands).
    void setCommandHandler(const QString &name, std::function<void()> handler);
    // Runs a command's handler, guarded, whether or not the command is visible or enabled.
    void execute(const QString &name);

    // The values-list commands open the Values List window (through ValuesList1's handler) and
    // then, when ValuesListForm is set, ask this to show the given category
    // ("Call Method", "Status", "Call Type", "Resolution Type", "Organization Type", "Country",
    // "Person Type").
    std::function<void(QWidget *valuesListForm, const QString &category)> locateValueCategory;

    // True while the connection is open read-only (an archive); unset means live data.
    std::function<bool()> isReadOnly;

    // The directory windows fill these in; an empty one does nothing (false: nothing found).
    // The modal find window over a shared dataset: organisations by name, or the calls or
    // actions of the current organisation or call by the text of their notes. It moves the
    // dataset to the row chosen.
    std::function<void(QWidget *over, Dataset &dataset)> findInDataset;
    // Moves the open People window's list to the person with this key.
    std::function<bool(QWidget *peopleForm, int personId)> locatePerson;
    // Moves the open People window's list to the first person of this organisation.
    std::function<bool(QWidget *peopleForm, int orgId)> locateFirstPersonOfOrganisation;
    // Moves the open People window's organisation list to this organisation and, when found,
    // starts a new person there.
    std::function<bool(QWidget *peopleForm, int orgId)> startPersonInOrganisation;
    // Moves the open Organisations and People window to the organisation with this key.
    std::function<bool(QWidget *orgForm, int orgId)> locateOrganisation;

    // The enabling rule above; runs by itself, public so that callers can force it at once.
    void MainActionListUpdate();

    void holdDisabled(QAction *command, QObject *holder);
    void releaseDisabled(QAction *command, QObject *holder);
    bool isHeldDisabled(QAction *command) const;

    // ---- state ----

    SessionState Session;

    // The selected grid row drawn inverted in the Calls and Actions window; the tick mark of
    // "Invert Selected Grid Row" follows it.
    bool InvertGrids() const { return m_invertGrids; }
    void setInvertGrids(bool invert);

    // The program's help file: the program file with the extension ".hlp".
    QString helpFile() const { return m_helpFile; }

    // ---- child windows ----

    QPointer<QWidget> CallsActionsForm;    // Calls and Actions (TCallsActionsForm)
    QPointer<QWidget> CallForm;            // Call (TCallForm)
    QPointer<QWidget> ActionsForm;         // Action (TActionsForm)
    QPointer<QWidget> OrgForm;             // Organisations and People (TOrgForm)
    QPointer<QWidget> PeopleForm;          // People (TPeopleForm)
    QPointer<QWidget> ValuesListForm;      // Values List (TValuesListForm)
    QPointer<QWidget> ReportsListForm;     // Reports (TReportsListForm)
    QPointer<QWidget> FindForm;            // Find (TFindForm)
    QPointer<QWidget> UrgencyForm;         // Urgency Values (TUrgencyForm)
    QPointer<QWidget> LiveCallsByUserForm; // the newest Live Calls By Owner window
    QPointer<QWidget> OptionsForm;         // the Options window while it is shown

    QMdiArea *mdiArea() const { return m_mdiArea; }
    // Puts the window into the MDI area as a child window that is deleted when it closes, shows
    // it and makes it the active one. Returns its frame.
    QMdiSubWindow *addChild(QWidget *window);
    // Brings the child window to the front and gives it the focus.
    void activateChild(QWidget *window);
    // The single-instance step of a window-opening command: an existing window comes to the
    // front; otherwise create() makes one, it is stored in ref, added as a child and shown.
    QWidget *showSingleInstance(QPointer<QWidget> &ref, const std::function<QWidget *()> &create);
    // Releases every child window (destroyed once the current command has finished) and clears
    // the references: first the referenced ones in the order Call, Action, Calls and Actions,
    // People, Organisations and People, Live Calls By Owner, Reports, Find, Urgency Values,
    // Values List, Options, then any other child window still open.
    void ReleaseChildWindows();

    // ---- menus, tool bar, timer ----

    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *windowMenu() const { return m_windowMenu; }
    QTimer *refreshTimer() const { return m_timer1; }
    // The refresh tick: runs RefreshAll when the Calls and Actions window is the active window.
    void Timer1Timer();

    // ---- settings ----

    // Reads the per-user settings (see AppSettings) into Session, the bounds and InvertGrids.
    void ReadSettings();
    // Writes the bounds and InvertGrids; throws std::runtime_error when the store fails.
    void WriteSettings();

signals:
    void invertGridsChanged(bool invert);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void createCommands();
    void createMenus();
    void createToolBar();
    void runCommand(const QString &name);
    void runDefault(const QString &name);
    void rebuildWindowMenu();
    void scheduleUpdate();
    void updateEditCommands();
    void applyEnabled(QAction *command, bool byRule);
    QWidget *textTarget() const;
    void tileChildren(Qt::Orientation orientation);
    void arrangeIcons();
    bool claimsShortcut(const QKeyCombination &key) const;

    QMdiArea *m_mdiArea = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_windowListActions;
    QTimer *m_timer1 = nullptr;
    QTimer *m_updateTimer = nullptr;
    QTimer *m_idleUpdate = nullptr;

    QList<QAction *> m_mainActions;
    QList<QAction *> m_valuesActions;
    QHash<QString, QAction *> m_byName;
    QHash<QString, std::function<void()>> m_handlers;
    QHash<QString, QString> m_valueCategories;   // values-list command -> category

    QHash<QAction *, QList<QObject *>> m_holds;  // command -> holders
    QHash<QObject *, QMetaObject::Connection> m_holderWatch;
    QPointer<QWidget> m_lastTextFocus;

    bool m_invertGrids = false;
    QString m_helpFile;
};
