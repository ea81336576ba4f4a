#include "TCallForm.h"

#include "Clock.h"
#include "ControlColors.h"
#include "DBEdit.h"
#include "DBLookupCombo.h"
#include "DBMemo.h"
#include "DBNavigator.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "EditorParts.h"
#include "Prompter.h"
#include "RunGuarded.h"
#include "ScratchQuery.h"
#include "TActionsForm.h"
#include "TDBDateTimePanel.h"
#include "TDBGridPlus.h"
#include "TMemoPopupForm.h"
#include "TResTypeForm.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

using EditorParts::ChooserBinding;

namespace {

constexpr int kAdministrators = 4;   // the rights level of "CallAdmins"

const QString kNotes = QStringLiteral("Notes");

QLabel *titleLabel(const QString &text, QWidget *parent)
{
    auto *title = new QLabel(text, parent);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title->setFont(f);
    return title;
}

} // namespace

TCallForm::TCallForm(const CallsContext &ctx, QWidget *parent)
    : RecordEditorForm(ctx,
                       {"CallForm", tr("Call"), ctx.dm.CallsByOrgIDDataSource,
                        QStringLiteral("CallID"), QStringLiteral("Call User Fields"),
                        &TKELDMainMDIForm::CallForm, &TKELDMainMDIForm::ActionsForm,
                        {QStringLiteral("ActionsAddNew"), QStringLiteral("ActionsZoomView"),
                         QStringLiteral("OrgsPeople1")}},
                       parent)
{
    TDataModule1 &dm = ctx.dm;
    DataSource *call = dm.CallsByOrgIDDataSource;
    ValuesListCallUserADOQuery = m_labelQuery;
    ValuesListCallUserADOQuery->setObjectName(QStringLiteral("ValuesListCallUserADOQuery"));
    chooseResolution = [this] { return ChooseResolutionType(); };

    // ---- heading
    CallRefDBEdit = new DBEdit(this);
    CallRefDBEdit->setObjectName(QStringLiteral("CallRefDBEdit"));
    CallRefDBEdit->setDataSource(call);
    CallRefDBEdit->setDataField(QStringLiteral("CallRef"));
    OrganisationDBText = new DBText(this);
    OrganisationDBText->setObjectName(QStringLiteral("OrganisationDBText"));
    OrganisationDBText->setDataSource(call);
    OrganisationDBText->setDataField(QStringLiteral("OrganizationNameLookUp"));
    OrganisationDBText->setFrameShape(QFrame::StyledPanel);
    OrganisationDBText->setMinimumWidth(200);
    OrganisationDBText->setEnabled(false);
    EditorParts::describeByValue(OrganisationDBText);
    auto *heading = new QHBoxLayout;
    heading->addWidget(EditorParts::captionFor(CallRefDBEdit, tr("Call Reference:"), this));
    heading->addWidget(CallRefDBEdit);
    heading->addSpacing(12);
    heading->addWidget(EditorParts::captionFor(OrganisationDBText, tr("Organisation:"), this));
    heading->addWidget(OrganisationDBText, 1);
    heading->addSpacing(12);
    heading->addWidget(titleLabel(tr("Call"), this));
    mainLayout()->insertLayout(1, heading);

    // ---- "Call Details"
    CallDetailsPage = new QWidget(PageControl1);
    CallDetailsPage->setObjectName(QStringLiteral("CallDetailsPage"));
    NotesDBMemo = new DBMemo(CallDetailsPage);
    NotesDBMemo->setObjectName(QStringLiteral("NotesDBMemo"));
    NotesDBMemo->setDataSource(call);
    NotesDBMemo->setDataField(kNotes);
    NotesDBMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    NotesDBMemo->setMinimumWidth(260);

    auto *fields = new QGridLayout;
    QWidget *page = CallDetailsPage;
    const auto owner = EditorParts::addChooserRow(
        fields, 0, 0, page,
        ChooserBinding{tr("Owner:"), call, QStringLiteral("OwnerID"), dm.OwnerDataSource,
                    QStringLiteral("PersonID"), QStringLiteral("Name"), tr("Show the owner in People")});
    const auto contact = EditorParts::addChooserRow(
        fields, 1, 0, page,
        ChooserBinding{tr("Contact:"), call, QStringLiteral("ContactID"),
                    dm.PersonNameByOrgIDDataSource, QStringLiteral("PersonID"),
                    QStringLiteral("Name"), tr("Show the contact in People")});
    const auto type = EditorParts::addChooserRow(
        fields, 2, 0, page,
        ChooserBinding{tr("Call Type:"), call, QStringLiteral("TypeID"),
                    dm.ValuesListCallTypeDataSource, QStringLiteral("ValueID"),
                    QStringLiteral("Description"), tr("Call Type values")});
    const auto method = EditorParts::addChooserRow(
        fields, 3, 0, page,
        ChooserBinding{tr("Call Method:"), call, QStringLiteral("MethodID"),
                    dm.ValuesListMethodDataSource, QStringLiteral("ValueID"),
                    QStringLiteral("Description"), tr("Call Method values")});
    DueDateDBDateTimePanel = EditorParts::addDueDateRow(fields, 4, page, call, ctx.parameters.DueDateDuration);
    const auto status = EditorParts::addChooserRow(
        fields, 5, 0, page,
        ChooserBinding{tr("Status:"), call, QStringLiteral("StatusID"),
                    dm.ValuesListStatusDataSource, QStringLiteral("ValueID"),
                    QStringLiteral("Description"), tr("Status values")});
    PhoneExternalDBText = EditorParts::addDisplayRow(fields, 6, 0, page, tr("Contact Phone:"),
                                                     call, QStringLiteral("PhoneExternal"));
    EmailDBText = EditorParts::addDisplayRow(fields, 7, 0, page, tr("Email:"), call,
                                             QStringLiteral("Email"));
    OrgPhoneDBText = EditorParts::addDisplayRow(fields, 8, 0, page, tr("Org Phone:"),
                                                dm.OrgDataSource, QStringLiteral("Phone"));
    InputDateDBText = EditorParts::addDisplayRow(fields, 9, 0, page, tr("When Input:"), call,
                                                 QStringLiteral("InputDate"));
    ResolvedDateDBText = EditorParts::addDisplayRow(fields, 10, 0, page, tr("When Resolved:"),
                                                    call, QStringLiteral("ResolvedDate"));
    const auto resolution = EditorParts::addChooserRow(
        fields, 11, 0, page,
        ChooserBinding{tr("Resolution Type:"), call, QStringLiteral("ResolutionID"),
                    dm.ValuesListResolutionTypeDataSource, QStringLiteral("ValueID"),
                    QStringLiteral("Description"), tr("Resolution Type values")});
    fields->setColumnStretch(1, 1);
    fields->setRowStretch(12, 1);

    OwnerDBLookupCombo = owner.chooser;
    OwnerZoomButton = owner.button;
    ContactDBLookupCombo = contact.chooser;
    ContactZoomButton = contact.button;
    CallTypeDBLookupCombo = type.chooser;
    CallTypeValuesButton = type.button;
    MethodDBLookupCombo = method.chooser;
    MethodValuesButton = method.button;
    StatusDBLookupCombo = status.chooser;
    StatusValuesButton = status.button;
    ResolutionDBLookupCombo = resolution.chooser;
    ResolutionValuesButton = resolution.button;
    // The resolution is chosen when the call is closed, never here.
    ResolutionDBLookupCombo->setEnabled(false);
    ResolutionDBLookupCombo->setDataReadOnly(true);
    OwnerDBLookupCombo->setObjectName(QStringLiteral("OwnerDBLookupCombo"));
    OwnerZoomButton->setObjectName(QStringLiteral("OwnerZoomButton"));
    ContactDBLookupCombo->setObjectName(QStringLiteral("ContactDBLookupCombo"));
    ContactZoomButton->setObjectName(QStringLiteral("ContactZoomButton"));
    CallTypeDBLookupCombo->setObjectName(QStringLiteral("CallTypeDBLookupCombo"));
    CallTypeValuesButton->setObjectName(QStringLiteral("CallTypeValuesButton"));
    MethodDBLookupCombo->setObjectName(QStringLiteral("MethodDBLookupCombo"));
    MethodValuesButton->setObjectName(QStringLiteral("MethodValuesButton"));
    StatusDBLookupCombo->setObjectName(QStringLiteral("StatusDBLookupCombo"));
    StatusValuesButton->setObjectName(QStringLiteral("StatusValuesButton"));
    ResolutionDBLookupCombo->setObjectName(QStringLiteral("ResolutionDBLookupCombo"));
    ResolutionValuesButton->setObjectName(QStringLiteral("ResolutionValuesButton"));

    TKELDMainMDIForm &main = ctx.main;
    EditorParts::bindCommand(CallTypeValuesButton, main.action(QStringLiteral("ValuesListCallType")),
                             tr("Call Type values"));
    EditorParts::bindCommand(MethodValuesButton, main.action(QStringLiteral("ValuesListCallMethod")),
                             tr("Call Method values"));
    EditorParts::bindCommand(StatusValuesButton, main.action(QStringLiteral("ValuesListStatus")),
                             tr("Status values"));
    EditorParts::bindCommand(ResolutionValuesButton,
                             main.action(QStringLiteral("ValuesListResolutionType")),
                             tr("Resolution Type values"));
    connect(OwnerZoomButton, &QToolButton::clicked, this, [this] {
        runGuarded([this] {
            EditorParts::zoomToPerson(m_ctx.main, EditorParts::currentKey(calls(), QStringLiteral("OwnerID")));
        });
    });
    connect(ContactZoomButton, &QToolButton::clicked, this, [this] {
        runGuarded([this] {
            EditorParts::zoomToContact(
                m_ctx.main, {EditorParts::currentKey(calls(), QStringLiteral("ContactID"))},
                EditorParts::currentKey(*m_ctx.dm.OrgADOQuery, QStringLiteral("OrgId")));
        });
    });

    CloseCallButton = new QPushButton(tr("Clo&se Call"), this);
    CloseCallButton->setObjectName(QStringLiteral("CloseCallButton"));
    CloseCallButton->setAccessibleName(tr("Close Call"));
    connect(CloseCallButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { CloseCallButtonClick(); }); });

    auto *columns = new QHBoxLayout;
    columns->addWidget(NotesDBMemo, 1);
    columns->addLayout(fields);
    auto *details = new QVBoxLayout(CallDetailsPage);
    details->addLayout(columns, 1);
    details->addLayout(makeButtonRow(CloseCallButton));
    PageControl1->insertTab(0, CallDetailsPage, tr("Call Details"));

    // ---- "Actions"
    ActionsPage = new QWidget(PageControl1);
    ActionsPage->setObjectName(QStringLiteral("ActionsPage"));
    ActionsDBNavigator = new DBNavigator(ActionsPage);
    ActionsDBNavigator->setObjectName(QStringLiteral("ActionsDBNavigator"));
    ActionsDBNavigator->setDataSource(dm.ActionsByCallIDDataSource);
    ActionsDBNavigator->setVisibleButtons(DBNavigator::kMoveButtons | DBNavigator::Refresh);
    ActionsDBNavigator->setAccessibleName(tr("Actions navigator"));
    ActionsDBNavigator->onError = [](const QString &message) {
        Prompter::instance().message(message, Prompter::Kind::Error);
    };
    ZoomActionsButton = new QToolButton(ActionsPage);
    ZoomActionsButton->setObjectName(QStringLiteral("ZoomActionsButton"));
    EditorParts::bindCommand(ZoomActionsButton, main.action(QStringLiteral("ActionsZoomView")),
                             tr("Zoom Actions"));
    ZoomActionsButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ActionsDBGridPlus = new TDBGridPlus(ActionsPage);
    ActionsDBGridPlus->setObjectName(QStringLiteral("ActionsDBGridPlus"));
    ActionsDBGridPlus->setAccessibleName(tr("Actions"));
    ActionsDBGridPlus->setReadOnly(true);
    ActionsDBGridPlus->setDataSource(dm.ActionsByCallIDDataSource);
    ActionsDBGridPlus->setColumns({
        GridColumn{QStringLiteral("ActionID"), QString(), 56, true, {}},
        GridColumn{QStringLiteral("ActionOwner"), QString(), 110, true, {}},
        GridColumn{QStringLiteral("ContactName"), QString(), 110, true, {}},
        GridColumn{kNotes, QString(), 220, true, {}},
        GridColumn{QStringLiteral("Method"), QString(), 80, true, {}},
        GridColumn{QStringLiteral("Status"), QString(), 70, true, {}},
        GridColumn{QStringLiteral("InputDate"), QString(), 125, true, {}},
        GridColumn{QStringLiteral("DueDate"), QString(), 125, true, {}},
        GridColumn{QStringLiteral("ResolvedDate"), QString(), 125, true, {}},
    });
    ActionsDBGridPlus->setDefaultRowHeight(17);
    ActionsDBGridPlus->setRowSizingAllowed(true);
    QPalette cream = ActionsDBGridPlus->palette();
    cream.setColor(QPalette::Base, ControlColors::kCream);
    ActionsDBGridPlus->setPalette(cream);
    connect(ActionsDBGridPlus, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && isNotesColumn(index.column()))
            runGuarded([this] { showActionNotes(); });
    });
    connect(ActionsDBGridPlus, &DBGrid::error, this, [](const QString &message) {
        Prompter::instance().message(message, Prompter::Kind::Error);
    });
    auto *actionsBar = new QHBoxLayout;
    actionsBar->addWidget(ActionsDBNavigator);
    actionsBar->addSpacing(12);
    actionsBar->addWidget(titleLabel(tr("Actions"), ActionsPage));
    actionsBar->addStretch(1);
    actionsBar->addWidget(ZoomActionsButton);
    auto *actionsLayout = new QVBoxLayout(ActionsPage);
    actionsLayout->addLayout(actionsBar);
    actionsLayout->addWidget(ActionsDBGridPlus, 1);
    PageControl1->addTab(ActionsPage, tr("Actions"));
    PageControl1->setCurrentWidget(CallDetailsPage);

    // ---- modes, rights
    setModeControls({CallRefDBEdit, OwnerDBLookupCombo, ContactDBLookupCombo,
                     CallTypeDBLookupCombo, MethodDBLookupCombo, StatusDBLookupCombo,
                     DueDateDBDateTimePanel},
                    NotesDBMemo, CallDetailsPage, CloseCallButton);
    const bool administrator = ctx.session().RightsLevel >= kAdministrators;
    for (QToolButton *b : {CallTypeValuesButton, MethodValuesButton, StatusValuesButton,
                           ResolutionValuesButton})
        b->setVisible(administrator);

    setTabOrder(NotesDBMemo, OwnerDBLookupCombo);
    finishConstruction();
}

QSize TCallForm::sizeHint() const
{
    // Room for a few lines of notes beside the fields, and for the actions grid.
    return RecordEditorForm::sizeHint().expandedTo(QSize(860, 560));
}

TCallForm::~TCallForm() = default;

Dataset &TCallForm::calls() const { return *m_ctx.dm.CallsByOrgIDADOQuery; }
Dataset &TCallForm::actions() const { return *m_ctx.dm.ActionsByCallIDADOQuery; }

void TCallForm::prepareAddMode()
{
    Dataset &call = calls();
    // Add mode opens the fields for a new row only, never for an existing call.
    if (call.state() != Dataset::State::Insert) {
        prepareViewMode();
        return;
    }
    switchMode(true);
    const LoadedConstants &c = m_ctx.constants;
    if (c.DefaultStatusID != -1)
        call.field(QStringLiteral("StatusID")).setValue(c.DefaultStatusID);
    if (c.DefaultCallTypeID != -1)
        call.field(QStringLiteral("TypeID")).setValue(c.DefaultCallTypeID);
    if (c.DefaultCallMethodID != -1)
        call.field(QStringLiteral("MethodID")).setValue(c.DefaultCallMethodID);
    m_callInputTime = stampInputTime();
    call.field(QStringLiteral("InputDate")).setValue(m_callInputTime);
    call.field(QStringLiteral("TimeStamp")).setValue(m_callInputTime);
}

void TCallForm::prepareViewMode()
{
    switchMode(false);
}

void TCallForm::DoneButtonClick()
{
    Dataset &call = calls();
    EditorParts::BusySaving busy{&call, &actions()};
    const bool inserting = call.state() == Dataset::State::Insert;
    if (call.isEditing())
        call.post();   // the data module re-reads the calls and finds this one again
    if (inserting && m_ctx.parameters.AutoGenerateAction)
        createFirstAction();
    close();
}

void TCallForm::createFirstAction()
{
    Dataset &call = calls();
    Dataset &action = actions();
    // The new call is found by its input time. When it is not listed (a status the list leaves
    // out), there is no call to hang the action on.
    if (!call.locate(QStringLiteral("InputDate"), m_callInputTime))
        return;
    // The actions follow the new call even while the displays are suspended.
    action.requery();
    action.insert();
    try {
        auto copy = [&](const char *to, const char *from) {
            action.field(QLatin1String(to)).setValue(call.field(QLatin1String(from)).value());
        };
        copy("CallID", "CallID");
        copy("OwnerID", "OwnerID");
        copy("OrgID", "OrgID");
        copy("ContactID", "ContactID");
        copy("MethodID", "MethodID");
        copy("DueDate", "DueDate");
        copy("StatusID", "StatusID");
        action.field(QStringLiteral("InputDate")).setValue(m_callInputTime);
        action.field(QStringLiteral("InputBy")).setValue(m_ctx.session().UserName);
        copy("Notes", "Notes");
        action.post();   // the data module finds it again by LastInputTime
    } catch (...) {
        // The call is saved; its action is not. Nothing is left half-entered, and the window
        // shows the saved call rather than fields open on it.
        action.cancel();
        prepareViewMode();
        throw;
    }
}

void TCallForm::CancelButtonClick()
{
    Dataset &action = actions();
    if (action.state() == Dataset::State::Insert)
        if (auto *actionForm = qobject_cast<TActionsForm *>(m_ctx.main.ActionsForm.data()))
            actionForm->CancelButtonClick();
    if (m_ctx.parameters.AutoGenerateAction && action.isEditing())
        action.cancel();
    if (calls().isEditing())
        calls().cancel();
    close();
}

bool TCallForm::hasOpenActions() const
{
    // The browser lists only open actions while "Show Completed" is unticked; looking at the
    // status as well keeps the answer right whatever the list holds.
    Dataset &action = actions();
    if (!action.isActive())
        return false;
    const Field &status = action.field(QStringLiteral("StatusID"));
    for (int row = 0; row < action.recordCount(); ++row) {
        const QVariant value = action.valueAt(row, status);
        if (value.isNull() || value.toInt() != m_ctx.constants.StatusClosedID)
            return true;
    }
    return false;
}

void TCallForm::closeOpenActions(int callId)
{
    const int closed = m_ctx.constants.StatusClosedID;
    ScratchQuery scratch(*m_ctx.dm.ADOQuery1,
                         QStringLiteral("SELECT ActionID, CallID, StatusID, ResolvedDate FROM "
                                        "tblAction WHERE CallID = ") +
                             QString::number(callId));
    Dataset &q = scratch.query();
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        Field &status = q.field(QStringLiteral("StatusID"));
        if (!status.isNull() && status.asInteger() == closed)
            continue;   // closed before: keeps its own resolved time
        q.edit();
        status.setValue(closed);
        q.field(QStringLiteral("ResolvedDate")).setValue(Clock::now());
        q.post();
    }
}

void TCallForm::CloseCallButtonClick()
{
    Dataset &call = calls();
    // Only an existing call can be closed (editing it would start a new row on an empty list).
    if (!call.isActive() || call.isEmpty() || call.state() == Dataset::State::Insert)
        return;
    Prompter &prompter = Prompter::instance();
    if (browserCompleted()) {
        prompter.message(tr("Uncheck \"Show Completed\" on main Calls Actions form\r\n"
                            "                          before closing calls"),
                         Prompter::Kind::Information);
        return;
    }
    const int callId = call.field(QStringLiteral("CallID")).asInteger();
    const bool allowComplete = m_ctx.parameters.AllowCompleteCall;
    const QString question =
        allowComplete ? tr("Close this call and any open Actions are you sure?\r\n"
                           "      You cannot undo this operation")
                      : tr("Close this call, are you sure?\r\nYou cannot undo this operation");
    if (!prompter.confirm(question))
        return;
    if (allowComplete) {
        if (hasOpenActions())
            closeOpenActions(callId);
        actions().requery();
    } else if (hasOpenActions()) {
        prompter.message(tr("This Call has Actions Open\r\n You cannot close this call"),
                         Prompter::Kind::Information);
        return;
    }
    const int resolution = chooseResolution ? chooseResolution() : ChooseResolutionType();
    call.edit();
    call.field(QStringLiteral("StatusID")).setValue(m_ctx.constants.StatusClosedID);
    call.field(QStringLiteral("ResolvedDate")).setValue(Clock::now());
    // An empty resolution list gives 0, which names no value: the call is stored without one.
    call.field(QStringLiteral("ResolutionID")).setValue(resolution != 0 ? QVariant(resolution) : QVariant());
    call.post();
    close();
}

int TCallForm::ChooseResolutionType()
{
    const std::unique_ptr<TResTypeForm> form(new TResTypeForm(m_ctx.dm, this));
    ResTypeForm = form.get();
    form->exec();
    return TResTypeForm::chosenValueID(m_ctx.dm);
}

bool TCallForm::isNotesColumn(int column) const
{
    const QList<GridColumn> shown = ActionsDBGridPlus->columns();
    return column >= 0 && column < shown.size() &&
           shown[column].fieldName.compare(kNotes, Qt::CaseInsensitive) == 0;
}

void TCallForm::showActionNotes()
{
    TMemoPopupForm::showNotes(this, *m_ctx.dm.ActionsByCallIDDataSource);
}

bool TCallForm::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on a Notes cell opens the notes window, as a click does.
    if (watched == ActionsDBGridPlus && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            isNotesColumn(ActionsDBGridPlus->currentColumn())) {
            runGuarded([this] { showActionNotes(); });
            return true;
        }
    }
    return RecordEditorForm::eventFilter(watched, event);
}
