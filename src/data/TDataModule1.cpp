#include "TDataModule1.h"

#include "Engine.h"

#include <QStringList>
#include <cmath>

namespace {

QString lines(std::initializer_list<const char *> pieces)
{
    QStringList out;
    for (const char *p : pieces)
        out << QString::fromUtf8(p);
    return out.join(u'\n');
}

const char kDateTimeFormat[] = "dd/mm/yyyy hh:nn:ss";

// People lists name a person by first name, two spaces, last name.
const char kPersonNamesSelect[] = "Select PersonID,  [FirstName] +'  '+ [LastName] as Name,";

void setDateFormats(Dataset &d)
{
    for (const char *name : {"InputDate", "DueDate", "ResolvedDate"})
        if (Field *f = d.findField(QString::fromLatin1(name)))
            f->setDisplayFormat(QString::fromLatin1(kDateTimeFormat));
}

} // namespace

TDataModule1::TDataModule1(Engine *engine, QObject *parent) : QObject(parent), m_engine(engine)
{
    addDataset(CallsByOrgIDADOQuery, CallsByOrgIDDataSource, "CallsByOrgIDADOQuery");
    CallsByOrgIDADOQuery->setSql(
        lines({"Select * from tblCall", "Where (OrgID = :OrgID)", "Order by DueDate"}));

    addDataset(AllPeopleNameADOQuery, AllPeopleNameDataSource, "AllPeopleNameADOQuery");
    AllPeopleNameADOQuery->setSql(lines({"Select PersonID,[FirstName] +'  '+ [LastName] as Name,",
                                         "PhoneExternal , Email", "from tblPerson"}));

    addDataset(OrgADOQuery, OrgDataSource, "OrgADOQuery");
    OrgADOQuery->setSql(lines({"Select OrgId, Phone, OrganizationName from tblOrganization",
                               "ORDER BY OrganizationName"}));

    addDataset(ValuesListResolutionTypeADOQuery, ValuesListResolutionTypeDataSource,
               "ValuesListResolutionTypeADOQuery");
    ValuesListResolutionTypeADOQuery->setSql(valueListSql(QStringLiteral("Resolution Type")));

    addDataset(ActionsByCallIDADOQuery, ActionsByCallIDDataSource, "ActionsByCallIDADOQuery");
    ActionsByCallIDADOQuery->setSql(lines({"SELECT tblAction.*", "FROM tblAction ",
                                           "WHERE (CallID = :CallID)", "Order by InputDate"}));

    addDataset(ValuesListStatusADOQuery, ValuesListStatusDataSource, "ValuesListStatusADOQuery");
    ValuesListStatusADOQuery->setSql(valueListSql(QStringLiteral("Status")));

    // Staff are the people whose type is described "User", whatever that value's category.
    addDataset(OwnerADOQuery, OwnerDataSource, "OwnerADOQuery");
    OwnerADOQuery->setSql(lines(
        {"SELECT tblPerson.PersonID, tblPerson.[FirstName] +'  '+ tblPerson.[LastName]",
         "as Name, tblValuesList.Description", "FROM tblValuesList",
         "INNER JOIN tblPerson ON tblValuesList.ValueID = tblPerson.PersonTypeID",
         "WHERE (((tblValuesList.Description)=\"User\"));"}));

    addDataset(ValuesListMethodADOQuery, ValuesListMethodDataSource, "ValuesListMethodADOQuery");
    ValuesListMethodADOQuery->setSql(valueListSql(QStringLiteral("Call Method")));

    addDataset(PersonNameByOrgIDADOQuery, PersonNameByOrgIDDataSource, "PersonNameByOrgIDADOQuery");
    PersonNameByOrgIDADOQuery->setSql(lines(
        {kPersonNamesSelect, "PhoneExternal , Email", "from tblPerson", "where OrgID = :OrgID"}));

    addDataset(ValuesListCountryADOQuery, ValuesListCountryDataSource, "ValuesListCountryADOQuery");
    ValuesListCountryADOQuery->setSql(valueListSql(QStringLiteral("Country")));

    addDataset(ValuesListOrgTypeADOQuery, ValuesListOrgTypeDataSource, "ValuesListOrgTypeADOQuery");
    ValuesListOrgTypeADOQuery->setSql(lines({"SELECT Description, ValueID", "FROM tblValuesList",
                                             "WHERE ValueCategoryID = :OrgTypeCategory"}));
    ValuesListOrgTypeADOQuery->addParam(QStringLiteral("OrgTypeCategory"), FieldType::Integer);

    addDataset(ValuesListPersonTypeADOQuery, ValuesListPersonTypeDataSource,
               "ValuesListPersonTypeADOQuery");
    ValuesListPersonTypeADOQuery->setSql(valueListSql(QStringLiteral("Person Type")));

    addDataset(AllOrgsNameADOQuery, AllOrgsNameDataSource, "AllOrgsNameADOQuery");
    AllOrgsNameADOQuery->setSql(lines({"Select OrgId, OrganizationName, Phone from tblOrganization",
                                       "ORDER BY OrganizationName"}));

    addDataset(UrgencyADOTable, UrgencyDataSource, "UrgencyADOTable");
    UrgencyADOTable->setTableName(QStringLiteral("tblUrgency"));
    UrgencyADOTable->setIndexName(QStringLiteral("ValueID"));

    addDataset(ADOQuery1, DataSource1, "ADOQuery1");

    addDataset(ValuesListCallTypeADOQuery, ValuesListCallTypeDataSource,
               "ValuesListCallTypeADOQuery");
    ValuesListCallTypeADOQuery->setSql(valueListSql(QStringLiteral("Call Type")));

    addDataset(ValueCategoryADOTable, ValueCategoryDataSource, "ValueCategoryADOTable");
    ValueCategoryADOTable->setTableName(QStringLiteral("tblValueCategory"));
    ValueCategoryADOTable->setReadOnly(true);

    addDataset(ValueListADOTable, ValueListDataSource, "ValueListADOTable");
    ValueListADOTable->setTableName(QStringLiteral("tblValuesList"));
    ValueListADOTable->setSortField(QStringLiteral("ValueCategoryID"));
    ValueListADOTable->setMasterFields({QStringLiteral("ValueCategoryID")});
    ValueListADOTable->setMasterSource(ValueCategoryDataSource);

    addDataset(PersonNameByActionOrgIDADOQuery, PersonNameByActionOrgIDDataSource,
               "PersonNameByActionOrgIDADOQuery");
    PersonNameByActionOrgIDADOQuery->setSql(PersonNameByOrgIDADOQuery->sql());

    // Masters: each detail takes its parameter from the master's field of the same name.
    linkCallsToOrganisations(true);
    ActionsByCallIDADOQuery->setMasterSource(CallsByOrgIDDataSource);
    PersonNameByOrgIDADOQuery->setMasterSource(OrgDataSource);
    PersonNameByActionOrgIDADOQuery->setMasterSource(AllOrgsNameDataSource);

    addCallsFields();
    addActionsFields();
    wireCalls();
    wireActions();
    wireOrganisations();
    wireUrgency();
}

TDataModule1::~TDataModule1()
{
    // Details first, so that no master's closing re-queries a detail on its way out.
    for (auto it = m_datasets.crbegin(); it != m_datasets.crend(); ++it)
        (*it)->setMasterSource(nullptr);
}

void TDataModule1::addDataset(Dataset *&dataset, DataSource *&source, const char *name)
{
    // The data source is named after its dataset: OrgADOQuery -> OrgDataSource.
    const QString datasetName = QString::fromLatin1(name);
    QString sourceName = datasetName;
    sourceName.replace(QLatin1String("ADOQuery"), QLatin1String("DataSource"))
        .replace(QLatin1String("ADOTable"), QLatin1String("DataSource"));
    dataset = new Dataset(m_engine, this);
    dataset->setObjectName(datasetName);
    source = new DataSource(dataset, this);
    source->setObjectName(sourceName);
    m_datasets << dataset;
    m_sources << source;
}

DataSource *TDataModule1::dataSourceOf(const Dataset *dataset) const
{
    const auto i = m_datasets.indexOf(const_cast<Dataset *>(dataset));
    return i < 0 ? nullptr : m_sources[i];
}

QString TDataModule1::valueListSql(const QString &category)
{
    return lines({"SELECT tblValuesList.Description, tblValueCategory.ValueCategory, "
                  "tblValuesList.ValueID",
                  "FROM tblValueCategory INNER JOIN tblValuesList ON "
                  "tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID"}) +
           QStringLiteral("\nWHERE (((tblValueCategory.ValueCategory)=\"%1\"));").arg(category);
}

void TDataModule1::linkCallsToOrganisations(bool linked)
{
    CallsByOrgIDADOQuery->setMasterSource(linked ? OrgDataSource : nullptr);
}

bool TDataModule1::callsLinkedToOrganisations() const
{
    return CallsByOrgIDADOQuery->masterSource() == OrgDataSource;
}

QString TDataModule1::thresholdDisplayText(double days)
{
    // Work in whole milliseconds so that 2.75 is 18:00 and not 17:59 by a rounding error; the
    // minutes are then cut, not rounded.
    constexpr qint64 msPerDay = 24LL * 60 * 60 * 1000;
    const qint64 total = std::llround(std::fabs(days) * double(msPerDay));
    const qint64 whole = total / msPerDay;
    const qint64 minutes = (total % msPerDay) / 60000;
    const QString sign = days < 0 && whole > 0 ? QStringLiteral("-") : QString();
    return QStringLiteral("%1%2, %3:%4")
        .arg(sign)
        .arg(whole)
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// --------------------------------------------------------------------------------- fields

void TDataModule1::addCallsFields()
{
    Dataset *people = AllPeopleNameADOQuery;
    Dataset *methods = ValuesListMethodADOQuery;
    Dataset *statuses = ValuesListStatusADOQuery;
    Dataset *orgs = AllOrgsNameADOQuery;
    addLookups(*CallsByOrgIDADOQuery,
               {{"CallOwner", "OwnerID", people, "PersonID", "Name"},
                {"ContactName", "ContactID", people, "PersonID", "Name"},
                {"PhoneExternal", "ContactID", people, "PersonID", "PhoneExternal"},
                {"Email", "ContactID", people, "PersonID", "Email"},
                {"Method", "MethodID", methods, "ValueID", "Description", 32},
                {"Status", "StatusID", statuses, "ValueID", "Description"},
                {"OrganizationNameLookUp", "OrgID", orgs, "OrgId", "OrganizationName", 32}});
}

void TDataModule1::addActionsFields()
{
    Dataset *people = AllPeopleNameADOQuery;
    Dataset *methods = ValuesListMethodADOQuery;
    Dataset *statuses = ValuesListStatusADOQuery;
    Dataset *orgs = AllOrgsNameADOQuery;
    // Choosing a name in OrgName writes that organisation's key into OrgID.
    addLookups(*ActionsByCallIDADOQuery,
               {{"ActionOwner", "OwnerID", people, "PersonID", "Name"},
                {"ContactName", "ContactID", people, "PersonID", "Name"},
                {"PhoneExternal", "ContactID", people, "PersonID", "PhoneExternal"},
                {"Email", "ContactID", people, "PersonID", "Email"},
                {"Method", "MethodID", methods, "ValueID", "Description", 40},
                {"Status", "StatusID", statuses, "ValueID", "Description"},
                {"OrgName", "OrgID", orgs, "OrgId", "OrganizationName", 32, true},
                {"OrgPhoneLookUp", "OrgID", orgs, "OrgId", "Phone"}});
}

void TDataModule1::addLookups(Dataset &dataset, std::initializer_list<Lookup> lookups)
{
    for (const Lookup &l : lookups)
        dataset.addLookupField(QString::fromLatin1(l.name), QString::fromLatin1(l.key), l.list,
                               QString::fromLatin1(l.listKey), QString::fromLatin1(l.result),
                               l.size, l.editable);
}

// --------------------------------------------------------------------------------- events

void TDataModule1::refindPosted(Dataset &dataset)
{
    dataset.requery();
    // When nothing carries that input time (an edited row, or no new row yet), the re-query's
    // own position stands.
    if (m_lastInputTime.isValid())
        dataset.locate(QStringLiteral("InputDate"), m_lastInputTime);
}

void TDataModule1::wireCalls()
{
    Dataset &calls = *CallsByOrgIDADOQuery;
    // Data fields come with the first open and are kept by name afterwards, also when the
    // browser rebuilds the statement.
    calls.afterOpen = [](Dataset &d) { setDateFormats(d); };

    calls.afterScroll = [this](Dataset &d) {
        call(callEditorScrolled);
        // With "All Orgs" ticked the calls list spans organisations: the current organisation
        // follows the current call.
        if (ask(browserAllOrgsChecked) && OrgADOQuery->isActive() && !d.isEmpty()) {
            Field *orgField = d.findField(QStringLiteral("OrgID"));
            const QVariant orgOfCall = orgField ? orgField->value() : QVariant();
            Field *current = OrgADOQuery->findField(QStringLiteral("OrgId"));
            const QVariant currentOrg =
                current && !OrgADOQuery->isEmpty() ? current->value() : QVariant();
            if (!orgOfCall.isNull() &&
                (currentOrg.isNull() || currentOrg.toInt() != orgOfCall.toInt()))
                OrgADOQuery->locate(QStringLiteral("OrgId"), orgOfCall);
        }
        call(browserCallsScrolled);
    };

    calls.afterPost = [this](Dataset &d) { refindPosted(d); };
}

void TDataModule1::wireActions()
{
    Dataset &actions = *ActionsByCallIDADOQuery;
    actions.afterOpen = [](Dataset &d) { setDateFormats(d); };

    actions.afterScroll = [this](Dataset &) {
        call(actionEditorScrolled);
        call(browserActionsScrolled);
    };

    actions.afterPost = [this](Dataset &d) { refindPosted(d); };

    actions.afterCancel = [this](Dataset &d) {
        if (ask(actionEditorOpen) && !d.isEmpty())
            d.last();
    };

    actions.onFieldChange = [this](Field &f) {
        if (f.name().compare(QLatin1String("OrgID"), Qt::CaseInsensitive) != 0 ||
            !ask(actionEditorOpen))
            return;
        // The contact chooser lists the people of AllOrgsNameADOQuery's current organisation:
        // bring it to the action's new organisation, then show no contact until one is chosen.
        const QVariant org = f.value();
        if (!org.isNull() && AllOrgsNameADOQuery->isActive()) {
            Field *current = AllOrgsNameADOQuery->findField(QStringLiteral("OrgId"));
            if (!current || AllOrgsNameADOQuery->isEmpty() ||
                current->value().toInt() != org.toInt())
                AllOrgsNameADOQuery->locate(QStringLiteral("OrgId"), org);
        }
        call(resetActionContactChooser);
    };
}

void TDataModule1::wireOrganisations()
{
    OrgADOQuery->afterScroll = [this](Dataset &) { call(browserOrganisationsScrolled); };
}

void TDataModule1::wireUrgency()
{
    Dataset &urgency = *UrgencyADOTable;
    urgency.addCalculatedField(QStringLiteral("CalcForDisplayThresholdTime"), FieldType::Text);
    urgency.afterOpen = [](Dataset &d) {
        if (Field *f = d.findField(QStringLiteral("ThresholdTime")))
            f->setDisplayLabel(QStringLiteral("Threshold Time"));
    };
    urgency.onCalcFields = [](Dataset &d) {
        const Field &threshold = d.field(QStringLiteral("ThresholdTime"));
        d.field(QStringLiteral("CalcForDisplayThresholdTime"))
            .setValue(threshold.isNull() ? QVariant()
                                         : QVariant(thresholdDisplayText(threshold.asFloat())));
    };
    urgency.afterPost = [](Dataset &d) { d.requery(); };
    urgency.beforeDelete = [this](Dataset &d) {
        if (!d.field(QStringLiteral("IsSys")).asBoolean())
            return true;
        if (warn)
            warn(tr("Sorry, that record is required by the system\n"
                    "             You can't delete that"));
        d.cancel();
        return false;
    };
    urgency.afterDelete = [](Dataset &d) {
        d.requery();
        d.first();
    };
}
