#pragma once

#include "DataSource.h"
#include "Dataset.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>

class Engine;

// The datasets every window shares: the current organisation, its calls, the current call's
// actions, the lookup and chooser lists, the urgency levels, the two category tables and a
// scratch query. Moving one of them moves every window bound to it.
//
// Each dataset is named (objectName) after its member and has a companion data source that
// controls and detail datasets bind to. The module installs its own handlers on the events of
// the calls, actions, organisations and urgency datasets; other code leaves those alone.
//
// The module knows nothing of windows. Where a reaction reaches a window, it calls one of the
// hooks below, which the main window fills in when it creates the module. An empty hook does
// nothing (a query hook left empty answers false).
class TDataModule1 : public QObject
{
    Q_OBJECT
public:
    explicit TDataModule1(Engine *engine, QObject *parent = nullptr);
    ~TDataModule1() override;

    // --- datasets, in the order they are created and opened -------------------------------
    Dataset *CallsByOrgIDADOQuery;
    Dataset *AllPeopleNameADOQuery;
    Dataset *OrgADOQuery;
    Dataset *ValuesListResolutionTypeADOQuery;
    Dataset *ActionsByCallIDADOQuery;
    Dataset *ValuesListStatusADOQuery;
    Dataset *OwnerADOQuery;
    Dataset *ValuesListMethodADOQuery;
    Dataset *PersonNameByOrgIDADOQuery;
    Dataset *ValuesListCountryADOQuery;
    Dataset *ValuesListOrgTypeADOQuery;     // parameter OrgTypeCategory, set once at start-up
    Dataset *ValuesListPersonTypeADOQuery;
    Dataset *AllOrgsNameADOQuery;
    Dataset *UrgencyADOTable;
    Dataset *ADOQuery1;                     // scratch: its users set the SQL and clear it again
    Dataset *ValuesListCallTypeADOQuery;
    Dataset *ValueCategoryADOTable;         // read-only
    Dataset *ValueListADOTable;             // values of ValueCategoryADOTable's current category
    Dataset *PersonNameByActionOrgIDADOQuery;

    // --- their data sources ------------------------------------------------------------------
    DataSource *CallsByOrgIDDataSource;
    DataSource *AllPeopleNameDataSource;
    DataSource *OrgDataSource;
    DataSource *ValuesListResolutionTypeDataSource;
    DataSource *ActionsByCallIDDataSource;
    DataSource *ValuesListStatusDataSource;
    DataSource *OwnerDataSource;
    DataSource *ValuesListMethodDataSource;
    DataSource *PersonNameByOrgIDDataSource;
    DataSource *ValuesListCountryDataSource;
    DataSource *ValuesListOrgTypeDataSource;
    DataSource *ValuesListPersonTypeDataSource;
    DataSource *AllOrgsNameDataSource;
    DataSource *UrgencyDataSource;
    DataSource *DataSource1;
    DataSource *ValuesListCallTypeDataSource;
    DataSource *ValueCategoryDataSource;
    DataSource *ValueListDataSource;
    DataSource *PersonNameByActionOrgIDDataSource;

    // Every dataset in creation order. Connecting opens them in this order, all but ADOQuery1,
    // ValueCategoryADOTable and ValueListADOTable.
    QList<Dataset *> datasetsInOrder() const { return m_datasets; }
    // The data source whose dataset this is; nullptr for a dataset of someone else.
    DataSource *dataSourceOf(const Dataset *dataset) const;

    // The statement that lists the values of one category (Description, ValueCategory, ValueID).
    static QString valueListSql(const QString &category);

    // The calls follow the current organisation (parameter OrgID) only while linked; the
    // browser unlinks them while its "All Orgs" box is ticked. Takes effect at the calls'
    // next (re)query; a new call starts with the organisation's key only while linked.
    void linkCallsToOrganisations(bool linked);
    bool callsLinkedToOrganisations() const;

    // The input time stamped on the most recently prepared new call or action; a posted call or
    // action is found again by it. Null until an editor sets it.
    QDateTime LastInputTime() const { return m_lastInputTime; }
    void setLastInputTime(const QDateTime &time) { m_lastInputTime = time; }

    // "whole days, hh:nn" for a threshold in days: 2.75 -> "2, 18:00".
    static QString thresholdDisplayText(double days);

    // --- hooks the main window fills in --------------------------------------------------------
    // Shows a warning box with an OK button (the undeletable urgency level).
    std::function<void(const QString &)> warn;
    // The current call changed: the call editor, when open, refreshes its record position.
    std::function<void()> callEditorScrolled;
    // True only while the calls and actions browser is open with its "All Orgs" box ticked;
    // then moving to a call of another organisation moves the current organisation too.
    std::function<bool()> browserAllOrgsChecked;
    // The current call changed: the browser, when open, refreshes its calls position.
    std::function<void()> browserCallsScrolled;
    // The current action changed: the action editor, when open, refreshes its record position.
    std::function<void()> actionEditorScrolled;
    // The current action changed: the browser, when open, refreshes its actions position.
    std::function<void()> browserActionsScrolled;
    // The current organisation changed: the browser, when open, refreshes its organisation,
    // calls and actions positions.
    std::function<void()> browserOrganisationsScrolled;
    // True while the action editor is open. Cancelling an action then moves to the last action,
    // and changing an action's OrgID moves AllOrgsNameADOQuery to that organisation (so the
    // contact list, PersonNameByActionOrgIDADOQuery, offers its people) and then resets the
    // editor's contact chooser.
    std::function<bool()> actionEditorOpen;
    // The action's organisation changed in the open action editor: its contact chooser shows no
    // person (its key becomes -1). The action's ContactID itself is left as it is.
    std::function<void()> resetActionContactChooser;

private:
    void addDataset(Dataset *&dataset, DataSource *&source, const char *name);
    struct Lookup
    {
        const char *name;
        const char *key;
        Dataset *list;
        const char *listKey;
        const char *result;
        int size = 0;
        bool editable = false;
    };
    static void addLookups(Dataset &dataset, std::initializer_list<Lookup> lookups);
    void addCallsFields();
    void addActionsFields();
    void wireCalls();
    void wireActions();
    void wireOrganisations();
    void wireUrgency();
    // Re-query after a post and make the row stamped with LastInputTime current.
    void refindPosted(Dataset &dataset);
    bool ask(const std::function<bool()> &hook) const { return hook && hook(); }
    static void call(const std::function<void()> &hook)
    {
        if (hook)
            hook();
    }

    Engine *m_engine;
    QList<Dataset *> m_datasets;
    QList<DataSource *> m_sources;
    QDateTime m_lastInputTime;
};
