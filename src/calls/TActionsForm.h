#pragma once

#include "RecordEditorForm.h"

class DBLookupCombo;
class QToolButton;
class TDBDateTimePanel;

// "Action": enters a follow-up action on the current call (add mode) or shows an existing action
// read-only and closes it (view mode). It edits the current row of the shared actions dataset.
// An action may concern another organisation than its call: the organisation chooser writes the
// action's OrgID, and the contact chooser then lists that organisation's people. The window
// has a fixed size.
class TActionsForm : public RecordEditorForm
{
    Q_OBJECT
public:
    explicit TActionsForm(const CallsContext &ctx, QWidget *parent = nullptr);
    ~TActionsForm() override;

    // heading
    DBText *ActionIDDBText;
    DBEdit *ActionRefDBEdit;
    DBText *CallIDDBText;
    // "Action Details"
    QWidget *ActionDetailsPage;
    DBLookupCombo *OwnerDBLookupCombo;
    QToolButton *OwnerZoomButton;
    DBLookupCombo *OrganisationDBLookupCombo;   // the editable lookup field OrgName
    QToolButton *OrganisationZoomButton;
    DBLookupCombo *ContactDBLookupCombo;
    QToolButton *ContactZoomButton;
    DBLookupCombo *MethodDBLookupCombo;
    QToolButton *MethodValuesButton;
    TDBDateTimePanel *DueDateDBDateTimePanel;
    DBLookupCombo *StatusDBLookupCombo;
    QToolButton *StatusValuesButton;
    DBMemo *NotesDBMemo;
    DBText *PhoneExternalDBText;
    DBText *EmailDBText;
    DBText *OrgPhoneDBText;
    DBText *InputDateDBText;
    DBText *ResolvedDateDBText;
    DBText *InputByDBText;
    QPushButton *CloseActionButton;

    // The captions of User1 to User5: the "Action User Fields" values by Sequence.
    Dataset *ValuesListActionUserADOQuery;

    // After the actions dataset started a new row: the call's owner, organisation and contact,
    // the defaults, the user and the input time; every field open.
    void prepareAddMode();
    // Read-only; the navigator moves between actions and "Clo&se Action" is offered.
    void prepareViewMode();
    void DoneButtonClick() override;
    void CloseActionButtonClick();

    // The action's organisation changed: the contact chooser shows no person until one is
    // chosen. The action's ContactID itself stays as it is.
    void resetContactChooser();

protected:
    bool event(QEvent *event) override;

private:
    Dataset &actions() const;
    Dataset &calls() const;
    // The contact list offers the people of the current action's organisation.
    void followActionOrganisation();
};
