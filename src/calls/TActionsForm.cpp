#include "TActionsForm.h"

#include "Clock.h"
#include "DBEdit.h"
#include "DBLookupCombo.h"
#include "DBMemo.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "EditorParts.h"
#include "Prompter.h"
#include "RunGuarded.h"
#include "TDBDateTimePanel.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using EditorParts::ChooserBinding;

namespace {

constexpr int kAdministrators = 4;   // the rights level of "CallAdmins"

} // namespace

TActionsForm::TActionsForm(const CallsContext &ctx, QWidget *parent)
    : RecordEditorForm(ctx,
                       {"ActionsForm", tr("Action"), ctx.dm.ActionsByCallIDDataSource,
                        QStringLiteral("ActionID"), QStringLiteral("Action User Fields"),
                        &TKELDMainMDIForm::ActionsForm, &TKELDMainMDIForm::CallForm,
                        {QStringLiteral("CallsAddNew")}},
                       parent)
{
    TDataModule1 &dm = ctx.dm;
    DataSource *action = dm.ActionsByCallIDDataSource;
    ValuesListActionUserADOQuery = m_labelQuery;
    ValuesListActionUserADOQuery->setObjectName(QStringLiteral("ValuesListActionUserADOQuery"));

    // ---- heading
    ActionIDDBText = new DBText(this);
    ActionIDDBText->setObjectName(QStringLiteral("ActionIDDBText"));
    ActionIDDBText->setDataSource(action);
    ActionIDDBText->setDataField(QStringLiteral("ActionID"));
    ActionRefDBEdit = new DBEdit(this);
    ActionRefDBEdit->setObjectName(QStringLiteral("ActionRefDBEdit"));
    ActionRefDBEdit->setDataSource(action);
    ActionRefDBEdit->setDataField(QStringLiteral("ActionRef"));
    CallIDDBText = new DBText(this);
    CallIDDBText->setObjectName(QStringLiteral("CallIDDBText"));
    CallIDDBText->setDataSource(dm.CallsByOrgIDDataSource);
    CallIDDBText->setDataField(QStringLiteral("CallID"));
    for (DBText *display : {ActionIDDBText, CallIDDBText}) {
        display->setFrameShape(QFrame::StyledPanel);
        display->setMinimumWidth(60);
        display->setEnabled(false);
        EditorParts::describeByValue(display);
    }
    auto *title = new QLabel(tr("Action"), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    auto *heading = new QHBoxLayout;
    heading->addWidget(EditorParts::captionFor(ActionIDDBText, tr("ActionID:"), this));
    heading->addWidget(ActionIDDBText);
    heading->addSpacing(8);
    heading->addWidget(EditorParts::captionFor(ActionRefDBEdit, tr("Action Reference:"), this));
    heading->addWidget(ActionRefDBEdit, 1);
    heading->addSpacing(8);
    heading->addWidget(EditorParts::captionFor(CallIDDBText, tr("CallID:"), this));
    heading->addWidget(CallIDDBText);
    heading->addSpacing(8);
    heading->addWidget(title);
    mainLayout()->insertLayout(1, heading);

    // ---- "Action Details"
    ActionDetailsPage = new QWidget(PageControl1);
    ActionDetailsPage->setObjectName(QStringLiteral("ActionDetailsPage"));
    QWidget *page = ActionDetailsPage;
    auto *choosers = new QGridLayout;
    const auto owner = EditorParts::addChooserRow(
        choosers, 0, 0, page,
        ChooserBinding{tr("Owner:"), action, QStringLiteral("OwnerID"), dm.OwnerDataSource,
                    QStringLiteral("PersonID"), QStringLiteral("Name"), tr("Show the owner in People")});
    const auto organisation = EditorParts::addChooserRow(
        choosers, 1, 0, page,
        ChooserBinding{tr("Organisation:"), action, QStringLiteral("OrgName"),
                    dm.AllOrgsNameDataSource, QStringLiteral("OrgId"),
                    QStringLiteral("OrganizationName"),
                    tr("Show the organisation in Organisations and People")});
    const auto contact = EditorParts::addChooserRow(
        choosers, 2, 0, page,
        ChooserBinding{tr("Contact:"), action, QStringLiteral("ContactID"),
                    dm.PersonNameByActionOrgIDDataSource, QStringLiteral("PersonID"),
                    QStringLiteral("Name"), tr("Show the contact in People")});
    const auto method = EditorParts::addChooserRow(
        choosers, 3, 0, page,
        ChooserBinding{tr("Action Method:"), action, QStringLiteral("MethodID"),
                    dm.ValuesListMethodDataSource, QStringLiteral("ValueID"),
                    QStringLiteral("Description"), tr("Call Method values")});
    DueDateDBDateTimePanel = EditorParts::addDueDateRow(choosers, 4, page, action, ctx.parameters.DueDateDuration);
    const auto status = EditorParts::addChooserRow(
        choosers, 5, 0, page,
        ChooserBinding{tr("Status:"), action, QStringLiteral("StatusID"),
                    dm.ValuesListStatusDataSource, QStringLiteral("ValueID"),
                    QStringLiteral("Description"), tr("Status values")});
    choosers->setColumnStretch(1, 1);

    OwnerDBLookupCombo = owner.chooser;
    OwnerZoomButton = owner.button;
    OrganisationDBLookupCombo = organisation.chooser;
    OrganisationZoomButton = organisation.button;
    ContactDBLookupCombo = contact.chooser;
    ContactZoomButton = contact.button;
    MethodDBLookupCombo = method.chooser;
    MethodValuesButton = method.button;
    StatusDBLookupCombo = status.chooser;
    StatusValuesButton = status.button;
    OwnerDBLookupCombo->setObjectName(QStringLiteral("OwnerDBLookupCombo"));
    OwnerZoomButton->setObjectName(QStringLiteral("OwnerZoomButton"));
    OrganisationDBLookupCombo->setObjectName(QStringLiteral("OrganisationDBLookupCombo"));
    OrganisationZoomButton->setObjectName(QStringLiteral("OrganisationZoomButton"));
    ContactDBLookupCombo->setObjectName(QStringLiteral("ContactDBLookupCombo"));
    ContactZoomButton->setObjectName(QStringLiteral("ContactZoomButton"));
    MethodDBLookupCombo->setObjectName(QStringLiteral("MethodDBLookupCombo"));
    MethodValuesButton->setObjectName(QStringLiteral("MethodValuesButton"));
    StatusDBLookupCombo->setObjectName(QStringLiteral("StatusDBLookupCombo"));
    StatusValuesButton->setObjectName(QStringLiteral("StatusValuesButton"));

    auto *displays = new QGridLayout;
    PhoneExternalDBText = EditorParts::addDisplayRow(displays, 0, 0, page, tr("Phone:"), action,
                                                     QStringLiteral("PhoneExternal"));
    EmailDBText = EditorParts::addDisplayRow(displays, 1, 0, page, tr("Email:"), action,
                                             QStringLiteral("Email"));
    OrgPhoneDBText = EditorParts::addDisplayRow(displays, 2, 0, page, tr("Org Phone:"), action,
                                                QStringLiteral("OrgPhoneLookUp"));
    InputDateDBText = EditorParts::addDisplayRow(displays, 3, 0, page, tr("When Input:"), action,
                                                 QStringLiteral("InputDate"));
    ResolvedDateDBText = EditorParts::addDisplayRow(displays, 4, 0, page, tr("When Resolved:"),
                                                    action, QStringLiteral("ResolvedDate"));
    InputByDBText = EditorParts::addDisplayRow(displays, 5, 0, page, tr("Input By:"), action,
                                               QStringLiteral("InputBy"));
    displays->setColumnStretch(1, 1);
    displays->setRowStretch(6, 1);

    NotesDBMemo = new DBMemo(page);
    NotesDBMemo->setObjectName(QStringLiteral("NotesDBMemo"));
    NotesDBMemo->setDataSource(action);
    NotesDBMemo->setDataField(QStringLiteral("Notes"));
    NotesDBMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    NotesDBMemo->setFixedHeight(120);

    TKELDMainMDIForm &main = ctx.main;
    EditorParts::bindCommand(MethodValuesButton, main.action(QStringLiteral("ValuesListCallMethod")),
                             tr("Call Method values"));
    EditorParts::bindCommand(StatusValuesButton, main.action(QStringLiteral("ValuesListStatus")),
                             tr("Status values"));
    connect(OwnerZoomButton, &QToolButton::clicked, this, [this] {
        runGuarded([this] {
            EditorParts::zoomToPerson(m_ctx.main,
                                      EditorParts::currentKey(actions(), QStringLiteral("OwnerID")));
        });
    });
    connect(OrganisationZoomButton, &QToolButton::clicked, this, [this] {
        runGuarded([this] {
            EditorParts::zoomToOrganisation(m_ctx.main,
                                            EditorParts::currentKey(actions(), QStringLiteral("OrgID")));
        });
    });
    connect(ContactZoomButton, &QToolButton::clicked, this, [this] {
        runGuarded([this] {
            EditorParts::zoomToContact(
                m_ctx.main,
                {EditorParts::currentKey(actions(), QStringLiteral("ContactID")),
                 EditorParts::currentKey(calls(), QStringLiteral("ContactID"))},
                EditorParts::currentKey(*m_ctx.dm.OrgADOQuery, QStringLiteral("OrgId")));
        });
    });

    CloseActionButton = new QPushButton(tr("Clo&se Action"), this);
    CloseActionButton->setObjectName(QStringLiteral("CloseActionButton"));
    CloseActionButton->setAccessibleName(tr("Close Action"));
    connect(CloseActionButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { CloseActionButtonClick(); }); });

    auto *columns = new QHBoxLayout;
    columns->addLayout(choosers, 3);
    columns->addSpacing(12);
    columns->addLayout(displays, 2);
    auto *details = new QVBoxLayout(ActionDetailsPage);
    details->addLayout(columns);
    details->addWidget(NotesDBMemo);
    details->addLayout(makeButtonRow(CloseActionButton));
    PageControl1->insertTab(0, ActionDetailsPage, tr("Action Details"));
    PageControl1->setCurrentWidget(ActionDetailsPage);

    // ---- modes, rights, the contact list
    setModeControls({ActionRefDBEdit, OwnerDBLookupCombo, OrganisationDBLookupCombo,
                     MethodDBLookupCombo, ContactDBLookupCombo, StatusDBLookupCombo,
                     DueDateDBDateTimePanel},
                    NotesDBMemo, ActionDetailsPage, CloseActionButton);
    const bool administrator = ctx.session().RightsLevel >= kAdministrators;
    MethodValuesButton->setVisible(administrator);
    StatusValuesButton->setVisible(administrator);

    connect(action, &DataSource::recordChanged, this, &TActionsForm::followActionOrganisation);
    connect(action, &DataSource::dataSetChanged, this, &TActionsForm::followActionOrganisation);
    followActionOrganisation();

    // The notes come first from the keyboard, then the choosers in their order.
    setTabOrder(NotesDBMemo, OwnerDBLookupCombo);
    finishConstruction();
    setFixedSize(sizeHint().expandedTo(QSize(720, 470)));
}

TActionsForm::~TActionsForm() = default;

Dataset &TActionsForm::actions() const { return *m_ctx.dm.ActionsByCallIDADOQuery; }
Dataset &TActionsForm::calls() const { return *m_ctx.dm.CallsByOrgIDADOQuery; }

bool TActionsForm::event(QEvent *event)
{
    // Inside the main window's frame: no sizing border and nothing to maximise.
    if (event->type() == QEvent::ParentChange) {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    }
    return RecordEditorForm::event(event);
}

void TActionsForm::prepareAddMode()
{
    Dataset &action = actions();
    // Add mode opens the fields for a new row only, never for an existing action.
    if (action.state() != Dataset::State::Insert) {
        prepareViewMode();
        return;
    }
    switchMode(true);
    const LoadedConstants &c = m_ctx.constants;
    if (c.DefaultStatusID != -1)
        action.field(QStringLiteral("StatusID")).setValue(c.DefaultStatusID);
    if (c.DefaultCallMethodID != -1)
        action.field(QStringLiteral("MethodID")).setValue(c.DefaultCallMethodID);
    const Dataset &call = calls();
    auto fromCall = [&](const char *name) {
        action.field(QLatin1String(name)).setValue(EditorParts::currentKey(call, QLatin1String(name)));
    };
    fromCall("OwnerID");
    action.field(QStringLiteral("InputBy")).setValue(m_ctx.session().UserName);
    action.field(QStringLiteral("InputDate")).setValue(stampInputTime());
    // A new OrgID empties the contact chooser; the call's contact then shows in it.
    fromCall("OrgID");
    fromCall("CallID");
    fromCall("ContactID");
    followActionOrganisation();
}

void TActionsForm::prepareViewMode()
{
    switchMode(false);
}

void TActionsForm::DoneButtonClick()
{
    Dataset &action = actions();
    EditorParts::BusySaving busy{&action};
    if (action.isEditing())
        action.post();   // the data module re-reads the actions and finds this one again
    close();
}

void TActionsForm::CloseActionButtonClick()
{
    Dataset &action = actions();
    // Only an existing action can be closed (editing it would start a new row on an empty list).
    if (!action.isActive() || action.isEmpty() || action.state() == Dataset::State::Insert)
        return;
    Prompter &prompter = Prompter::instance();
    if (browserCompleted()) {
        prompter.message(tr("Uncheck \"Show Completed\" on main Calls Actions form\r\n"
                            "                          before closing Actions"),
                         Prompter::Kind::Information);
        return;
    }
    if (prompter.confirm(tr("Close this Action are you sure?\r\nYou cannot undo this operation"))) {
        action.edit();
        action.field(QStringLiteral("StatusID")).setValue(m_ctx.constants.StatusClosedID);
        action.field(QStringLiteral("ResolvedDate")).setValue(Clock::now());
        action.post();
    }
    close();
}

void TActionsForm::resetContactChooser()
{
    const QSignalBlocker quiet(ContactDBLookupCombo);
    ContactDBLookupCombo->setCurrentIndex(-1);
}

void TActionsForm::followActionOrganisation()
{
    Dataset &orgs = *m_ctx.dm.AllOrgsNameADOQuery;
    const QVariant org = EditorParts::currentKey(actions(), QStringLiteral("OrgID"));
    if (org.isNull() || !orgs.isActive() || orgs.isEditing())
        return;
    const QVariant shown = EditorParts::currentKey(orgs, QStringLiteral("OrgId"));
    if (shown.isNull() || shown.toInt() != org.toInt())
        orgs.locate(QStringLiteral("OrgId"), org);
}
