#include "DemoDataGenerator.h"

#include "DbError.h"
#include "Engine.h"
#include "SqlExec.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

// Everything here is driven by integer arithmetic on one std::mt19937_64 per stage: the
// standard fixes that engine's output exactly, whereas the library's distributions (and any
// floating-point maths) may differ between compilers, so the same seed gives the same rows
// everywhere.
//
// Times live on a "business clock": working days (Monday to Friday, less the Christmas and New
// Year holidays) of ten hours, 08:00:00 to 17:59:59. Offsets added on that clock keep their
// order and always land in office hours, so no generated time falls into a daylight-saving gap,
// and every time is a whole second.

namespace {

// Rows per transaction: every commit rewrites the index pages the block touched, so fewer,
// larger commits are much faster. Progress is told more often than that.
constexpr qint64 kBlockRows = 200000;
constexpr qint64 kProgressRows = 50000;
constexpr qint64 kDaySeconds = 10 * 3600;       // one working day on the business clock
constexpr int kOpeningSecond = 8 * 3600;        // 08:00:00
constexpr qint64 kHour = 3600;
constexpr int kHistoryYears = 5;                // calls cover the last five years before `until`
constexpr int kSetUpYears = 1;                  // organisations and people come in the year before

// ---------------------------------------------------------------------------------------------
// Random numbers

quint64 splitMix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Draws must happen in a fixed order, so each one is a statement (or a left-to-right chain of
// calls) of its own: never two draws as operands of "+" or as arguments of one call, whose
// order of evaluation the language leaves open.
class Rng
{
public:
    Rng(quint64 seed, quint64 stream) : m_engine(splitMix(seed ^ splitMix(stream))) {}

    // 0 <= result < n (n > 0), by multiply-shift: exact integer maths, no library distribution.
    quint64 below(quint64 n) { return quint64((unsigned __int128)m_engine() * n >> 64); }
    qint64 between(qint64 lo, qint64 hi) { return lo + qint64(below(quint64(hi - lo + 1))); }
    bool perMille(int p) { return below(1000) < quint64(p); }
    bool percent(int p) { return below(100) < quint64(p); }

    template <typename T, size_t N>
    const T &pick(const T (&list)[N]) { return list[below(N)]; }
    template <typename T>
    const T &pick(const std::vector<T> &list) { return list[below(list.size())]; }

private:
    std::mt19937_64 m_engine;
};

// ---------------------------------------------------------------------------------------------
// Word lists

const char *const kPlaces[] = {
    "Northgate", "Riverside", "Oakfield", "Ashby", "Westbrook", "Kingsmead", "Hillcrest",
    "Brookside", "Fairview", "Meadowbank", "Highfield", "Elmwood", "Stonebridge", "Millbrook",
    "Greenacre", "Redhill", "Thornbury", "Ashwood", "Beechwood", "Castlegate", "Eastfield",
    "Southgate", "Westfield", "Northfield", "Lakeside", "Parkside", "Woodlands", "Harbourside",
    "Bridgewater", "Foxley", "Hawthorn", "Larkhill", "Moorside", "Oakridge", "Pinewood",
    "Queensway", "Rosewood", "Sandford", "Tanfield", "Upton", "Whitcombe", "Yardley", "Albion",
    "Broadway", "Carlton", "Denby", "Elmfield", "Fernhill", "Glenville", "Hampton", "Ivydene",
    "Juniper", "Kestrel", "Langley", "Marlborough", "Newbury", "Orchard", "Priory", "Regent",
    "Sherwood", "Thameside", "Victoria", "Windmill", "Abbey", "Belmont", "Chiltern", "Downland",
    "Eastgate", "Heathfield", "Ridgeway", "Springfield", "Wolds", "Vale", "Crown", "Summit",
    "Pennine", "Severn", "Trent", "Mercia", "Wessex",
};

const char *const kTrades[] = {
    "Plumbing", "Electrical", "Engineering", "Joinery", "Roofing", "Logistics", "Haulage",
    "Printing", "Catering", "Cleaning Services", "Building Services", "Heating", "Glazing",
    "Motors", "Accountants", "Solicitors", "Estate Agents", "Veterinary Surgery", "Pharmacy",
    "Bakery", "Brewery", "Garden Centre", "Timber", "Steel Fabrication", "Plastics", "Packaging",
    "Textiles", "Furniture", "Kitchens", "Bathrooms", "Flooring", "Windows", "Security",
    "Fire Protection", "Scaffolding", "Surveyors", "Architects", "Recruitment",
    "Insurance Brokers", "Travel", "Computer Services", "Office Supplies", "Foods", "Dairies",
    "Farm Supplies", "Tool Hire", "Removals", "Couriers", "Signs", "Lighting", "Pumps",
    "Hydraulics", "Precision Tools", "Coatings", "Interiors", "Storage", "Components",
    "Electronics", "Laboratories", "Design",
};

const char *const kPartnershipTrades[] = {"Solicitors", "Accountants", "Surveyors", "Architects",
                                          "Associates", "Partners"};

const char *const kInstitutions[] = {
    "Primary School", "Academy", "Medical Centre", "Surgery", "Town Council", "Parish Council",
    "Housing Association", "Community Trust", "Leisure Centre", "Library", "Care Home",
    "College", "Sports Club", "Golf Club", "Hotel", "Dental Practice", "Nursery", "Church",
};

const char *const kCompanySuffixes[] = {"Ltd", "Ltd", "Ltd", "Ltd", "Limited", "plc", "Group",
                                        "& Co", "UK Ltd", ""};

const char *const kBranches[] = {"North", "South", "East", "West", "Head Office", "Depot",
                                 "Branch", "Works"};

const char *const kMaleFirstNames[] = {
    "James", "John", "Robert", "Michael", "David", "William", "Richard", "Thomas", "Mark",
    "Paul", "Andrew", "Peter", "Stephen", "Christopher", "Daniel", "Matthew", "Anthony",
    "Simon", "Ian", "Gary", "Neil", "Martin", "Graham", "Kevin", "Alan", "Colin", "Stuart",
    "Philip", "Adam", "Jonathan", "Samuel", "Benjamin", "Oliver", "Harry", "George", "Jack",
    "Luke", "Ryan", "Nathan", "Liam", "Connor", "Owen", "Rhys", "Callum", "Jamie", "Lee",
    "Darren", "Wayne", "Keith", "Trevor", "Mohammed", "Arjun", "Tomasz", "Raj",
};

const char *const kFemaleFirstNames[] = {
    "Mary", "Susan", "Sarah", "Karen", "Helen", "Elizabeth", "Claire", "Emma", "Rachel",
    "Julie", "Nicola", "Joanne", "Lisa", "Michelle", "Amanda", "Louise", "Catherine",
    "Jennifer", "Rebecca", "Laura", "Hannah", "Charlotte", "Sophie", "Emily", "Jessica",
    "Lucy", "Amy", "Katie", "Victoria", "Alison", "Gillian", "Margaret", "Patricia", "Janet",
    "Linda", "Carol", "Diane", "Wendy", "Fiona", "Kirsty", "Megan", "Chloe", "Olivia",
    "Grace", "Zoe", "Natalie", "Priya", "Aisha", "Agnieszka", "Siobhan",
};

const char *const kLastNames[] = {
    "Smith", "Jones", "Taylor", "Brown", "Williams", "Wilson", "Johnson", "Davies", "Robinson",
    "Wright", "Thompson", "Evans", "Walker", "White", "Roberts", "Green", "Hall", "Wood",
    "Jackson", "Clarke", "Patel", "Khan", "Lewis", "James", "Phillips", "Mason", "Mitchell",
    "Rose", "Davis", "Rodriguez", "Cox", "Alexander", "Garden", "Campbell", "Johnston",
    "Moore", "Smyth", "O'Neill", "Doherty", "Stewart", "Quinn", "Murphy", "Graham", "Mclaughlin",
    "Hamilton", "Murray", "Hughes", "Robertson", "Thomson", "Scott", "Macdonald", "Reid",
    "Clark", "Ross", "Young", "Watson", "Paterson", "Morrison", "Harris", "Turner", "Hill",
    "Cooper", "Ward", "Morris", "King", "Baker", "Harrison", "Morgan", "Allen", "Parker",
    "Bennett", "Edwards", "Collins", "Bell", "Shaw", "Marshall", "Holmes", "Gray", "Ellis",
    "Fletcher", "Hartley", "Moss", "Barker", "Chapman", "Dixon", "Lloyd", "Owen", "Pearce",
    "Webb", "Rowe", "Fisher", "Hudson", "Lawson", "Sutton", "Atkinson", "Booth", "Brennan",
    "Carter", "Dawson", "Fox", "Gibson", "Hayes", "Kennedy", "Lamb", "Nash", "Palmer",
    "Pritchard", "Reeves", "Saunders", "Spencer", "Thornton", "Vaughan", "Wallace", "Ashworth",
    "Kowalski", "Nowak", "Singh", "Ahmed", "Chen", "Okafor", "Mensah", "Fitzgerald",
};

const char *const kStreetNames[] = {
    "High", "Station", "Church", "Mill", "Park", "Victoria", "Queen", "King", "London", "Manor",
    "Green", "School", "New", "Bridge", "North", "South", "West", "Chapel", "Albert", "Market",
    "Castle", "York", "Cross", "Spring", "Orchard", "Grange", "Meadow", "Oak", "Elm", "Beech",
    "Willow", "Windsor", "Canal", "Wharf", "Forge", "Brook", "Common", "Hill", "Holly",
    "Clarence", "Kings", "Priory", "Abbey", "Sandy", "Cherry",
};

const char *const kStreetTypes[] = {"Road", "Road", "Street", "Street", "Lane", "Avenue", "Close",
                                    "Way", "Drive", "Crescent", "Place", "Terrace", "Gardens",
                                    "Court", "Row", "Parade"};

const char *const kSites[] = {"Business Park", "Industrial Estate", "Trading Estate",
                              "Enterprise Centre", "House", "Court", "Works", "Mills"};

struct Town
{
    const char *name;
    const char *county;
    const char *postArea;
    const char *phonePrefix;   // a number range set aside for fiction, plus its fixed digits
};

// Phone numbers come only from the ranges that are reserved for drama and examples.
const Town kTowns[] = {
    {"Leeds", "West Yorkshire", "LS", "0113 496 0"},
    {"Bradford", "West Yorkshire", "BD", "01632 960"},
    {"Sheffield", "South Yorkshire", "S", "0114 496 0"},
    {"York", "North Yorkshire", "YO", "01632 960"},
    {"Manchester", "Greater Manchester", "M", "0161 496 0"},
    {"Bolton", "Greater Manchester", "BL", "01632 960"},
    {"Liverpool", "Merseyside", "L", "0151 496 0"},
    {"Chester", "Cheshire", "CH", "01632 960"},
    {"Birmingham", "West Midlands", "B", "0121 496 0"},
    {"Coventry", "West Midlands", "CV", "01632 960"},
    {"Nottingham", "Nottinghamshire", "NG", "0115 496 0"},
    {"Derby", "Derbyshire", "DE", "01632 960"},
    {"Leicester", "Leicestershire", "LE", "0116 496 0"},
    {"Lincoln", "Lincolnshire", "LN", "01632 960"},
    {"Norwich", "Norfolk", "NR", "01632 960"},
    {"Ipswich", "Suffolk", "IP", "01632 960"},
    {"Cambridge", "Cambridgeshire", "CB", "01632 960"},
    {"Oxford", "Oxfordshire", "OX", "01632 960"},
    {"Reading", "Berkshire", "RG", "0118 496 0"},
    {"Guildford", "Surrey", "GU", "01632 960"},
    {"Brighton", "East Sussex", "BN", "01632 960"},
    {"Canterbury", "Kent", "CT", "01632 960"},
    {"Maidstone", "Kent", "ME", "01632 960"},
    {"Southampton", "Hampshire", "SO", "01632 960"},
    {"Portsmouth", "Hampshire", "PO", "01632 960"},
    {"Bristol", "Bristol", "BS", "0117 496 0"},
    {"Bath", "Somerset", "BA", "01632 960"},
    {"Exeter", "Devon", "EX", "01632 960"},
    {"Plymouth", "Devon", "PL", "01632 960"},
    {"Truro", "Cornwall", "TR", "01632 960"},
    {"Gloucester", "Gloucestershire", "GL", "01632 960"},
    {"Worcester", "Worcestershire", "WR", "01632 960"},
    {"Shrewsbury", "Shropshire", "SY", "01632 960"},
    {"Stoke-on-Trent", "Staffordshire", "ST", "01632 960"},
    {"Preston", "Lancashire", "PR", "01632 960"},
    {"Lancaster", "Lancashire", "LA", "01632 960"},
    {"Carlisle", "Cumbria", "CA", "01632 960"},
    {"Newcastle upon Tyne", "Tyne and Wear", "NE", "0191 498 0"},
    {"Durham", "County Durham", "DH", "01632 960"},
    {"Hull", "East Riding of Yorkshire", "HU", "01632 960"},
    {"Northampton", "Northamptonshire", "NN", "01632 960"},
    {"Milton Keynes", "Buckinghamshire", "MK", "01632 960"},
    {"Swindon", "Wiltshire", "SN", "01632 960"},
    {"London", "Greater London", "SE", "020 7946 0"},
    {"London", "Greater London", "EC", "020 7946 0"},
    {"Cardiff", "South Glamorgan", "CF", "029 2018 0"},
    {"Swansea", "West Glamorgan", "SA", "01632 960"},
    {"Edinburgh", "Midlothian", "EH", "0131 496 0"},
    {"Glasgow", "Lanarkshire", "G", "0141 496 0"},
    {"Belfast", "County Antrim", "BT", "028 9649 6"},
};

const char *const kMobilePrefix = "07700 900";   // the mobile range reserved for drama

const char *const kOrgMailboxes[] = {"info", "enquiries", "office", "admin", "accounts",
                                     "reception", "hello", "support"};
const char *const kDepartments[] = {"Accounts", "Sales", "Operations", "IT", "Facilities",
                                    "Purchasing", "Reception", "Warehouse", "Management",
                                    "Human Resources", "Customer Services", "Maintenance"};
const char *const kJobTitles[] = {"Office Manager", "Director", "Accounts Assistant",
                                  "IT Coordinator", "Site Manager", "Receptionist",
                                  "Operations Manager", "Buyer", "Practice Manager",
                                  "Administrator", "Facilities Officer", "Head Teacher",
                                  "Bursar", "Team Leader", "Managing Director"};
const char *const kPreferredContact[] = {"Phone", "Email", "Mobile", "Phone (mornings)",
                                         "Email only"};
const char *const kLocations[] = {"Ground floor", "First floor", "Second floor", "Annexe",
                                  "Main building", "Warehouse office", "Portakabin", "Site office"};
const char *const kRegions[] = {"North", "North West", "North East", "Midlands", "South",
                                "South West", "South East", "Scotland", "Wales", "Northern Ireland"};
const char *const kSectors[] = {"Education", "Health", "Retail", "Manufacturing", "Construction",
                                "Public Sector", "Hospitality", "Professional Services",
                                "Transport", "Charity"};
const char *const kProducts[] = {"Ledger Plus", "StockMaster", "PayDay", "FrontDesk", "TillPoint",
                                 "Site Manager", "Scheduler", "Mail Gateway", "Backup Service",
                                 "Thin Client", "Laser Printer", "Phone System"};
const char *const kPriorities[] = {"Low", "Normal", "Normal", "Normal", "High", "Urgent"};
const char *const kTitlesMale[] = {"Mr", "Mr", "Mr", "Mr", "Mr", "Mr", "Dr", ""};
const char *const kTitlesFemale[] = {"Mrs", "Mrs", "Ms", "Ms", "Miss", "Dr", ""};
const char *const kSuffixes[] = {"OBE", "MBE", "BSc", "PhD", "Jr", "FCA"};

// Help-desk phrases. None of them mentions a boiler: only the calls picked for it do, so a
// notes search for that word finds a known, small share of the calls.
const char *const kShortNotes[] = {
    "Password reset.", "Printer jam.", "Account locked out.", "Invoice query.",
    "Call back requested.", "New starter set-up.", "Toner order.", "Email not sending.",
    "No dial tone.", "Quote requested.", "Licence renewal.", "Slow PC.", "Leaver: disable account.",
    "Screen flickering.", "Delivery chased.", "VPN down.",
};

const char *const kOpenings[] = {
    "Customer reports that", "Caller says that", "User rang to say that",
    "Office manager emailed to say that", "Contact advises that", "Reported by phone:",
    "Site reports that", "Customer chased again:", "Follow-up from last week:",
    "Logged from the web form:",
};

const char *const kProblems[] = {
    "the printer on the second floor keeps jamming on double-sided jobs",
    "they cannot log in to the accounts system since the weekend",
    "the shared drive is not showing on two of the office PCs",
    "emails to one supplier are bouncing back as undeliverable",
    "the phone system drops calls after about two minutes",
    "a laptop will not connect to the office wireless network",
    "the nightly backup reported errors three nights running",
    "the till software freezes when a refund is processed",
    "an invoice was sent with the wrong VAT rate",
    "the new starter has no access to the payroll folder",
    "the website contact form has stopped sending enquiries",
    "the door entry system is not releasing the side door",
    "the stock report shows negative quantities for several lines",
    "the monitor on reception is flickering and going blank",
    "the delivery promised for Tuesday has not arrived",
    "the broadband line keeps dropping in the afternoons",
    "a spreadsheet macro fails with a permissions message",
    "the scanner saves every page as a separate file",
    "the licence for the drawing package expires at the end of the month",
    "the server room air conditioning is alarming",
    "the card machine is declining contactless payments",
    "they have been charged twice for the last order",
    "the diary system shows appointments an hour out",
    "the handheld scanners will not sync with the warehouse system",
    "a member of staff clicked a link in a suspicious email",
};

const char *const kBoilerProblems[] = {
    "the boiler in the plant room is showing a fault code and there is no hot water",
    "boiler pressure keeps dropping overnight and has to be topped up each morning",
    "there has been no heating since the boiler service last week",
    "the boiler controller lost its time settings after a power cut",
    "the boiler is making a loud banging noise when the heating comes on",
};

const char *const kDetails[] = {
    "It started after the update on Friday.",
    "The error message says access is denied.",
    "It happens on every machine in the office.",
    "Only one user is affected so far.",
    "They have already restarted it twice.",
    "It was working normally yesterday afternoon.",
    "Screenshots have been sent by email.",
    "The problem comes and goes during the day.",
    "They need this sorted before month end.",
    "The same fault was logged in the spring and fixed by a restart.",
    "Contact is working from home on Mondays.",
    "The warranty runs until the end of next year.",
    "Asset tag is on the underside of the unit.",
    "They would like an engineer to visit if possible.",
    "Customer is unhappy with how long this has taken.",
    "There is a workaround but it is slow.",
    "Several customers have complained about it.",
    "Part number is on the original invoice.",
    "Access to the site is by the rear car park.",
    "Please ask for the duty manager on arrival.",
};

const char *const kRequests[] = {
    "Please call back before 3pm.", "Please reply by email.",
    "Contact is available all day tomorrow.", "Customer asked for a quote for a replacement.",
    "Please arrange a visit this week.", "Customer asked for an update by the end of the day.",
    "Priority agreed with the account manager.", "Not urgent, but please keep them informed.",
};

const char *const kActionNotes[] = {
    "Called the customer back, no answer. Left a voicemail.",
    "Spoke to the contact and talked them through a restart.",
    "Remote session opened; cleared the print queue and reinstalled the driver.",
    "Reset the password and unlocked the account.",
    "Engineer booked for a site visit.",
    "Engineer visited site and replaced the faulty unit.",
    "Escalated to second line support.",
    "Raised with the supplier under the support contract.",
    "Supplier confirmed the part is on back order.",
    "Credit note issued and sent by email.",
    "Updated the customer by phone; they are happy to wait.",
    "Checked the logs; no further errors since the change.",
    "Waiting for the customer to confirm the fix.",
    "Customer confirmed everything is working now.",
    "Sent instructions by email.",
    "Applied the latest update and tested with the user.",
    "Replaced the network cable at the desk.",
    "Chased the courier; delivery rebooked for tomorrow.",
    "Quote sent for approval.",
    "Order placed.",
    "Followed up as promised.",
    "Moved to the project list for next month.",
};

const char *const kQuarters[] = {"00", "15", "30", "45"};

const char *const kAreas[] = {"accounts office", "warehouse", "reception", "server room",
                              "meeting room", "main office", "shop floor", "staff room"};

// ---------------------------------------------------------------------------------------------
// The business clock

class Calendar
{
public:
    explicit Calendar(QDate until)
    {
        const QDate first = until.addYears(-(kHistoryYears + kSetUpYears));
        const QDate historyStart = until.addYears(-kHistoryYears);
        // Far enough past `until` for every due date.
        const QDate last = until.addDays(120);
        for (QDate d = first; d <= last; d = d.addDays(1)) {
            if (d.dayOfWeek() > 5 || isHoliday(d))
                continue;
            if (d < historyStart)
                m_historyStart = qint64(m_days.size() + 1) * kDaySeconds;
            if (d <= until)
                m_untilEnd = qint64(m_days.size() + 1) * kDaySeconds;
            std::array<char, 11> text{};
            std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", d.year(), d.month(), d.day());
            text[10] = ' ';
            m_days.push_back(text);
        }
    }

    qint64 historyStart() const { return m_historyStart; }   // first moment of the calls
    qint64 untilEnd() const { return m_untilEnd; }           // just after the last one
    qint64 lastMoment() const { return qint64(m_days.size()) * kDaySeconds - 1; }

    // The stored form of a moment, exactly as DateTimeText::toStorage writes it.
    QString text(qint64 moment) const
    {
        moment = std::clamp<qint64>(moment, 0, lastMoment());
        const int second = kOpeningSecond + int(moment % kDaySeconds);
        char buf[23];
        std::memcpy(buf, m_days[size_t(moment / kDaySeconds)].data(), 11);
        twoDigits(buf + 11, second / 3600);
        buf[13] = ':';
        twoDigits(buf + 14, second / 60 % 60);
        buf[16] = ':';
        twoDigits(buf + 17, second % 60);
        std::memcpy(buf + 19, ".000", 4);
        return QString::fromLatin1(buf, 23);
    }

private:
    static bool isHoliday(QDate d)
    {
        return (d.month() == 12 && (d.day() == 25 || d.day() == 26)) ||
               (d.month() == 1 && d.day() == 1);
    }
    static void twoDigits(char *out, int v)
    {
        out[0] = char('0' + v / 10);
        out[1] = char('0' + v % 10);
    }

    std::vector<std::array<char, 11>> m_days;
    qint64 m_historyStart = 0;
    qint64 m_untilEnd = 0;
};

// ---------------------------------------------------------------------------------------------
// Values lists

struct Value
{
    qint64 id;
    QString description;
    bool isDefault;
};

class ValueList
{
public:
    ValueList(Engine &engine, const QString &category) : m_category(category)
    {
        QSqlQuery q = engine.run(QStringLiteral(
            "SELECT v.ValueID, v.Description, v.IsDefault FROM tblValuesList v "
            "INNER JOIN tblValueCategory c ON c.ValueCategoryID = v.ValueCategoryID "
            "WHERE c.ValueCategory = :category ORDER BY v.Sequence, v.ValueID"),
            {{QStringLiteral("category"), category}});
        while (q.next())
            m_values.push_back({q.value(0).toLongLong(), q.value(1).toString(),
                                q.value(2).toLongLong() != 0});
    }

    bool isEmpty() const { return m_values.empty(); }
    const std::vector<Value> &values() const { return m_values; }

    const Value *find(const QString &description) const
    {
        for (const Value &v : m_values)
            if (v.description.compare(description, Qt::CaseInsensitive) == 0)
                return &v;
        return nullptr;
    }
    qint64 require(const QString &description) const
    {
        if (const Value *v = find(description))
            return v->id;
        throw DbError(QStringLiteral("The values list has no value \"%1\" in the category \"%2\".")
                          .arg(description, m_category), DbError::Kind::NotFound);
    }
    void requireSome() const
    {
        if (m_values.empty())
            throw DbError(QStringLiteral("The values list has no values in the category \"%1\".")
                              .arg(m_category), DbError::Kind::NotFound);
    }

private:
    QString m_category;
    std::vector<Value> m_values;
};

// Keys drawn with a bias: the category's default value (or the first) half of the time.
class WeightedKeys
{
public:
    WeightedKeys() = default;
    explicit WeightedKeys(std::vector<qint64> keys, qint64 favourite = -1)
        : m_keys(std::move(keys)), m_favourite(favourite)
    {
        if (m_favourite < 0 && !m_keys.empty())
            m_favourite = m_keys.front();
    }
    static WeightedKeys of(const ValueList &list, const std::vector<QString> &leaveOut = {})
    {
        std::vector<qint64> keys;
        qint64 favourite = -1;
        for (const Value &v : list.values()) {
            if (std::any_of(leaveOut.begin(), leaveOut.end(), [&](const QString &d) {
                    return v.description.compare(d, Qt::CaseInsensitive) == 0;
                }))
                continue;
            keys.push_back(v.id);
            if (v.isDefault)
                favourite = v.id;
        }
        return WeightedKeys(std::move(keys), favourite);
    }

    bool isEmpty() const { return m_keys.empty(); }
    QVariant draw(Rng &rng) const
    {
        if (m_keys.empty())
            return QVariant(QMetaType::fromType<qint64>());
        if (rng.percent(50))
            return m_favourite;
        return rng.pick(m_keys);
    }

private:
    std::vector<qint64> m_keys;
    qint64 m_favourite = -1;
};

const QVariant &nullText()
{
    static const QVariant v(QMetaType::fromType<QString>());
    return v;
}
const QVariant &nullKey()
{
    static const QVariant v(QMetaType::fromType<qint64>());
    return v;
}

// ---------------------------------------------------------------------------------------------
// Writing rows

// One prepared INSERT, run once per row with positional values.
class Inserter
{
public:
    Inserter(const QSqlDatabase &db, const char *table, std::initializer_list<const char *> columns)
        : m_query(db)
    {
        QStringList cols, marks;
        for (const char *c : columns) {
            cols << QString::fromLatin1(c);
            marks << QStringLiteral("?");
        }
        m_query.setForwardOnly(true);
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(QLatin1String(table), cols.join(QStringLiteral(", ")),
                                     marks.join(QStringLiteral(", ")));
        if (!m_query.prepare(sql))
            fail();
    }

    void set(int column, const QVariant &value) { m_query.bindValue(column, value); }

    // Writes the bound row and returns its new key.
    qint64 insert()
    {
        if (!m_query.exec())
            fail();
        return m_query.lastInsertId().toLongLong();
    }

private:
    [[noreturn]] void fail() const
    {
        const QString text = SqlExec::engineText(m_query.lastError());
        throw DbError(text, text.contains(QLatin1String("constraint")) ? DbError::Kind::Constraint
                                                                      : DbError::Kind::General);
    }

    QSqlQuery m_query;
};

// Runs the rows of one stage in transactions of kBlockRows, telling the caller how far it got.
template <typename WriteRow>
void inBlocks(Engine &engine, const DemoDataOptions &options, const QString &stage, qint64 total,
              WriteRow writeRow)
{
    if (options.progress)
        options.progress(stage, 0, total);
    for (qint64 done = 0; done < total;) {
        const qint64 end = std::min(total, done + kBlockRows);
        Engine::Transaction transaction(engine);
        for (qint64 i = done; i < end; ++i) {
            writeRow(i);
            if (options.progress && (i + 1) % kProgressRows == 0 && i + 1 < end)
                options.progress(stage, i + 1, total);
        }
        transaction.commit();
        done = end;
        if (options.progress)
            options.progress(stage, done, total);
    }
}

// SQLite keeps only a few megabytes of pages in memory; millions of rows going into a dozen
// indexes in key order other than their own would spend most of their time re-reading pages.
// A bigger page cache for the connection while generating, then back to what it was. Users
// not allowed to set it simply go without.
class LargePageCache
{
public:
    explicit LargePageCache(Engine &engine) : m_db(engine.database())
    {
        if (engine.target() != SqlTarget::SQLite)
            return;
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("PRAGMA cache_size")) || !q.next())
            return;
        m_previous = q.value(0).toLongLong();
        q.finish();
        m_changed = q.exec(QStringLiteral("PRAGMA cache_size = -262144"));   // 256 MB
    }
    ~LargePageCache()
    {
        if (m_changed)
            QSqlQuery(m_db).exec(QStringLiteral("PRAGMA cache_size = %1").arg(m_previous));
    }
    LargePageCache(const LargePageCache &) = delete;
    LargePageCache &operator=(const LargePageCache &) = delete;

private:
    QSqlDatabase m_db;
    qint64 m_previous = 0;
    bool m_changed = false;
};

// ---------------------------------------------------------------------------------------------
// Texts

QString digits(Rng &rng, int count)
{
    QString s(count, u'0');
    for (int i = 0; i < count; ++i)
        s[i] = QChar(u'0' + int(rng.below(10)));
    return s;
}

QString letters(Rng &rng, int count, const char *alphabet = "ABCDEFGHJKLMNPQRSTUVWXYZ")
{
    const int n = int(std::strlen(alphabet));
    QString s(count, u'A');
    for (int i = 0; i < count; ++i)
        s[i] = QLatin1Char(alphabet[rng.below(quint64(n))]);
    return s;
}

QString landline(Rng &rng, const Town &town)
{
    const QString prefix = QLatin1String(town.phonePrefix);
    // Each reserved range has a thousand numbers: three free digits after the prefix.
    return prefix + digits(rng, 3);
}

QString mobile(Rng &rng) { return QLatin1String(kMobilePrefix) + digits(rng, 3); }

QString postCode(Rng &rng, const Town &town)
{
    const qint64 district = rng.between(1, 29);
    const quint64 sector = rng.below(10);
    const QString unit = letters(rng, 2, "ABDEFGHJLNPQRSTUWXYZ");
    return QLatin1String(town.postArea) + QString::number(district) + u' ' +
           QString::number(sector) + unit;
}

// "word word", from two words already drawn.
QString twoWords(const char *first, const char *second)
{
    return QLatin1String(first) + u' ' + QLatin1String(second);
}

// Lower-case letters and digits of a name, for mail addresses.
QString mailPart(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c.isLetterOrNumber() && c.unicode() < 128)
            out += c.toLower();
    return out;
}

// A few words, a sentence or two, a paragraph, or now and then several paragraphs.
QString callNotes(Rng &rng, bool boiler)
{
    const quint64 shape = rng.below(100);
    if (shape < 20 && !boiler)
        return QLatin1String(rng.pick(kShortNotes));
    const char *opening = rng.pick(kOpenings);
    const char *problem = boiler ? rng.pick(kBoilerProblems) : rng.pick(kProblems);
    QString text = QLatin1String(opening) + u' ' + QLatin1String(problem) + u'.';
    if (shape < 45) {
        if (rng.percent(60))
            text += u' ' + QLatin1String(rng.pick(kRequests));
        return text;
    }
    // Details are not repeated within one note until all of them have been used.
    constexpr size_t detailCount = std::size(kDetails);
    static_assert(detailCount <= 32);
    quint32 used = 0;
    auto detail = [&] {
        if (used == (quint64(1) << detailCount) - 1)
            used = 0;
        size_t k = size_t(rng.below(detailCount));
        while (used & (quint32(1) << k))
            k = (k + 1) % detailCount;
        used |= quint32(1) << k;
        return QLatin1String(kDetails[k]);
    };
    const qint64 paragraphs = shape < 92 ? 1 : rng.between(2, 4);
    for (qint64 p = 0; p < paragraphs; ++p) {
        if (p > 0)
            text += QStringLiteral("\n\n");
        const qint64 sentences = rng.between(2, 6);
        for (qint64 k = 0; k < sentences; ++k) {
            if (p == 0 || k > 0)
                text += u' ';
            text += detail();
        }
        if (rng.percent(30))
            text += QStringLiteral(" Affects the %1.").arg(QLatin1String(rng.pick(kAreas)));
    }
    text += u' ' + QLatin1String(rng.pick(kRequests));
    return text;
}

QString actionNotes(Rng &rng)
{
    constexpr quint64 count = std::size(kActionNotes);
    const quint64 first = rng.below(count);
    QString text = QLatin1String(kActionNotes[first]);
    if (rng.percent(35))   // a second, different one
        text += u' ' + QLatin1String(kActionNotes[(first + 1 + rng.below(count - 1)) % count]);
    if (rng.percent(10))
        text += u' ' + QLatin1String(rng.pick(kDetails));
    return text;
}

// ---------------------------------------------------------------------------------------------
// What the later stages need to know of the earlier ones

struct Org
{
    qint64 id;
    qint64 inputMoment;
    QString domain;
    int town;
};

struct Staff
{
    qint64 id;
    QString login;   // the user name staff log in with, stamped on actions
};

struct Contact
{
    qint64 id;
    int org;         // index into the organisations
};

struct CallFacts
{
    qint64 id;
    qint64 input;
    qint64 end;      // when it was resolved, or the last moment its actions run to
    int owner;       // index into the staff
    int contact;     // index into the contacts
    bool closed;
};

struct Keys
{
    qint64 closed = -1;
    qint64 open = -1;
    std::vector<qint64> otherOpen;   // "On Hold" and the like
    qint64 personUser = -1;
    qint64 personContact = -1;
    QVariant orgInternal;
    WeightedKeys orgTypes, countries, methods, callTypes, resolutions;
};

Keys loadKeys(Engine &engine)
{
    Keys k;
    const ValueList status(engine, QStringLiteral("Status"));
    k.closed = status.require(QStringLiteral("Closed"));
    k.open = status.require(QStringLiteral("Open"));
    for (const Value &v : status.values())
        if (v.id != k.closed && v.id != k.open)
            k.otherOpen.push_back(v.id);

    const ValueList personTypes(engine, QStringLiteral("Person Type"));
    k.personUser = personTypes.require(QStringLiteral("User"));
    if (const Value *c = personTypes.find(QStringLiteral("Contact")))
        k.personContact = c->id;
    else
        for (const Value &v : personTypes.values())
            if (v.id != k.personUser && k.personContact < 0)
                k.personContact = v.id;
    if (k.personContact < 0)
        throw DbError(QStringLiteral("The values list has no person type for contacts beside "
                                     "\"User\" in the category \"Person Type\"."),
                      DbError::Kind::NotFound);

    const ValueList orgTypes(engine, QStringLiteral("Organization Type"));
    const Value *internal = orgTypes.find(QStringLiteral("Internal"));
    k.orgInternal = internal ? QVariant(internal->id) : QVariant(nullKey());
    k.orgTypes = WeightedKeys::of(orgTypes, {QStringLiteral("Internal")});
    if (k.orgTypes.isEmpty())
        k.orgTypes = WeightedKeys::of(orgTypes);
    if (!internal && !orgTypes.isEmpty())
        k.orgInternal = orgTypes.values().front().id;

    k.countries = WeightedKeys::of(ValueList(engine, QStringLiteral("Country")));

    const ValueList methods(engine, QStringLiteral("Call Method"));
    methods.requireSome();
    k.methods = WeightedKeys::of(methods);
    const ValueList types(engine, QStringLiteral("Call Type"));
    types.requireSome();
    k.callTypes = WeightedKeys::of(types);
    const ValueList resolutions(engine, QStringLiteral("Resolution Type"));
    resolutions.requireSome();
    k.resolutions = WeightedKeys::of(resolutions);
    return k;
}

// How long after its input a call or action falls due, on the business clock.
qint64 dueAfter(Rng &rng)
{
    static const qint64 spans[] = {4 * kHour,        kDaySeconds,     2 * kDaySeconds,
                                   2 * kDaySeconds,  2 * kDaySeconds, 2 * kDaySeconds,
                                   3 * kDaySeconds,  5 * kDaySeconds, 10 * kDaySeconds};
    return rng.pick(spans);
}

// The chance, in thousandths, that a call of this age (on the business clock) is closed by the
// end of the history: a few of the newest, most of last month's, nearly all older ones.
int closedPerMille(qint64 age)
{
    static const int byWorkingDay[] = {50, 100, 200, 300, 400, 550, 550, 550, 550, 550,
                                       800, 800, 800, 800, 800, 800, 800, 800, 800, 800};
    const qint64 days = age / kDaySeconds;
    if (days < qint64(std::size(byWorkingDay)))
        return byWorkingDay[days];
    return days < 60 ? 930 : 985;
}

// How long a call takes to resolve: most within a day or two, a long tail of weeks.
qint64 timeToResolve(Rng &rng)
{
    const quint64 bucket = rng.below(100);
    if (bucket < 30)
        return rng.between(5 * 60, 2 * kHour);
    if (bucket < 60)
        return rng.between(2 * kHour, kDaySeconds);
    if (bucket < 85)
        return rng.between(kDaySeconds, 5 * kDaySeconds);
    return rng.between(5 * kDaySeconds, 30 * kDaySeconds);
}

class Generator
{
public:
    Generator(Engine &engine, const DemoDataOptions &options)
        : m_engine(engine), m_options(options),
          m_calendar(options.until.isValid() ? options.until : QDate::currentDate())
    {
    }

    DemoDataSummary run()
    {
        const qint64 people = m_options.people;
        const qint64 staff = std::min<qint64>(people, std::max<qint64>(5, (people + 50) / 100));
        const qint64 contacts = people - staff;
        check(staff, contacts);
        m_keys = loadKeys(m_engine);
        const LargePageCache cache(m_engine);

        writeOrganisations();
        writePeople(staff, contacts);
        writeCalls();
        writeActions();
        return m_summary;
    }

private:
    void check(qint64 staff, qint64 contacts) const
    {
        const auto &o = m_options;
        auto refuse = [](const QString &why) { throw DbError(why, DbError::Kind::Usage); };
        if (o.orgs < 0 || o.people < 0 || o.calls < 0 || o.actionsPerCall < 0)
            refuse(QStringLiteral("The numbers of demo rows must not be negative."));
        if (o.people > 0 && o.orgs < 1)
            refuse(QStringLiteral("Demo people need at least one organisation."));
        if (o.calls > 0 && (staff < 5 || contacts < 1))
            refuse(QStringLiteral("Demo calls need at least 6 people: 5 members of staff and "
                                  "one contact."));
        if (qint64(o.calls) * o.actionsPerCall > (qint64(1) << 40))
            refuse(QStringLiteral("Too many demo actions."));
    }

    // ---- organisations ----------------------------------------------------------------------

    QString organisationName(Rng &rng, bool internal)
    {
        if (internal)
            return QStringLiteral("%1 Support Services Ltd").arg(QLatin1String(rng.pick(kPlaces)));
        QString name;
        const quint64 shape = rng.below(100);
        if (shape < 45) {
            const char *place = rng.pick(kPlaces);
            name = twoWords(place, rng.pick(kTrades));
        } else if (shape < 65) {
            const char *surname = rng.pick(kLastNames);
            name = twoWords(surname, rng.pick(kTrades));
        } else if (shape < 75) {
            const char *first = rng.pick(kLastNames);
            const char *second = rng.pick(kLastNames);
            const char *trade = rng.pick(kPartnershipTrades);
            const bool llp = rng.percent(50);
            return QLatin1String(first) + QStringLiteral(" & ") + QLatin1String(second) + u' ' +
                   QLatin1String(trade) + (llp ? QStringLiteral(" LLP") : QString());
        } else if (shape < 95) {
            const char *place = rng.pick(kPlaces);
            name = twoWords(place, rng.pick(kInstitutions));
            if (rng.percent(8))
                name += QStringLiteral(" (%1)").arg(QLatin1String(rng.pick(kBranches)));
            return name;
        } else {
            return QLatin1String(rng.pick(kLastNames)) + QStringLiteral(" & Sons Ltd");
        }
        const QLatin1String suffix(rng.pick(kCompanySuffixes));
        if (!suffix.isEmpty())
            name += u' ' + suffix;
        if (rng.percent(6))
            name += QStringLiteral(" (%1)").arg(QLatin1String(rng.pick(kBranches)));
        return name;
    }

    static QString domainOf(const QString &name)
    {
        QStringList words = name.split(u' ', Qt::SkipEmptyParts);
        static const QStringList dropped{QStringLiteral("Ltd"), QStringLiteral("Limited"),
                                         QStringLiteral("plc"), QStringLiteral("LLP"),
                                         QStringLiteral("&"), QStringLiteral("Co"),
                                         QStringLiteral("UK"), QStringLiteral("Group")};
        QString domain;
        for (const QString &w : words)
            if (!dropped.contains(w) && !w.startsWith(u'('))
                domain += mailPart(w);
        return domain.left(60) + QStringLiteral(".example");
    }

    void writeOrganisations()
    {
        Rng rng(m_options.seed, 1);
        Inserter ins(m_engine.database(), "tblOrganization",
                     {"OrgReference", "OrgTypeID", "OrganizationName", "Address1", "Address2",
                      "Address3", "Town", "County", "PostCode", "CountryID", "Phone", "Fax", "EMail",
                      "User1", "User2", "User3", "User4", "User5", "InputDate", "Notes"});
        const qint64 total = m_options.orgs;
        m_orgs.reserve(size_t(total));
        inBlocks(m_engine, m_options, QStringLiteral("Organisations"), total, [&](qint64 i) {
            const bool internal = i == 0;
            const int townIndex = int(rng.below(std::size(kTowns)));
            const Town &town = kTowns[townIndex];
            const QString name = organisationName(rng, internal);
            const QString domain = internal ? QStringLiteral("helpdesk.example") : domainOf(name);
            const qint64 input = rng.below(quint64(std::max<qint64>(1, m_calendar.historyStart())));

            ins.set(0, rng.percent(30) ? QVariant(QStringLiteral("C%1").arg(digits(rng, 5)))
                                       : nullText());
            ins.set(1, internal ? m_keys.orgInternal : m_keys.orgTypes.draw(rng));
            ins.set(2, name);
            const qint64 houseNumber = rng.between(1, 240);
            const char *street = rng.pick(kStreetNames);
            ins.set(3, QString::number(houseNumber) + u' ' + twoWords(street, rng.pick(kStreetTypes)));
            QVariant site = nullText();
            if (rng.percent(30)) {
                const qint64 unit = rng.between(1, 40);
                const char *place = rng.pick(kPlaces);
                site = QStringLiteral("Unit %1, ").arg(unit) + twoWords(place, rng.pick(kSites));
            }
            ins.set(4, site);
            ins.set(5, rng.percent(5) ? QVariant(QLatin1String(rng.pick(kPlaces))) : nullText());
            ins.set(6, QLatin1String(town.name));
            ins.set(7, QLatin1String(town.county));
            ins.set(8, postCode(rng, town));
            ins.set(9, rng.percent(97) ? m_keys.countries.draw(rng) : nullKey());
            ins.set(10, landline(rng, town));
            ins.set(11, rng.percent(25) ? QVariant(landline(rng, town)) : nullText());
            ins.set(12, rng.percent(70) ? QVariant(QLatin1String(rng.pick(kOrgMailboxes)) + u'@' + domain)
                                        : nullText());
            const bool userFields = rng.percent(40);
            QVariant accountManager = nullText();
            if (userFields && rng.percent(70)) {
                const char *first = rng.pick(kFemaleFirstNames);
                accountManager = twoWords(first, rng.pick(kLastNames));
            }
            ins.set(13, accountManager);
            ins.set(14, userFields && rng.percent(50) ? QVariant(QStringLiteral("SC-%1").arg(digits(rng, 6)))
                                                      : nullText());
            ins.set(15, userFields ? QVariant(QLatin1String(rng.pick(kRegions))) : nullText());
            ins.set(16, userFields ? QVariant(QLatin1String(rng.pick(kSectors))) : nullText());
            QVariant siteCode = nullText();
            if (userFields && rng.percent(30)) {
                const QString prefix = letters(rng, 3);
                siteCode = prefix + digits(rng, 2);
            }
            ins.set(17, siteCode);
            ins.set(18, m_calendar.text(input));
            QVariant notes = nullText();
            if (rng.percent(15)) {
                const QString prefers = QString(QLatin1String(rng.pick(kPreferredContact))).toLower();
                notes = QStringLiteral("Main contact prefers %1. ").arg(prefers) +
                        QLatin1String(rng.pick(kDetails));
            }
            ins.set(19, notes);
            m_orgs.push_back({ins.insert(), input, domain, townIndex});
        });
        m_summary.orgs = total;
    }

    // ---- people -----------------------------------------------------------------------------

    struct Name
    {
        QString first, middle, last, title;
    };

    Name personName(Rng &rng)
    {
        Name n;
        const bool female = rng.percent(50);
        n.first = QLatin1String(female ? rng.pick(kFemaleFirstNames) : rng.pick(kMaleFirstNames));
        if (rng.percent(12))
            n.middle = QLatin1String(female ? rng.pick(kFemaleFirstNames) : rng.pick(kMaleFirstNames));
        n.last = QLatin1String(rng.pick(kLastNames));
        n.title = QLatin1String(female ? rng.pick(kTitlesFemale) : rng.pick(kTitlesMale));
        return n;
    }

    void bindPerson(Inserter &ins, Rng &rng, const Org &org, qint64 typeId, const Name &n,
                    bool staff)
    {
        const Town &town = kTowns[org.town];
        auto orNull = [](const QString &s) { return s.isEmpty() ? nullText() : QVariant(s); };
        ins.set(0, rng.percent(10) ? QVariant(QStringLiteral("P%1").arg(digits(rng, 6))) : nullText());
        ins.set(1, org.id);
        ins.set(2, typeId);
        ins.set(3, n.first);
        ins.set(4, orNull(n.middle));
        ins.set(5, n.last);
        ins.set(6, orNull(n.title));
        ins.set(7, rng.perMille(8) ? QVariant(QLatin1String(rng.pick(kSuffixes))) : nullText());
        ins.set(8, rng.percent(60) ? QStringLiteral("Dear %1").arg(n.first)
                                   : QStringLiteral("Dear %1 %2").arg(n.title.isEmpty() ? n.first : n.title, n.last));
        ins.set(9, landline(rng, town));
        ins.set(10, staff || rng.percent(40) ? QVariant(digits(rng, 4)) : nullText());
        ins.set(11, rng.percent(5) ? QVariant(landline(rng, town)) : nullText());
        const QString mailName = mailPart(n.first) + u'.' + mailPart(n.last);
        ins.set(12, staff || rng.percent(75) ? QVariant(mailName + u'@' + org.domain) : nullText());
        ins.set(13, staff || rng.percent(50) ? QVariant(mobile(rng)) : nullText());
        ins.set(14, nullText());   // UserID: kept by the table, not used by the program
        const bool userFields = staff || rng.percent(35);
        ins.set(15, userFields ? QVariant(staff ? QStringLiteral("Help Desk")
                                                : QLatin1String(rng.pick(kDepartments)))
                               : nullText());
        ins.set(16, userFields ? QVariant(staff ? QStringLiteral("Support Analyst")
                                                : QLatin1String(rng.pick(kJobTitles)))
                               : nullText());
        ins.set(17, userFields && rng.percent(40) ? QVariant(digits(rng, 4)) : nullText());
        ins.set(18, userFields && rng.percent(40) ? QVariant(QLatin1String(rng.pick(kPreferredContact)))
                                                  : nullText());
        ins.set(19, userFields && rng.percent(30) ? QVariant(QLatin1String(rng.pick(kLocations)))
                                                  : nullText());
        const qint64 span = std::max<qint64>(1, m_calendar.historyStart() - org.inputMoment);
        ins.set(20, m_calendar.text(org.inputMoment + qint64(rng.below(quint64(span)))));
        QVariant notes = nullText();
        if (rng.percent(8)) {
            const char *area = rng.pick(kAreas);
            notes = QStringLiteral("Usually in the %1. ").arg(QLatin1String(area)) +
                    QLatin1String(rng.pick(kDetails));
        }
        ins.set(21, notes);
    }

    Inserter personInserter()
    {
        return Inserter(m_engine.database(), "tblPerson",
                        {"PersonReference", "OrgID", "PersonTypeID", "FirstName", "MiddleNames",
                         "LastName", "Title", "Suffix", "Salutation", "PhoneExternal",
                         "PhoneInternal", "Fax", "EMail", "MobilePhone", "UserID", "User1", "User2",
                         "User3", "User4", "User5", "InputDate", "Notes"});
    }

    // The staff first, all in the internal organisation, then the contacts.
    void writePeople(qint64 staff, qint64 contacts)
    {
        Rng staffRng(m_options.seed, 2);
        Rng rng(m_options.seed, 3);
        Inserter ins = personInserter();
        QSet<QString> logins;
        // Every outside organisation gets a contact first; the rest go mostly to a tenth of the
        // organisations, the big customers.
        const qint64 outside = qint64(m_orgs.size()) - 1;
        m_staff.reserve(size_t(staff));
        m_contacts.reserve(size_t(contacts));
        inBlocks(m_engine, m_options, QStringLiteral("People"), staff + contacts, [&](qint64 i) {
            if (i < staff) {
                const Name n = personName(staffRng);
                bindPerson(ins, staffRng, m_orgs.front(), m_keys.personUser, n, true);
                const QString base = n.first.left(1) + n.last;
                QString login = base;
                for (int k = 2; logins.contains(login.toLower()); ++k)
                    login = base + QString::number(k);
                logins.insert(login.toLower());
                m_staff.push_back({ins.insert(), login});
                return;
            }
            const qint64 j = i - staff;
            int org = 0;
            if (outside > 0) {
                if (j < outside)
                    org = int(1 + j);
                else if (rng.percent(40))
                    org = int(1 + rng.below(quint64((outside + 9) / 10)) * 10 % outside);
                else
                    org = int(1 + rng.below(quint64(outside)));
            }
            const Name n = personName(rng);
            bindPerson(ins, rng, m_orgs[size_t(org)], m_keys.personContact, n, false);
            m_contacts.push_back({ins.insert(), org});
        });
        m_summary.people = staff + contacts;
    }

    // ---- calls ------------------------------------------------------------------------------

    int drawStaff(Rng &rng) const
    {
        // A few of the staff take more of the calls than the others.
        const quint64 n = m_staff.size();
        if (rng.percent(30))
            return int(rng.below(std::max<quint64>(1, n / 4)));
        return int(rng.below(n));
    }

    QVariant openStatus(Rng &rng) const
    {
        if (!m_keys.otherOpen.empty() && rng.percent(12))
            return rng.pick(m_keys.otherOpen);
        return m_keys.open;
    }

    void writeCalls()
    {
        Rng rng(m_options.seed, 4);
        Inserter ins(m_engine.database(), "tblCall",
                     {"CallRef", "OwnerID", "OrgID", "ContactID", "MethodID", "TypeID", "StatusID",
                      "InputDate", "DueDate", "ResolutionID", "ResolvedDate", "TimeStamp", "Notes",
                      "User1", "User2", "User3", "User4", "User5"});
        const qint64 total = m_options.calls;
        const qint64 start = m_calendar.historyStart();
        const qint64 span = m_calendar.untilEnd() - start;
        qint64 previous = start - 1;
        m_calls.reserve(size_t(total));
        inBlocks(m_engine, m_options, QStringLiteral("Calls"), total, [&](qint64 i) {
            // Spread evenly over the history, each call later than the one before.
            const qint64 slot = start + qint64((unsigned __int128)span * quint64(i) / quint64(total));
            const qint64 width = std::max<qint64>(1, span / total);
            qint64 input = slot + qint64(rng.below(quint64(width)));
            if (input <= previous && previous + 1 < m_calendar.untilEnd())
                input = previous + 1;
            input = std::max(input, previous);
            previous = input;

            const int owner = drawStaff(rng);
            const int contact = int(rng.below(m_contacts.size()));
            const Org &org = m_orgs[size_t(m_contacts[size_t(contact)].org)];
            // The older the call, the likelier it is closed; it was resolved some time between
            // its input and the end of the history.
            const qint64 age = m_calendar.untilEnd() - input;
            const bool closed = rng.perMille(closedPerMille(age));
            qint64 resolved = input;
            if (closed) {
                qint64 took = timeToResolve(rng);
                if (took >= age)
                    took = qint64(rng.below(quint64(age)));
                resolved = input + took;
            }
            const qint64 end = closed ? resolved
                                      : std::min(m_calendar.untilEnd() - 1, input + 10 * kDaySeconds);

            const QString inputText = m_calendar.text(input);
            ins.set(0, rng.percent(8) ? QVariant(QStringLiteral("REF-%1").arg(digits(rng, 6))) : nullText());
            ins.set(1, m_staff[size_t(owner)].id);
            ins.set(2, org.id);
            ins.set(3, m_contacts[size_t(contact)].id);
            ins.set(4, m_keys.methods.draw(rng));
            ins.set(5, m_keys.callTypes.draw(rng));
            ins.set(6, closed ? QVariant(m_keys.closed) : openStatus(rng));
            ins.set(7, inputText);
            ins.set(8, m_calendar.text(input + dueAfter(rng)));
            ins.set(9, closed ? m_keys.resolutions.draw(rng) : nullKey());
            ins.set(10, closed ? QVariant(m_calendar.text(resolved)) : nullText());
            ins.set(11, inputText);
            ins.set(12, callNotes(rng, rng.perMille(20)));
            const bool userFields = rng.percent(25);
            ins.set(13, userFields ? QVariant(QLatin1String(rng.pick(kProducts))) : nullText());
            ins.set(14, userFields && rng.percent(60)
                            ? QVariant(QStringLiteral("%1.%2").arg(rng.between(1, 9)).arg(rng.below(10)))
                            : nullText());
            QVariant serial = nullText();
            if (userFields && rng.percent(40)) {
                const QString prefix = QStringLiteral("SN") + letters(rng, 3);
                serial = prefix + digits(rng, 5);
            }
            ins.set(15, serial);
            ins.set(16, userFields && rng.percent(30) ? QVariant(QStringLiteral("AT") + digits(rng, 5))
                                                      : nullText());
            ins.set(17, userFields ? QVariant(QLatin1String(rng.pick(kPriorities))) : nullText());
            m_calls.push_back({ins.insert(), input, end, owner, contact, closed});
        });
        m_summary.calls = total;
    }

    // ---- actions ----------------------------------------------------------------------------

    void writeActions()
    {
        Rng counts(m_options.seed, 5);
        Rng rng(m_options.seed, 6);
        const qint64 perCall = m_options.actionsPerCall;
        const qint64 total = qint64(m_calls.size()) * perCall;
        Inserter ins(m_engine.database(), "tblAction",
                     {"ActionRef", "OwnerID", "InputBy", "OrgID", "ContactID", "MethodID",
                      "TypeID", "StatusID", "DueDate", "ResolvedDate", "InputDate", "Notes",
                      "CallID", "User1", "User2", "User3", "User4", "User5"});

        // The actions of one call at a time: a pair of calls shares 2 * perCall actions, one
        // getting perCall + d and the other perCall - d, so the total is exact and every call
        // has at least one action.
        size_t call = 0;
        std::vector<qint64> moments;
        size_t next = 0;        // the next action of the current call
        qint64 pairExtra = 0;
        auto startCall = [&] {
            const CallFacts &c = m_calls[call];
            qint64 n = perCall;
            if (call % 2 == 0) {
                pairExtra = call + 1 < m_calls.size() && perCall > 0
                                ? qint64(counts.below(quint64(perCall))) : 0;
                if (counts.percent(50))
                    pairExtra = -pairExtra;
                n += pairExtra;
            } else {
                n -= pairExtra;
            }
            // Input moments spread over the life of the call, the first a few minutes in.
            const qint64 window = std::max<qint64>(0, c.end - c.input);
            moments.assign(size_t(n), 0);
            for (qint64 k = 0; k < n; ++k)
                moments[size_t(k)] = c.input + qint64(rng.below(quint64(window) + 1));
            std::sort(moments.begin(), moments.end());
            if (n > 0)
                moments[0] = c.input + std::min<qint64>(window, rng.between(30, 600));
            std::sort(moments.begin(), moments.end());
            next = 0;
        };

        if (!m_calls.empty())
            startCall();
        inBlocks(m_engine, m_options, QStringLiteral("Actions"), total, [&](qint64) {
            while (next >= moments.size()) {
                ++call;
                startCall();
            }
            const CallFacts &c = m_calls[call];
            const size_t k = next++;
            const bool last = k + 1 == moments.size();
            const qint64 input = moments[k];
            const bool closed = c.closed || (!last && rng.percent(85));
            const qint64 resolvedBy = last ? c.end : moments[k + 1];
            const qint64 resolved = input + qint64(rng.below(quint64(resolvedBy - input) + 1));

            const int owner = rng.percent(80) ? c.owner : drawStaff(rng);
            const int inputBy = rng.percent(85) ? owner : drawStaff(rng);
            const Contact &contact = rng.percent(90) ? m_contacts[size_t(c.contact)]
                                                     : rng.pick(m_contacts);
            ins.set(0, rng.percent(3) ? QVariant(QStringLiteral("A%1").arg(digits(rng, 6))) : nullText());
            ins.set(1, m_staff[size_t(owner)].id);
            ins.set(2, m_staff[size_t(inputBy)].login);
            ins.set(3, m_orgs[size_t(contact.org)].id);
            ins.set(4, contact.id);
            ins.set(5, m_keys.methods.draw(rng));
            ins.set(6, nullKey());   // TypeID: kept by the table, not used by the program
            ins.set(7, closed ? QVariant(m_keys.closed) : openStatus(rng));
            ins.set(8, m_calendar.text(input + dueAfter(rng)));
            ins.set(9, closed ? QVariant(m_calendar.text(resolved)) : nullText());
            ins.set(10, m_calendar.text(input));
            ins.set(11, actionNotes(rng));
            ins.set(12, c.id);
            const bool userFields = rng.percent(15);
            ins.set(13, userFields ? QVariant(QStringLiteral("%1:%2").arg(rng.below(4))
                                                  .arg(QLatin1String(rng.pick(kQuarters))))
                                   : nullText());
            ins.set(14, userFields && rng.percent(50) ? QVariant(m_staff[size_t(owner)].login) : nullText());
            ins.set(15, userFields && rng.percent(30) ? QVariant(QStringLiteral("PN-") + digits(rng, 5))
                                                      : nullText());
            ins.set(16, userFields && rng.percent(30)
                            ? QVariant(QStringLiteral("%1.%2").arg(rng.between(10, 450)).arg(digits(rng, 2)))
                            : nullText());
            ins.set(17, nullText());
            ins.insert();
        });
        m_summary.actions = total;
    }

    Engine &m_engine;
    const DemoDataOptions &m_options;
    Calendar m_calendar;
    Keys m_keys;
    DemoDataSummary m_summary;
    std::vector<Org> m_orgs;
    std::vector<Staff> m_staff;
    std::vector<Contact> m_contacts;
    std::vector<CallFacts> m_calls;
};

} // namespace

DemoDataSummary DemoDataGenerator::generate(Engine &engine, const DemoDataOptions &options)
{
    return Generator(engine, options).run();
}
