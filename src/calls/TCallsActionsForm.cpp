#include "TCallsActionsForm.h"

#include "BandedGrid.h"
#include "DBNavigator.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "Prompter.h"
#include "RecordPosition.h"
#include "RunGuarded.h"
#include "TMemoPopupForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The hourglass for as long as it lives.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

QString statusCondition(int statusClosedId)
{
    return QStringLiteral(" StatusID <> ") + QString::number(statusClosedId);
}

void showError(const QString &message)
{
    Prompter::instance().message(message, Prompter::Kind::Error);
}

QLabel *title(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// The bands of the two grids: the urgency mark, the notes, who, what and when.
GridBand urgencyBand(const QString &column)
{
    GridBand band;
    band.accessibleName = QCoreApplication::translate("TCallsActionsForm", "Urgency");
    band.width = 34;
    band.fixed = true;
    band.lines[0] = {BandColumn{column, QString(), QString(), 34, false}};
    return band;
}

QList<GridBand> gridBands(const QString &urgencyColumn, const QString &recordBand,
                          const QString &idField, const QString &orgNameField,
                          const QString &ownerField)
{
    auto tr = [](const char *text) {
        return QCoreApplication::translate("TCallsActionsForm", text);
    };
    using C = BandColumn;
    C id = C::field(idField, 60);
    id.identifier = true;

    GridBand notes{recordBand, {}, 170, false, {}};
    notes.lines[0] = {C::field(QStringLiteral("Notes"), 170)};

    GridBand org{tr("Org"), {}, 250, false, {}};
    org.lines[0] = {id, C::field(orgNameField, 190, tr("Org Name"))};
    org.lines[1] = {C::field(ownerField, 125), C::field(QStringLiteral("ContactName"), 125)};

    GridBand info{tr("Info"), {}, 160, false, {}};
    info.lines[0] = {C::field(QStringLiteral("Method"), 80),
                     C::field(QStringLiteral("Status"), 80)};
    info.lines[1] = {C::field(QStringLiteral("PhoneExternal"), 160, tr("Contact Phone"))};

    GridBand date{tr("Date"), {}, 286, false, {}};
    date.lines[0] = {C::field(QStringLiteral("InputDate"), 143, tr("When Input")),
                     C::field(QStringLiteral("DueDate"), 143, tr("When Due"))};
    date.lines[1] = {C::field(QStringLiteral("ResolvedDate"), 286, tr("When Resolved"))};

    return {urgencyBand(urgencyColumn), notes, org, info, date};
}

} // namespace

QString callsListStatement(bool showCompleted, bool allOrgs, int statusClosedId)
{
    QString sql = QStringLiteral("SELECT * FROM tblCall");
    if (!showCompleted || !allOrgs)
        sql += QStringLiteral(" WHERE");
    if (!allOrgs)
        sql += QStringLiteral(" (OrgID = :OrgID)");
    if (!showCompleted && !allOrgs)
        sql += QStringLiteral(" AND");
    if (!showCompleted)
        sql += statusCondition(statusClosedId);
    return sql + QStringLiteral(" ORDER BY DueDate");
}

QString actionsListStatement(bool showCompleted, int statusClosedId)
{
    QString sql = QStringLiteral("SELECT * FROM tblAction WHERE (CallID = :CallID)");
    if (!showCompleted)
        sql += QStringLiteral(" AND") + statusCondition(statusClosedId);
    return sql + QStringLiteral(" ORDER BY DueDate");
}

const QString TCallsActionsForm::kCallsUrgencyColumn = QStringLiteral("CallsUrgencydxDBGridColumn");
const QString TCallsActionsForm::kActionsUrgencyColumn =
    QStringLiteral("ActionsUrgencydxDBGridColumn");

TCallsActionsForm::TCallsActionsForm(const CallsContext &ctx, QWidget *parent)
    : QWidget(parent),
      m_ctx(ctx),
      m_callsUrgency(*ctx.dm.CallsByOrgIDADOQuery, *ctx.dm.UrgencyADOTable,
                     ctx.constants.StatusClosedID),
      m_actionsUrgency(*ctx.dm.ActionsByCallIDADOQuery, *ctx.dm.UrgencyADOTable,
                       ctx.constants.StatusClosedID)
{
    setObjectName(QStringLiteral("CallsActionsForm"));
    setWindowTitle(tr("Calls and Actions"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    createOrgBar(layout);

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    auto *callsPart = new QWidget(Splitter1);
    auto *actionsPart = new QWidget(Splitter1);
    createCallsPart(callsPart);
    createActionsPart(actionsPart);
    layout->addWidget(Splitter1, 1);

    createKeys();
    resize(sizeHint());
    FormCreate();
}

QSize TCallsActionsForm::sizeHint() const
{
    // Room for the bands side by side and a handful of calls and actions.
    const QFontMetrics metrics = fontMetrics();
    return {qMax(980, 120 * metrics.averageCharWidth()), qMax(600, 36 * metrics.height())};
}

TCallsActionsForm::~TCallsActionsForm() = default;

// ---- layout ---------------------------------------------------------------------------------

QToolButton *TCallsActionsForm::commandButton(const char *command, const char *objectName)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(objectName));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (QAction *action = m_ctx.main.action(QLatin1String(command))) {
        button->setDefaultAction(action);
        // A command hidden for an archive takes its button with it.
        button->setVisible(action->isVisible());
        connect(action, &QAction::changed, button,
                [button, action] { button->setVisible(action->isVisible()); });
    }
    return button;
}

QLabel *TCallsActionsForm::positionLabel(const char *objectName, const QString &description)
{
    auto *label = new QLabel(this);
    label->setObjectName(QLatin1String(objectName));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("000000/000000")));
    // The label's text is the position itself; this says what it is the position of.
    label->setAccessibleDescription(description);
    return label;
}

void TCallsActionsForm::createOrgBar(QBoxLayout *into)
{
    OrgDBNavigator = new DBNavigator(this);
    OrgDBNavigator->setObjectName(QStringLiteral("OrgDBNavigator"));
    OrgDBNavigator->setAccessibleName(tr("Organisations"));
    OrgDBNavigator->setVisibleButtons(DBNavigator::kMoveButtons);
    OrgDBNavigator->setDataSource(m_ctx.dm.OrgDataSource);
    OrgDBNavigator->onError = showError;

    RefreshAllButton = commandButton("RefreshAll", "RefreshAllButton");

    AutoWidthCheckBox = new QCheckBox(tr("A&uto Width"), this);
    AutoWidthCheckBox->setObjectName(QStringLiteral("AutoWidthCheckBox"));
    AutoWidthCheckBox->setChecked(true);

    OrganizationNameDBText = new DBText(this);
    OrganizationNameDBText->setObjectName(QStringLiteral("OrganizationNameDBText"));
    OrganizationNameDBText->setDataSource(m_ctx.dm.OrgDataSource);
    OrganizationNameDBText->setDataField(QStringLiteral("OrganizationName"));
    // A label's accessible name is what a screen reader reads out: here the name shown.
    OrganizationNameDBText->setAccessibleName(QString());
    OrganizationNameDBText->setAccessibleDescription(tr("Organisation Name"));
    OrganizationNameDBText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    OrganizationNameDBText->setMinimumWidth(180);

    FindOrgButton = new QToolButton(this);
    FindOrgButton->setObjectName(QStringLiteral("FindOrgButton"));
    FindOrgButton->setAutoRaise(true);
    const QString findHint = tr("Find Org by Name (Ctrl-F)");
    FindOrgButton->setToolTip(findHint);
    FindOrgButton->setAccessibleName(findHint);
    if (QAction *find = m_ctx.main.action(QStringLiteral("Find1")); find && !find->icon().isNull())
        FindOrgButton->setIcon(find->icon());
    else
        FindOrgButton->setText(tr("Find"));
    connect(FindOrgButton, &QToolButton::clicked, this,
            [this] { runGuarded([this] { FindOrg(); }); });

    OrgPositionLabel = positionLabel("OrgPositionLabel", tr("Organisation position"));

    CloseButton = new QToolButton(this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setAutoRaise(true);
    CloseButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    CloseButton->setToolTip(tr("Close"));
    CloseButton->setAccessibleName(tr("Close"));
    connect(CloseButton, &QToolButton::clicked, this, [this] { runGuarded([this] { close(); }); });

    auto *bar = new QHBoxLayout;
    bar->addWidget(OrgDBNavigator);
    bar->addWidget(RefreshAllButton);
    bar->addWidget(AutoWidthCheckBox);
    bar->addWidget(OrganizationNameDBText, 1);
    bar->addWidget(FindOrgButton);
    bar->addWidget(OrgPositionLabel);
    bar->addWidget(title(tr("Orgs"), this));
    bar->addWidget(CloseButton);
    into->addLayout(bar);
}

void TCallsActionsForm::createCallsPart(QWidget *into)
{
    CallsDBNavigator = new DBNavigator(this);
    CallsDBNavigator->setObjectName(QStringLiteral("CallsDBNavigator"));
    CallsDBNavigator->setAccessibleName(tr("Calls"));
    CallsDBNavigator->setVisibleButtons(DBNavigator::kMoveButtons);
    CallsDBNavigator->setDataSource(m_ctx.dm.CallsByOrgIDDataSource);
    CallsDBNavigator->onError = showError;

    CallsPositionLabel = positionLabel("CallsPositionLabel", tr("Calls position"));
    FindCallByCallIDButton = commandButton("FindCallByCallID", "FindCallByCallIDButton");

    ShowCompletedCheckBox = new QCheckBox(tr("Show Completed"), this);
    ShowCompletedCheckBox->setObjectName(QStringLiteral("ShowCompletedCheckBox"));
    AllOrgsCheckBox = new QCheckBox(tr("All Orgs"), this);
    AllOrgsCheckBox->setObjectName(QStringLiteral("AllOrgsCheckBox"));
    for (QCheckBox *box : {ShowCompletedCheckBox, AllOrgsCheckBox})
        connect(box, &QCheckBox::toggled, this, [this] { runGuarded([this] { boxesChanged(); }); });

    CallsZoomViewButton = commandButton("CallsZoomView", "CallsZoomViewButton");
    CallsAddNewButton = commandButton("CallsAddNew", "CallsAddNewButton");

    CallsdxDBGrid = new BandedGrid(this);
    CallsdxDBGrid->setObjectName(QStringLiteral("CallsdxDBGrid"));
    CallsdxDBGrid->setAccessibleName(tr("Calls"));
    setUpGrid(CallsdxDBGrid, m_ctx.dm.CallsByOrgIDDataSource,
              gridBands(kCallsUrgencyColumn, tr("Call"), QStringLiteral("CallID"),
                        QStringLiteral("OrganizationNameLookUp"), QStringLiteral("CallOwner")),
              kCallsUrgencyColumn, m_callsUrgency);

    auto *bar = new QHBoxLayout;
    bar->addWidget(CallsDBNavigator);
    bar->addWidget(CallsPositionLabel);
    bar->addWidget(FindCallByCallIDButton);
    bar->addWidget(ShowCompletedCheckBox);
    bar->addWidget(AllOrgsCheckBox);
    bar->addStretch(1);
    bar->addWidget(title(tr("Calls"), this));
    bar->addWidget(CallsZoomViewButton);
    bar->addWidget(CallsAddNewButton);

    auto *part = new QVBoxLayout(into);
    part->setContentsMargins(0, 0, 0, 0);
    part->setSpacing(2);
    part->addLayout(bar);
    part->addWidget(CallsdxDBGrid, 1);
}

void TCallsActionsForm::createActionsPart(QWidget *into)
{
    ActionsDBNavigator = new DBNavigator(this);
    ActionsDBNavigator->setObjectName(QStringLiteral("ActionsDBNavigator"));
    ActionsDBNavigator->setAccessibleName(tr("Actions"));
    ActionsDBNavigator->setVisibleButtons(DBNavigator::kMoveButtons);
    ActionsDBNavigator->setDataSource(m_ctx.dm.ActionsByCallIDDataSource);
    ActionsDBNavigator->onError = showError;

    ActionsPositionLabel = positionLabel("ActionsPositionLabel", tr("Actions position"));
    ActionsZoomViewButton = commandButton("ActionsZoomView", "ActionsZoomViewButton");
    ActionsAddNewButton = commandButton("ActionsAddNew", "ActionsAddNewButton");

    ActionsdxDBGrid = new BandedGrid(this);
    ActionsdxDBGrid->setObjectName(QStringLiteral("ActionsdxDBGrid"));
    ActionsdxDBGrid->setAccessibleName(tr("Actions"));
    setUpGrid(ActionsdxDBGrid, m_ctx.dm.ActionsByCallIDDataSource,
              gridBands(kActionsUrgencyColumn, tr("Action"), QStringLiteral("ActionID"),
                        QStringLiteral("OrgName"), QStringLiteral("ActionOwner")),
              kActionsUrgencyColumn, m_actionsUrgency);

    auto *bar = new QHBoxLayout;
    bar->addWidget(ActionsDBNavigator);
    bar->addWidget(ActionsPositionLabel);
    bar->addStretch(1);
    bar->addWidget(title(tr("Actions"), this));
    bar->addWidget(ActionsZoomViewButton);
    bar->addWidget(ActionsAddNewButton);

    auto *part = new QVBoxLayout(into);
    part->setContentsMargins(0, 0, 0, 0);
    part->setSpacing(2);
    part->addLayout(bar);
    part->addWidget(ActionsdxDBGrid, 1);
}

void TCallsActionsForm::setUpGrid(BandedGrid *grid, DataSource *source,
                                  const QList<GridBand> &bands, const QString &urgencyColumn,
                                  const UrgencyColumn &urgency)
{
    grid->setBands(bands);
    grid->setDataSource(source);
    grid->setAutoWidth(AutoWidthCheckBox->isChecked());
    const int urgencyBand = grid->bandOf(urgencyColumn);
    grid->DrawColumnCell = [&urgency, urgencyBand](QPainter &painter, const QRect &rect,
                                                   int column, const QModelIndex &index,
                                                   QStyle::State) {
        if (column == urgencyBand)
            urgency.paint(painter, rect, index.row());
    };
    grid->setUnboundText(
        [&urgency](int row, const BandColumn &) { return urgency.cellAt(row).text; });
    connect(grid, &DBGrid::error, this, showError);
    auto notes = [this, grid](const QString &column) {
        if (column == QLatin1String("Notes"))
            runGuarded([this, grid] { showNotes(*grid); });
    };
    connect(grid, &BandedGrid::headingClicked, this, notes);
    connect(grid, &BandedGrid::cellMenuRequested, this, notes);
    connect(AutoWidthCheckBox, &QCheckBox::toggled, grid, &BandedGrid::setAutoWidth);
}

void TCallsActionsForm::createKeys()
{
    auto key = [this](QList<QKeySequence> keys, std::function<void()> work) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, [work] { runGuarded(work); });
        addAction(action);
    };
    key({QKeySequence(Qt::CTRL | Qt::Key_F)}, [this] { FindOrg(); });
    // Ctrl with the keys that carry "<" and ">": prior and next organisation; with Shift too,
    // first and last.
    auto move = [this](DBNavigator::Button button) {
        return [this, button] { OrgDBNavigator->doAction(button); };
    };
    key({QKeySequence(Qt::CTRL | Qt::Key_Comma)}, move(DBNavigator::Prior));
    key({QKeySequence(Qt::CTRL | Qt::Key_Period)}, move(DBNavigator::Next));
    key({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Comma)}, move(DBNavigator::First));
    key({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Period)}, move(DBNavigator::Last));
}

// ---- behaviour ------------------------------------------------------------------------------

void TCallsActionsForm::FormCreate()
{
    runGuarded([this] { RebuildLists(); });
    refreshOrgPositions();
    applyInvertGrids(m_ctx.main.InvertGrids());
    connect(&m_ctx.main, &TKELDMainMDIForm::invertGridsChanged, this,
            &TCallsActionsForm::applyInvertGrids);
    holdAddCommands();
    // An archive is looked at whole: completed calls too (which rebuilds the lists).
    ShowCompletedCheckBox->setChecked(m_ctx.archive());
}

bool TCallsActionsForm::showCompleted() const
{
    return ShowCompletedCheckBox->isChecked();
}

bool TCallsActionsForm::allOrgs() const
{
    return AllOrgsCheckBox->isChecked();
}

void TCallsActionsForm::boxesChanged()
{
    holdAddCommands();
    RebuildLists();
    refreshOrgPositions();
}

void TCallsActionsForm::holdAddCommands()
{
    // New calls and actions only while the lists show the open calls of one organisation.
    const bool hold = showCompleted() || allOrgs();
    for (const char *name : {"CallsAddNew", "ActionsAddNew"}) {
        QAction *command = m_ctx.main.action(QLatin1String(name));
        if (!command)
            continue;
        if (hold)
            m_ctx.main.holdDisabled(command, this);
        else
            m_ctx.main.releaseDisabled(command, this);
    }
}

void TCallsActionsForm::RebuildLists()
{
    BusyCursor busy;
    TDataModule1 &dm = m_ctx.dm;
    const int closed = m_ctx.constants.StatusClosedID;

    Dataset &calls = *dm.CallsByOrgIDADOQuery;
    Dataset &actions = *dm.ActionsByCallIDADOQuery;
    // The actions go first, so that the calls closing and opening again do not re-run the
    // actions' old statement on the way.
    actions.close();
    calls.close();
    calls.clearParams();
    calls.setSql(callsListStatement(showCompleted(), allOrgs(), closed));
    // All organisations: no parameter and no master. One: the calls follow the organisation.
    dm.linkCallsToOrganisations(!allOrgs());
    if (!allOrgs())
        calls.addParam(QStringLiteral("OrgID"), FieldType::Integer);
    calls.open();

    actions.clearParams();
    actions.setSql(actionsListStatement(showCompleted(), closed));
    actions.addParam(QStringLiteral("CallID"), FieldType::Integer);
    actions.open();
}

void TCallsActionsForm::refreshOrgPositions()
{
    OrgPositionLabel->setText(recordPositionText(*m_ctx.dm.OrgADOQuery));
    refreshCallsPosition();
    refreshActionsPosition();
}

void TCallsActionsForm::refreshCallsPosition()
{
    CallsPositionLabel->setText(recordPositionText(*m_ctx.dm.CallsByOrgIDADOQuery));
}

void TCallsActionsForm::refreshActionsPosition()
{
    ActionsPositionLabel->setText(recordPositionText(*m_ctx.dm.ActionsByCallIDADOQuery));
}

void TCallsActionsForm::applyInvertGrids(bool invert)
{
    CallsdxDBGrid->setInvertSelection(invert);
    ActionsdxDBGrid->setInvertSelection(invert);
}

void TCallsActionsForm::FindOrg()
{
    if (allOrgs())
        AllOrgsCheckBox->setChecked(false);
    if (m_ctx.main.findInDataset)
        m_ctx.main.findInDataset(this, *m_ctx.dm.OrgADOQuery);
}

void TCallsActionsForm::showNotes(BandedGrid &grid)
{
    DataSource *source = grid.dataSource();
    const Dataset *rows = source ? source->dataset() : nullptr;
    if (!rows || !rows->isActive() || rows->isEmpty())
        return;
    TMemoPopupForm::showNotes(this, *source);
}

void TCallsActionsForm::closeEvent(QCloseEvent *event)
{
    // A call or an action being edited needs the lists: the window only gets out of the way.
    if (m_ctx.main.CallForm || m_ctx.main.ActionsForm) {
        event->ignore();
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->showMinimized();
        else
            showMinimized();
        return;
    }
    event->accept();
}

void TCallsActionsForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // The calls take the upper half of the window.
    if (QLayout *l = layout())
        l->activate();
    const int handle = Splitter1->handleWidth();
    const int upper = qMax(height() / 2 - Splitter1->y(), 1);
    const int lower = qMax(Splitter1->height() - upper - handle, 1);
    Splitter1->setSizes({upper, lower});
}
