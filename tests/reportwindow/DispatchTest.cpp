#include "ReportDispatch.h"
#include "TestDatabase.h"

#include <QDateTime>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

const QDateTime kFrom{QDate(2004, 1, 5), QTime(0, 1)};
const QDateTime kTo{QDate(2004, 1, 31), QTime(23, 59)};

TEST(ReportDispatch, TableHoldsTheNineKeysInOrderWithTheirDefinitions)
{
    using P = ReportParameter;
    const std::vector<std::tuple<QString, QString, P>> expected{
        {"CallStat", "TQuickReport1", P::Range},
        {"OrgCallStat", "TQuickReport1", P::Range},
        {"Turnaround", "TQRTurnaround", P::Range},
        {"LiveCallsByDate", "TQRLiveCallsByDate", P::None},
        {"LiveCallsByOwner", "TQRLiveCallsByOwner", P::None},
        {"CallsActions", "TQRCallsActions", P::Range},
        {"OverallCallStatistics", "TQROverallCallStats", P::Range},
        {"CallStatisticsByMonth", "TQRMonthlyCallStats", P::Range},
        {"CallByID", "TQRCallByID", P::CallId},
    };
    const auto &table = ReportDispatch::table();
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[i].key, std::get<0>(expected[i]));
        EXPECT_EQ(table[i].className, std::get<1>(expected[i]));
        EXPECT_EQ(table[i].parameter, std::get<2>(expected[i]));
        EXPECT_EQ(ReportDispatch::find(table[i].key), &table[i]);
    }
    // Only "OrgCallStat" changes its definition's title.
    for (const auto &entry : table)
        EXPECT_EQ(entry.title, entry.key == "OrgCallStat"
                                   ? QStringLiteral("Calls By Organisation in Date Range")
                                   : QString())
            << entry.key.toStdString();
}

TEST(ReportDispatch, KeysMatchExactlyWithLetterCaseCounting)
{
    for (const char *name : {"callstat", "CALLSTAT", "Callstat", " CallStat", "CallStat ",
                             "CallByIdentifier", "CallBy", "", "Call By ID"})
        EXPECT_EQ(ReportDispatch::find(QString::fromLatin1(name)), nullptr) << name;
}

TEST(ReportDispatch, RangeClauseIsSixPiecesWithTheLiteralsBlanks)
{
    const auto *entry = ReportDispatch::find(QStringLiteral("CallsActions"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(ReportDispatch::clause(*entry, ReportRunParameters::range(kFrom, kTo)),
              QStringLiteral(" WHERE tblCall.InputDate >=  #01-05-2004 00:01:00#  AND "
                             "tblCall.InputDate <=  #01-31-2004 23:59:00#  ORDER BY "
                             "tblOrganization.OrganizationName, tblCall.CallID, tblAction.InputDate"));
}

TEST(ReportDispatch, EveryKeyBuildsItsOwnClause)
{
    const auto range = ReportRunParameters::range(kFrom, kTo);
    const QString bounds = QStringLiteral(" #01-05-2004 00:01:00#  AND tblCall.InputDate <=  "
                                          "#01-31-2004 23:59:00#  ");
    const std::vector<std::pair<QString, QString>> cases{
        {"CallStat", " WHERE tblCall.InputDate >= " + bounds +
                         "ORDER BY tblCall.statusID, tblOrganization.OrganizationName"},
        {"OrgCallStat", " WHERE tblCall.InputDate >= " + bounds +
                            "ORDER BY tblCall.statusID, tblOrganization.OrganizationName"},
        {"Turnaround", " AND tblCall.InputDate >= " + bounds +
                           "ORDER BY tblCall.[ResolvedDate]-tblCall.[InputDate] DESC"},
        {"LiveCallsByDate", " ORDER BY tblCall.InputDate"},
        {"LiveCallsByOwner", " ORDER BY [tblPerson_1].[LastName], tblCall.DueDate"},
        {"OverallCallStatistics", " WHERE tblCall.InputDate >= " + bounds + "Order By tblCall.InputDate"},
        {"CallStatisticsByMonth", " WHERE tblCall.InputDate >= " + bounds + "Order By tblCall.InputDate"},
    };
    for (const auto &[key, clause] : cases) {
        const auto *entry = ReportDispatch::find(key);
        ASSERT_NE(entry, nullptr) << key.toStdString();
        EXPECT_EQ(ReportDispatch::clause(*entry, range), clause) << key.toStdString();
    }
}

TEST(ReportDispatch, CallClauseWritesTheNumberInPlainDecimal)
{
    const auto *entry = ReportDispatch::find(QStringLiteral("CallByID"));
    ASSERT_NE(entry, nullptr);
    const std::vector<std::pair<int, QString>> cases{
        {42, " WHERE tblCall.CallID = 42"},
        {-3, " WHERE tblCall.CallID = -3"},
        {7, " WHERE tblCall.CallID = 7"},
        {2147483647, " WHERE tblCall.CallID = 2147483647"},
        {-2147483647 - 1, " WHERE tblCall.CallID = -2147483648"},
    };
    for (const auto &[id, clause] : cases)
        EXPECT_EQ(ReportDispatch::clause(*entry, ReportRunParameters::call(id)), clause);
}

// The bounds as the range dialog opens them select calls to the second, both ends included.
TEST(ReportDispatch, RangeBoundsIncludeBothEndsToTheSecond)
{
    TestDatabase db;
    auto e = db.open();
    const QDate day(2004, 1, 20);
    const std::vector<std::pair<QTime, bool>> calls{
        {QTime(0, 0, 30), false}, {QTime(0, 0, 59), false}, {QTime(0, 1, 0), true},
        {QTime(12, 0), true},     {QTime(23, 59, 0), true}, {QTime(23, 59, 1), false},
        {QTime(23, 59, 30), false}};
    for (const auto &[time, inside] : calls)
        e->execute(QStringLiteral("INSERT INTO tblCall (CallRef, InputDate) VALUES (:r, :i)"),
                   {{QStringLiteral("r"), time.toString(QStringLiteral("HH:mm:ss.zzz"))},
                    {QStringLiteral("i"), QDateTime(day, time)}});
    const auto *entry = ReportDispatch::find(QStringLiteral("OverallCallStatistics"));
    const QString clause = ReportDispatch::clause(
        *entry, ReportRunParameters::range(QDateTime(day, QTime(0, 1)), QDateTime(day, QTime(23, 59))));
    QSqlQuery q = e->select(QStringLiteral("SELECT tblCall.CallRef FROM tblCall\n") + clause);
    QStringList selected;
    while (q.next())
        selected << q.value(0).toString();
    QStringList expected;
    for (const auto &[time, inside] : calls)
        if (inside)
            expected << time.toString(QStringLiteral("HH:mm:ss.zzz"));
    EXPECT_EQ(selected, expected);
}

} // namespace
