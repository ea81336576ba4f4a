#pragma once

#include "RecordEditorForm.h"

#include <QDateTime>
#include <QPointer>
#include <functional>

class DBLookupCombo;
class QToolButton;
class TDBDateTimePanel;
class TDBGridPlus;
class TResTypeForm;

// "Call": enters a new call (add mode) or shows an existing one read-only and closes it with a
// resolution (view mode). It edits the current row of the shared calls dataset, so the browser
// always shows the same call. The main window's "Calls" command starts a new row through
// DBNavigator1's Insert and then calls prepareAddMode(); "Zoom Calls" calls prepareViewMode().
class TCallForm : public RecordEditorForm
{
    Q_OBJECT
public:
    explicit TCallForm(const CallsContext &ctx, QWidget *parent = nullptr);
    ~TCallForm() override;

    // heading
    DBEdit *CallRefDBEdit;
    DBText *OrganisationDBText;
    // "Call Details"
    QWidget *CallDetailsPage;
    DBMemo *NotesDBMemo;
    DBLookupCombo *OwnerDBLookupCombo;
    QToolButton *OwnerZoomButton;
    DBLookupCombo *ContactDBLookupCombo;
    QToolButton *ContactZoomButton;
    DBLookupCombo *CallTypeDBLookupCombo;
    QToolButton *CallTypeValuesButton;
    DBLookupCombo *MethodDBLookupCombo;
    QToolButton *MethodValuesButton;
    TDBDateTimePanel *DueDateDBDateTimePanel;
    DBLookupCombo *StatusDBLookupCombo;
    QToolButton *StatusValuesButton;
    DBText *PhoneExternalDBText;
    DBText *EmailDBText;
    DBText *OrgPhoneDBText;
    DBText *InputDateDBText;
    DBText *ResolvedDateDBText;
    DBLookupCombo *ResolutionDBLookupCombo;
    QToolButton *ResolutionValuesButton;
    QPushButton *CloseCallButton;
    // "Actions"
    QWidget *ActionsPage;
    DBNavigator *ActionsDBNavigator;
    QToolButton *ZoomActionsButton;
    TDBGridPlus *ActionsDBGridPlus;

    // The captions of User1 to User5: the "Call User Fields" values by Sequence.
    Dataset *ValuesListCallUserADOQuery;
    // The resolution dialog while it is shown.
    QPointer<TResTypeForm> ResTypeForm;

    // After the calls dataset started a new row: defaults, input time, every field open.
    void prepareAddMode();
    // Read-only; the navigator moves between calls and "Clo&se Call" is offered.
    void prepareViewMode();
    void DoneButtonClick() override;
    void CancelButtonClick() override;
    void CloseCallButtonClick();

    // "Select Resolution Type": the ValueID of the row current when the dialog closed; 0 for an
    // empty list.
    int ChooseResolutionType();
    // What "Clo&se Call" asks for the resolution; ChooseResolutionType() unless replaced.
    std::function<int()> chooseResolution;

    // The notes window on the actions grid's current action.
    void showActionNotes();

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Dataset &calls() const;
    Dataset &actions() const;
    void createFirstAction();
    bool hasOpenActions() const;
    void closeOpenActions(int callId);
    bool isNotesColumn(int column) const;

    QDateTime m_callInputTime;   // the input time of the call prepared in add mode
};
