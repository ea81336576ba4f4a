#pragma once

#include "CallsContext.h"
#include "GridBand.h"
#include "UrgencyColumn.h"

#include <QWidget>

class BandedGrid;
class DBNavigator;
class DBText;
class QAction;
class QBoxLayout;
class QCheckBox;
class QLabel;
class QSplitter;
class QToolButton;

// The statements of the shared calls and actions datasets, by the two boxes of the browser:
// completed calls and actions are left out unless "Show Completed" is ticked, and the calls
// follow the current organisation unless "All Orgs" is ticked. A row whose StatusID is null
// counts as not open and is left out with the closed ones.
QString callsListStatement(bool showCompleted, bool allOrgs, int statusClosedId);
QString actionsListStatement(bool showCompleted, int statusClosedId);

// "Calls and Actions": the window users work in all day. One organisation at a time (or all of
// them), its calls in the grid above, the current call's actions in the grid below, each row
// marked by urgency in its first cell. It owns the statements of the shared calls and actions
// datasets; the editors read "Show Completed" before they close a call or an action.
//
// The main window wires the data module's browser hooks to this window's methods (the
// positions, and "All Orgs" for the calls' organisation following).
class TCallsActionsForm : public QWidget
{
    Q_OBJECT
public:
    explicit TCallsActionsForm(const CallsContext &ctx, QWidget *parent = nullptr);
    ~TCallsActionsForm() override;

    // Organisation bar
    DBNavigator *OrgDBNavigator;
    QToolButton *RefreshAllButton;
    QCheckBox *AutoWidthCheckBox;           // "A&uto Width"
    DBText *OrganizationNameDBText;
    QToolButton *FindOrgButton;             // "Find Org by Name (Ctrl-F)"
    QLabel *OrgPositionLabel;               // "3/17", "None"
    QToolButton *CloseButton;
    // Calls bar and grid
    DBNavigator *CallsDBNavigator;
    QLabel *CallsPositionLabel;
    QToolButton *FindCallByCallIDButton;
    QCheckBox *ShowCompletedCheckBox;       // "Show Completed"
    QCheckBox *AllOrgsCheckBox;             // "All Orgs"
    QToolButton *CallsZoomViewButton;
    QToolButton *CallsAddNewButton;
    BandedGrid *CallsdxDBGrid;
    QSplitter *Splitter1;
    // Actions bar and grid
    DBNavigator *ActionsDBNavigator;
    QLabel *ActionsPositionLabel;
    QToolButton *ActionsZoomViewButton;
    QToolButton *ActionsAddNewButton;
    BandedGrid *ActionsdxDBGrid;

    // The unbound urgency columns of the two grids.
    static const QString kCallsUrgencyColumn;       // CallsUrgencydxDBGridColumn
    static const QString kActionsUrgencyColumn;     // ActionsUrgencydxDBGridColumn

    bool showCompleted() const;
    bool allOrgs() const;

    // Re-states and re-opens the calls and then the actions, by the two boxes; the hourglass
    // shows meanwhile. An engine error goes on to the caller and leaves the lists as the
    // failed step left them.
    void RebuildLists();
    // The organisation moved: all three positions. The calls or the actions moved: theirs.
    void refreshOrgPositions();
    void refreshCallsPosition();
    void refreshActionsPosition();
    // The current row of both grids drawn inverted, or not.
    void applyInvertGrids(bool invert);

    // The find button and Ctrl+F: "All Orgs" is unticked first, then the find window is shown
    // over the organisations.
    void FindOrg();
    // The notes window on the grid's current row, unless its list is empty.
    void showNotes(BandedGrid &grid);

    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createOrgBar(QBoxLayout *into);
    void createCallsPart(QWidget *into);
    void createActionsPart(QWidget *into);
    void createKeys();
    void setUpGrid(BandedGrid *grid, DataSource *source, const QList<GridBand> &bands,
                   const QString &urgencyColumn, const UrgencyColumn &urgency);
    QToolButton *commandButton(const char *command, const char *objectName);
    QLabel *positionLabel(const char *objectName, const QString &description);
    void FormCreate();
    void boxesChanged();
    void holdAddCommands();

    const CallsContext m_ctx;
    UrgencyColumn m_callsUrgency;
    UrgencyColumn m_actionsUrgency;
};
