#include "SeedData.h"

namespace SeedData {
namespace {

struct Value
{
    const char *description;
    bool isDefault = false;
    int sysId = 0;   // 0: an ordinary value
};

struct Category
{
    int id;
    const char *name;
    std::vector<Value> values;
};

const std::vector<Category> &categories()
{
    static const std::vector<Category> all{
        {1, "Status", {{"Open", true, 1}, {"Closed", false, 2}, {"On Hold"}}},
        {2, "Call Method", {{"Phone", true}, {"Email"}, {"Fax"}, {"Letter"}, {"Visit"}, {"Web Form"}}},
        {3, "Call Type", {{"Fault", true}, {"Enquiry"}, {"Request"}, {"Complaint"}, {"Training"}}},
        {4, "Country", {{"United Kingdom", true}, {"Ireland"}, {"France"}, {"Germany"},
                        {"Netherlands"}, {"United States"}}},
        {5, "Person Type", {{"User", false, 3}, {"Contact", true}, {"Supplier Contact"}}},
        {6, "Organization Type", {{"Customer", true}, {"Supplier"}, {"Partner"}, {"Internal"}}},
        {7, "Relationship Type", {{"Primary"}, {"Secondary"}, {"Billing"}}},
        {8, "Organization User Fields", {{"Account Manager"}, {"Contract No"}, {"Region"},
                                         {"Sector"}, {"Site Code"}}},
        {9, "Person User Fields", {{"Department"}, {"Job Title"}, {"Extension"},
                                   {"Preferred Contact"}, {"Location"}}},
        {10, "Action User Fields", {{"Time Spent"}, {"Engineer"}, {"Part No"}, {"Cost"},
                                    {"Reference"}}},
        {11, "Call User Fields", {{"Product"}, {"Version"}, {"Serial No"}, {"Asset Tag"},
                                  {"Priority"}}},
        {12, "Resolution Type", {{"Fixed"}, {"Advice Given"}, {"Workaround"}, {"No Fault Found"},
                                 {"Referred to Supplier"}, {"Duplicate"}}},
    };
    return all;
}

} // namespace

std::vector<TableRows> rows()
{
    std::vector<TableRows> out;

    TableRows cats{QStringLiteral("tblValueCategory"),
                   {QStringLiteral("ValueCategoryID"), QStringLiteral("ValueCategory")}, {}};
    TableRows values{QStringLiteral("tblValuesList"),
                     {QStringLiteral("ValueCategoryID"), QStringLiteral("Description"),
                      QStringLiteral("IsDefault"), QStringLiteral("SysID"), QStringLiteral("Sequence")},
                     {}};
    for (const Category &c : categories()) {
        cats.rows.push_back({c.id, QString::fromUtf8(c.name)});
        int sequence = 0;
        for (const Value &v : c.values)
            values.rows.push_back({c.id, QString::fromUtf8(v.description), v.isDefault,
                                   v.sysId ? QVariant(v.sysId) : QVariant(), ++sequence});
    }
    out.push_back(cats);
    out.push_back(values);

    // Colours are 0x00BBGGRR. Time left below a threshold takes that level's colour.
    out.push_back({QStringLiteral("tblUrgency"),
                   {QStringLiteral("Description"), QStringLiteral("Color"), QStringLiteral("IsSys"),
                    QStringLiteral("ThresholdTime")},
                   {{QStringLiteral("Critical"), 0x000000FF, true, 0.125},
                    {QStringLiteral("Urgent"), 0x000080FF, true, 1.0},
                    {QStringLiteral("Due Soon"), 0x0000FFFF, false, 3.0},
                    {QStringLiteral("This Week"), 0x0080FF80, false, 7.0},
                    {QStringLiteral("Not Urgent"), 0x00FFE0C0, true, 30.0}}});

    out.push_back({QStringLiteral("tblSysParms"),
                   {QStringLiteral("DueDateDuration"), QStringLiteral("AutoGenerateAction"),
                    QStringLiteral("AllowCompleteCall")},
                   {{2.0, true, false}}});

    const std::pair<const char *, const char *> reports[] = {
        {"CallStat", "Calls By Status in Date Range"},
        {"OrgCallStat", "Calls By Organisation in Date Range"},
        {"Turnaround", "Turnaround of Closed Calls"},
        {"LiveCallsByDate", "Live Calls By Input Date"},
        {"LiveCallsByOwner", "Live Calls By Owner"},
        {"CallsActions", "Calls and Actions in Date Range"},
        {"OverallCallStatistics", "Overall Call Statistics"},
        {"CallStatisticsByMonth", "Monthly Call Statistics"},
        {"CallByID", "Call By ID"},
    };
    TableRows rep{QStringLiteral("tblReport"),
                  {QStringLiteral("ReportID"), QStringLiteral("ReportName"), QStringLiteral("ListName"),
                   QStringLiteral("TableCount")},
                  {}};
    int id = 0;
    for (const auto &[name, list] : reports)
        rep.rows.push_back({++id, QString::fromLatin1(name), QString::fromLatin1(list), 0});
    out.push_back(rep);
    return out;
}

} // namespace SeedData
