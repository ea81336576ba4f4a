#include "DateTimeText.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <ctime>

namespace {

// Local time follows the given TZ rule while the guard lives, whatever the machine's zone.
class LocalZone
{
public:
    explicit LocalZone(const char *rule)
        : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ"))
    {
        qputenv("TZ", rule);
        tzset();
    }
    ~LocalZone()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone &) = delete;
    LocalZone &operator=(const LocalZone &) = delete;

private:
    bool m_had;
    QByteArray m_old;
};

// The moment read, with its offset from UTC in seconds, or "none".
std::string read(const char *text)
{
    const auto value = DateTimeText::fromStorage(QString::fromLatin1(text));
    if (!value)
        return "none";
    return (value->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + u' ' +
            QString::number(value->offsetFromUtc()))
        .toStdString();
}

struct Form
{
    const char *text;
    const char *expected;
};

// British time: the clocks go forward at 01:00 on 28 March 2004 and back at 02:00 (summer time)
// on 31 October 2004.
constexpr char kBritishTime[] = "GMT0BST,M3.5.0/1,M10.5.0";

TEST(DateTimeText, StoredFormAndShorterFormsRead)
{
    const LocalZone zone(kBritishTime);
    const Form forms[] = {
        {"2004-01-15 13:45:12.345", "2004-01-15 13:45:12.345 0"},
        {"2004-07-15 13:45:12.345", "2004-07-15 13:45:12.345 3600"},
        {"2004-02-29 00:00:00.000", "2004-02-29 00:00:00.000 0"},     // leap days
        {"2000-02-29 23:59:59.999", "2000-02-29 23:59:59.999 0"},
        {"0001-01-01 00:00:00.000", "0001-01-01 00:00:00.000 0"},
        {"9999-12-31 23:59:59.999", "9999-12-31 23:59:59.999 0"},
        // Hand-written rows: other separators, fewer parts, blanks around.
        {"2004-01-15T13:45:12.345", "2004-01-15 13:45:12.345 0"},
        {"2004-01-15 13:45:12", "2004-01-15 13:45:12.000 0"},
        {"2004-01-15 13:45", "2004-01-15 13:45:00.000 0"},
        {"2004-01-15", "2004-01-15 00:00:00.000 0"},
        {" 2004-01-15 13:45:12.345 ", "2004-01-15 13:45:12.345 0"},
    };
    for (const Form &f : forms)
        EXPECT_EQ(read(f.text), f.expected) << f.text;
}

TEST(DateTimeText, MomentsThatDoNotExistAreNotRead)
{
    const LocalZone zone(kBritishTime);
    for (const char *text : {
             "1900-02-29 00:00:00.000", "2003-02-29 12:00:00.000", "2004-04-31 00:00:00.000",
             "2004-13-01 00:00:00.000", "2004-00-10 00:00:00.000", "0000-01-01 00:00:00.000",
             "2004-01-01 24:00:00.000", "2004-01-01 23:60:00.000", "2004-01-01 23:59:60.000",
             "2004-03-15 13:45:12.3x5", "2004-03-15 13:45:12,345", "2004/03/15 13:45:12.345",
             "+004-03-15 13:45:12.345", "2004-1-01 00:00:00.0000", "", "   ", "garbage"})
        EXPECT_EQ(read(text), "none") << '"' << text << '"';
}

TEST(DateTimeText, LocalTimesAroundTheClockChanges)
{
    const LocalZone zone(kBritishTime);
    const Form forms[] = {
        {"2004-03-28 00:59:59.999", "2004-03-28 00:59:59.999 0"},
        {"2004-03-28 01:30:00.000", "none"},    // the hour the clocks skip
        {"2004-03-28 02:00:00.000", "2004-03-28 02:00:00.000 3600"},
        {"2004-10-31 00:59:59.999", "2004-10-31 00:59:59.999 3600"},
        {"2004-10-31 01:30:00.000", "2004-10-31 01:30:00.000 3600"},   // the first of the two
        {"2004-10-31 02:00:00.000", "2004-10-31 02:00:00.000 0"},
    };
    for (const Form &f : forms)
        EXPECT_EQ(read(f.text), f.expected) << f.text;
}

TEST(DateTimeText, StoredFormRoundTrips)
{
    const LocalZone zone(kBritishTime);
    const QDateTime moment(QDate(2004, 10, 31), QTime(0, 59, 59, 7));
    EXPECT_EQ(DateTimeText::toStorage(moment), QStringLiteral("2004-10-31 00:59:59.007"));
    EXPECT_EQ(DateTimeText::fromStorage(DateTimeText::toStorage(moment)), moment);
}

} // namespace
