#include "ReportDefsFixture.h"
#include "TQRMonthlyCallStats.h"
#include "Turnaround.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

TEST(FormatTurnaroundTest, DaysAndHoursMinutesWithNothingBelowZero)
{
    const double minute = 1.0 / 1440;
    const struct
    {
        QVariant days;
        const char *text;
    } cases[] = {
        {2.75, "2 Days 18:00 hh:mm"},
        {1.0, "1 Days 00:00 hh:mm"},
        {30 * minute + 40.0 / 86400, "0 Days 00:30 hh:mm"},   // seconds dropped
        {1.75 - 1e-12, "1 Days 18:00 hh:mm"},                 // as a date difference reads back
        {1 - 1e-10, "1 Days 00:00 hh:mm"},
        {12.0 + 59 * minute, "12 Days 00:59 hh:mm"},
        {-0.5, "0 Days 00:00 hh:mm"},
        {QVariant(), "0 Days 00:00 hh:mm"},
        {QStringLiteral("soon"), "0 Days 00:00 hh:mm"},
        {std::numeric_limits<double>::quiet_NaN(), "0 Days 00:00 hh:mm"},
        {std::numeric_limits<double>::infinity(), "0 Days 00:00 hh:mm"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatTurnaround(c.days), QString::fromLatin1(c.text)) << c.days.toString().toStdString();
}

class StatisticsReportsTest : public ReportDefsFixture
{
protected:
    // A closed call input at the time, resolved after that many days (none: not resolved).
    void addClosed(const QString &ref, const QDateTime &input, std::optional<double> turnaround,
                   const QString &status = QStringLiteral("Closed"))
    {
        Call c{ref, input, status};
        if (turnaround)
            c.resolved = input.addMSecs(std::llround(*turnaround * 86400000));
        addCall(c);
    }

    static QStringList figures(int total, int resolved, const char *min, const char *max)
    {
        return {QString::number(total), "Total Calls", QString::number(resolved), "Resolved Calls",
                min, "Min Turnaround", max, "Max Turnaround"};
    }
};

TEST_F(StatisticsReportsTest, TurnaroundListsClosedCallsSlowestFirstInDaysAndHours)
{
    addClosed("C1", jan(10), 1.75);
    addClosed("C2", jan(11), std::nullopt);
    addClosed("C3", jan(12), 3.25);
    addClosed("C4", jan(13), 0.5, "Open");
    addClosed("C5", jan(4), 5.0);   // before the range

    const auto doc = prepare("TQRTurnaround", rangeClause(" AND tblCall.InputDate >= ", kTurnaroundOrder));
    const RenderedReport report = doc->render();
    ASSERT_EQ(report.pageCount(), 1);
    // Calls without a turnaround come where the engine puts nulls: last, in descending order.
    EXPECT_EQ(csvColumn(report, "CallRef"), (QStringList{"C3", "C1", "C2"}));
    EXPECT_EQ(csvColumn(report, "Days"), (QStringList{"3", "1", "0"}));
    EXPECT_EQ(csvColumn(report, "hh:mm"), (QStringList{"06:00", "18:00", "00:00"}));
    EXPECT_EQ(csvColumn(report, "Resolved Date"), (QStringList{shown(jan(15, 15)), shown(jan(12, 3)), ""}));
    EXPECT_EQ(report.csv().captions.mid(0, 5), (QStringList{"Organization", "CallID", "Status", "Days", "hh:mm"}));
    const QStringList body = bodyTexts(*doc, report.page(0));
    EXPECT_EQ(body.mid(body.size() - 2), (QStringList{"3", "Total Calls"}));
}

TEST_F(StatisticsReportsTest, OverallFiguresCountEveryCallAndTakeUnresolvedOnesAsZero)
{
    const struct
    {
        const char *name;
        std::vector<std::optional<double>> turnarounds;
        QStringList figures;
    } cases[] = {
        {"six of ten resolved",
         {0.5, 1.0, 3.25, std::nullopt, 2.0, std::nullopt, 1.5, std::nullopt, 0.75, std::nullopt},
         figures(10, 6, "0 Days 00:00 hh:mm", "3 Days 06:00 hh:mm")},
        {"all resolved", {1.5, 2.25}, figures(2, 2, "1 Days 12:00 hh:mm", "2 Days 06:00 hh:mm")},
        {"resolved before input", {-0.5, -2.0}, figures(2, 2, "0 Days 00:00 hh:mm", "0 Days 00:00 hh:mm")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        e->execute(QStringLiteral("DELETE FROM tblCall"));
        int day = 5;
        for (const auto &t : c.turnarounds) {
            addClosed(QStringLiteral("C%1").arg(day), jan(day), t, QStringLiteral("On Hold"));
            ++day;
        }
        addClosed("Later", QDateTime(QDate(2004, 2, 1), QTime(9, 0)), 9.0);   // out of the range

        const auto doc = prepare("TQROverallCallStats", whereRange(kStatisticsOrder));
        const RenderedReport report = doc->render();
        ASSERT_EQ(report.pageCount(), 1);
        EXPECT_EQ(bodyTexts(*doc, report.page(0)), c.figures);
    }
}

TEST_F(StatisticsReportsTest, MonthlyFiguresPrintAMonthToAPageWithEnglishMonthNames)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    addClosed("J1", QDateTime(QDate(2004, 1, 28), QTime(9, 0)), 0.5);
    addClosed("J2", QDateTime(QDate(2004, 1, 30), QTime(9, 0)), 2.0);
    addClosed("F1", QDateTime(QDate(2004, 2, 10), QTime(9, 0)), 1.25);
    addClosed("M1", QDateTime(QDate(2004, 3, 3), QTime(9, 0)), std::nullopt);
    addClosed("Y1", QDateTime(QDate(2004, 5, 31), QTime(23, 0)), 0.25);   // no call in April

    const QDateTime endOfMay(QDate(2004, 5, 31), QTime(23, 59));
    const auto doc = prepare("TQRMonthlyCallStats", whereRange(kStatisticsOrder, kFrom.addDays(-10), endOfMay));
    const RenderedReport report = doc->render();
    QLocale::setDefault(saved);
    ASSERT_EQ(report.pageCount(), 4);
    const std::vector<QStringList> pages{
        QStringList{"Jan 2004"} + figures(2, 2, "0 Days 12:00 hh:mm", "2 Days 00:00 hh:mm"),
        QStringList{"Feb 2004"} + figures(1, 1, "1 Days 06:00 hh:mm", "1 Days 06:00 hh:mm"),
        QStringList{"Mar 2004"} + figures(1, 0, "0 Days 00:00 hh:mm", "0 Days 00:00 hh:mm"),
        QStringList{"May 2004"} + figures(1, 1, "0 Days 06:00 hh:mm", "0 Days 06:00 hh:mm"),
    };
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(bodyTexts(*doc, report.page(p)), pages[size_t(p)]) << "page " << p + 1;
}

TEST(MonthYearTest, MonthNamesAreTheSameInEveryLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QStringList names;
    for (int m = 1; m <= 12; ++m)
        names << TQRMonthlyCallStats::monthYear(QDate(1999, m, 1));
    QLocale::setDefault(saved);
    EXPECT_EQ(names, (QStringList{"Jan 1999", "Feb 1999", "Mar 1999", "Apr 1999", "May 1999", "Jun 1999",
                                  "Jul 1999", "Aug 1999", "Sep 1999", "Oct 1999", "Nov 1999", "Dec 1999"}));
    EXPECT_EQ(TQRMonthlyCallStats::monthYear(QDate()), QString());
}

} // namespace
