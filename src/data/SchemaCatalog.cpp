#include "SchemaCatalog.h"

namespace SchemaCatalog {
namespace {

using T = ColumnType;

Column pk(const char *name) { return Column{name, T::AutoNumber, 0, nullptr, true, false}; }
Column text(const char *name, int size) { return Column{name, T::Text, size}; }
Column memo(const char *name) { return Column{name, T::Memo}; }
Column lng(const char *name, const char *refersTo = nullptr) { return Column{name, T::Long, 0, refersTo}; }
Column date(const char *name) { return Column{name, T::DateTime}; }
Column yesNo(const char *name) { return Column{name, T::YesNo}; }
Column dbl(const char *name) { return Column{name, T::Double}; }

void userFields(std::vector<Column> &cols)
{
    cols.push_back(text("User1", 50));
    cols.push_back(text("User2", 50));
    cols.push_back(text("User3", 50));
    cols.push_back(text("User4", 50));
    cols.push_back(text("User5", 50));
}

std::vector<Table> buildTables()
{
    std::vector<Table> t;

    t.push_back({"tblValueCategory",
                 {Column{"ValueCategoryID", T::Long, 0, nullptr, true},
                  Column{"ValueCategory", T::Text, 50, nullptr, false, true}},
                 {}});

    t.push_back({"tblValuesList",
                 {pk("ValueID"), lng("ValueCategoryID", "tblValueCategory.ValueCategoryID"),
                  text("Description", 50), yesNo("IsDefault"), lng("SysID"),
                  Column{"Sequence", T::Short}},
                 {{"ixValuesListCategory", "ValueCategoryID, Sequence"},
                  {"ixValuesListDescription", "Description"}}});

    {
        std::vector<Column> c{pk("OrgID"),
                              text("OrgReference", 20),
                              lng("OrgTypeID", "tblValuesList.ValueID"),
                              text("OrganizationName", 255),
                              text("Address1", 255),
                              text("Address2", 255),
                              text("Address3", 255),
                              text("Town", 255),
                              text("County", 50),
                              text("PostCode", 10),
                              lng("CountryID", "tblValuesList.ValueID"),
                              text("Phone", 20),
                              text("Fax", 20),
                              text("EMail", 255)};
        userFields(c);
        c.push_back(date("InputDate"));
        c.push_back(memo("Notes"));
        t.push_back({"tblOrganization", c,
                     {{"ixOrganizationName", "OrganizationName"},
                      {"ixOrganizationPhone", "Phone"},
                      {"ixOrganizationType", "OrgTypeID"},
                      {"ixOrganizationCountry", "CountryID"}}});
    }
    {
        std::vector<Column> c{pk("PersonID"),
                              text("PersonReference", 20),
                              lng("OrgID", "tblOrganization.OrgID"),
                              lng("PersonTypeID", "tblValuesList.ValueID"),
                              text("FirstName", 255),
                              text("MiddleNames", 255),
                              text("LastName", 255),
                              text("Title", 10),
                              text("Suffix", 10),
                              text("Salutation", 255),
                              text("PhoneExternal", 20),
                              text("PhoneInternal", 20),
                              text("Fax", 20),
                              text("EMail", 255),
                              text("MobilePhone", 20),
                              text("UserID", 20)};
        userFields(c);
        c.push_back(date("InputDate"));
        c.push_back(memo("Notes"));
        t.push_back({"tblPerson", c,
                     {{"ixPersonOrg", "OrgID"},
                      {"ixPersonType", "PersonTypeID"},
                      {"ixPersonLastName", "LastName"},
                      {"ixPersonFirstName", "FirstName"},
                      {"ixPersonPhoneExternal", "PhoneExternal"},
                      {"ixPersonMobilePhone", "MobilePhone"}}});
    }
    {
        std::vector<Column> c{pk("CallID"),
                              text("CallRef", 20),
                              lng("OwnerID", "tblPerson.PersonID"),
                              lng("OrgID", "tblOrganization.OrgID"),
                              lng("ContactID", "tblPerson.PersonID"),
                              lng("MethodID", "tblValuesList.ValueID"),
                              lng("TypeID", "tblValuesList.ValueID"),
                              lng("StatusID", "tblValuesList.ValueID"),
                              date("InputDate"),
                              date("DueDate"),
                              lng("ResolutionID", "tblValuesList.ValueID"),
                              date("ResolvedDate"),
                              date("TimeStamp"),
                              memo("Notes")};
        userFields(c);
        t.push_back({"tblCall", c,
                     {{"ixCallOrgDue", "OrgID, DueDate"},
                      {"ixCallDue", "DueDate"},
                      {"ixCallOwner", "OwnerID, DueDate"},
                      {"ixCallContact", "ContactID"},
                      {"ixCallStatusDue", "StatusID, DueDate"},
                      {"ixCallMethod", "MethodID"},
                      {"ixCallType", "TypeID"},
                      {"ixCallResolution", "ResolutionID"},
                      {"ixCallInputDate", "InputDate"}}});
    }
    {
        std::vector<Column> c{pk("ActionID"),
                              text("ActionRef", 20),
                              lng("OwnerID", "tblPerson.PersonID"),
                              text("InputBy", 50),
                              lng("OrgID", "tblOrganization.OrgID"),
                              lng("ContactID", "tblPerson.PersonID"),
                              lng("MethodID", "tblValuesList.ValueID"),
                              lng("TypeID", "tblValuesList.ValueID"),
                              lng("StatusID", "tblValuesList.ValueID"),
                              date("DueDate"),
                              date("ResolvedDate"),
                              date("InputDate"),
                              memo("Notes"),
                              lng("CallID", "tblCall.CallID")};
        userFields(c);
        t.push_back({"tblAction", c,
                     {{"ixActionCallInput", "CallID, InputDate"},
                      {"ixActionOwner", "OwnerID"},
                      {"ixActionOrg", "OrgID"},
                      {"ixActionContact", "ContactID"},
                      {"ixActionMethod", "MethodID"},
                      {"ixActionType", "TypeID"},
                      {"ixActionStatus", "StatusID"}}});
    }
    t.push_back({"tblUrgency",
                 {pk("UrgencyID"), text("Description", 50), lng("Color"), yesNo("IsSys"),
                  dbl("ThresholdTime")},
                 {{"ValueID", "ThresholdTime"}}});
    t.push_back({"tblSysParms",
                 {dbl("DueDateDuration"), yesNo("AutoGenerateAction"), yesNo("AllowCompleteCall")},
                 {}});
    t.push_back({"tblReport",
                 {Column{"ReportID", T::Long, 0, nullptr, true},
                  text("ReportName", 50), text("ListName", 50), text("QueryName", 50),
                  text("RequiredField1", 50), text("RequiredField2", 50),
                  text("RequiredField3", 50), text("RequiredField4", 50),
                  text("RequiredField5", 50), Column{"TableCount", T::Word}, memo("sqlSELECT"),
                  memo("sqlWHERE"), memo("sqlORDERBY")},
                 {}});
    return t;
}

} // namespace

const std::vector<Table> &tables()
{
    static const std::vector<Table> all = buildTables();
    return all;
}

const Table *findTable(const QString &name)
{
    for (const Table &t : tables())
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

std::optional<Column> findColumn(const QString &table, const QString &column)
{
    if (const Table *t = findTable(table))
        for (const Column &c : t->columns)
            if (column.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return c;
    return std::nullopt;
}

bool isDateTimeColumn(const QString &column)
{
    for (const Table &t : tables())
        for (const Column &c : t.columns)
            if (c.type == ColumnType::DateTime &&
                column.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

const std::vector<SavedQuery> &savedQueries()
{
    // Live calls of one owner: every call of that owner whose status is not the "Closed" value
    // of the Status category, soonest due first.
    static const std::vector<SavedQuery> all{
        {"QryLiveCallsByUser",
         "SELECT tblCall.CallID, tblCall.CallRef, tblCall.InputDate, tblCall.DueDate,\n"
         "tblCall.ResolvedDate, tblCall.Notes, tblCall.StatusID,\n"
         "[CallOwner].[FirstName] + \" \" + [CallOwner].[LastName] AS OwnerName,\n"
         "[CallContact].[FirstName] + \" \" + [CallContact].[LastName] AS ContactName,\n"
         "tblOrganization.OrganizationName,\n"
         "MethodValue.Description AS Method, TypeValue.Description AS Type,\n"
         "StatusValue.Description AS Status, ResolutionValue.Description AS Resolution,\n"
         "CallOwner.FirstName, CallOwner.LastName, tblCall.OrgID\n"
         "FROM tblCall\n"
         "LEFT JOIN tblPerson AS CallOwner ON tblCall.OwnerID = CallOwner.PersonID\n"
         "LEFT JOIN tblPerson AS CallContact ON tblCall.ContactID = CallContact.PersonID\n"
         "LEFT JOIN tblOrganization ON tblCall.OrgID = tblOrganization.OrgID\n"
         "LEFT JOIN tblValuesList AS MethodValue ON tblCall.MethodID = MethodValue.ValueID\n"
         "LEFT JOIN tblValuesList AS TypeValue ON tblCall.TypeID = TypeValue.ValueID\n"
         "LEFT JOIN tblValuesList AS StatusValue ON tblCall.StatusID = StatusValue.ValueID\n"
         "LEFT JOIN tblValuesList AS ResolutionValue ON tblCall.ResolutionID = "
         "ResolutionValue.ValueID\n"
         "WHERE tblCall.OwnerID = :prmPersonID\n"
         "AND NOT EXISTS (SELECT 1 FROM tblValuesList AS ClosedValue\n"
         "INNER JOIN tblValueCategory ON ClosedValue.ValueCategoryID = "
         "tblValueCategory.ValueCategoryID\n"
         "WHERE ClosedValue.ValueID = tblCall.StatusID AND tblValueCategory.ValueCategory = "
         "\"Status\"\n"
         "AND ClosedValue.Description = \"Closed\")\n"
         "ORDER BY tblCall.DueDate, tblCall.CallID"}};
    return all;
}

} // namespace SchemaCatalog
