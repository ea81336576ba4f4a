#include "ReportDefsFixture.h"

namespace {

using ReportDocumentTest = ReportDefsFixture;

// Every definition over a selection with no rows, with the clause the report runner gives it:
// each query opens on the database (so each translates), and the report prints one page.
TEST_F(ReportDocumentTest, EachReportOverNoRowsPrintsOnePageWithItsEmptyBands)
{
    // A closed call out of every range below, so the queries do read the tables.
    addCall({"Outside", QDateTime(QDate(2003, 6, 1), QTime(9, 0)), "Closed"});
    const QDateTime from = kTo;   // later than To: no rows, and no complaint
    const QDateTime to = kFrom;
    const QStringList noCalls{"0", "Total Calls"};
    const QStringList noActions{"Action", "0", "Total Calls"};
    const QString zero = QStringLiteral("0 Days 00:00 hh:mm");
    const struct
    {
        const char *className;
        QString clause;
        QStringList body;
    } cases[] = {
        {"TQuickReport1", whereRange(kStatusOrder, from, to), noCalls},
        {"TQRLiveCallsByDate", " ORDER BY tblCall.InputDate", noCalls},
        {"TQRLiveCallsByOwner", " ORDER BY [tblPerson_1].[LastName], tblCall.DueDate", noCalls},
        {"TQRCallsActions", whereRange(kCallsActionsOrder, from, to), noActions},
        {"TQRCallByID", " WHERE tblCall.CallID = 99", noActions},
        {"TQRTurnaround", rangeClause(" AND tblCall.InputDate >= ", kTurnaroundOrder, from, to), noCalls},
        {"TQROverallCallStats", whereRange(kStatisticsOrder, from, to),
         {"0", "Total Calls", "0", "Resolved Calls", zero, "Min Turnaround", zero, "Max Turnaround"}},
        {"TQRMonthlyCallStats", whereRange(kStatisticsOrder, from, to), {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.className);
        std::unique_ptr<ReportDocument> doc;
        EXPECT_NO_DB_ERROR(doc = prepare(c.className, c.clause));
        ASSERT_TRUE(doc);
        const RenderedReport report = doc->render();
        ASSERT_EQ(report.pageCount(), 1);
        EXPECT_EQ(withoutEmpty(bodyTexts(*doc, report.page(0))), c.body);
        const QStringList texts = textsOf(report.page(0));
        EXPECT_EQ(texts.first(), QStringLiteral("Vellomar"));
        EXPECT_EQ(texts.last(), shown(kRunTime));
    }
}

TEST_F(ReportDocumentTest, DefinitionsAreFoundByTheirExactClassName)
{
    for (const char *name : {"TQuickReport1", "TQRLiveCallsByDate", "TQRLiveCallsByOwner", "TQRCallsActions",
                             "TQRCallByID", "TQRTurnaround", "TQROverallCallStats", "TQRMonthlyCallStats"})
        EXPECT_TRUE(createReportDocument(name, *e)) << name;
    EXPECT_FALSE(createReportDocument("tquickreport1", *e));
    EXPECT_FALSE(createReportDocument("TQRNoSuchReport", *e));
    EXPECT_FALSE(createReportDocument(QString(), *e));
}

TEST_F(ReportDocumentTest, TheClauseFollowsTheDesignTextOnceWhateverTheRuns)
{
    addCall({"C1", jan(10)});
    const QString clause = whereRange(kCallsActionsOrder);
    EXPECT_EQ(clause, QStringLiteral(" WHERE tblCall.InputDate >=  #01-05-2004 00:01:00#  AND "
                                     "tblCall.InputDate <=  #01-31-2004 23:59:00#  ORDER BY "
                                     "tblOrganization.OrganizationName, tblCall.CallID, tblAction.InputDate"));
    const auto first = prepare("TQRCallsActions", clause);
    const auto second = prepare("TQRCallsActions", clause);
    const QString sql = first->ReportADOQuery().sql();
    EXPECT_EQ(second->ReportADOQuery().sql(), sql);
    EXPECT_TRUE(sql.endsWith(u'\n' + clause));
    EXPECT_EQ(sql.count(QStringLiteral("WHERE")), 1);

    // Appending again on the same document replaces the clause.
    second->appendClause(" WHERE tblCall.CallID = 1");
    second->appendClause(clause);
    EXPECT_EQ(second->ReportADOQuery().sql(), sql);
    EXPECT_EQ(second->ReportADOQuery().recordCount(), 1);
}

// The title as designed or as the run sets it, in the header of every page.
TEST_F(ReportDocumentTest, ATitleSetForTheRunHeadsEveryPage)
{
    const int acme = addOrg("Acme");
    const int bravo = addOrg("Bravo");
    addCall({"C1", jan(10), "Open", addPerson("Carl", "Cole", acme)});
    addCall({"C2", jan(11), "Open", addPerson("Dora", "Dunn", bravo)});
    const auto designed = prepare("TQuickReport1", whereRange(kStatusOrder));
    const auto retitled =
        prepare("TQuickReport1", whereRange(kStatusOrder), "Calls By Organisation in Date Range");
    EXPECT_EQ(designed->title(), QStringLiteral("Calls By Status in Date Range"));
    EXPECT_EQ(retitled->title(), QStringLiteral("Calls By Organisation in Date Range"));

    const RenderedReport a = designed->render();
    const RenderedReport b = retitled->render();
    ASSERT_EQ(b.pageCount(), 2);
    for (const RenderedPage &page : b.pages())
        EXPECT_EQ(textsOf(page).mid(0, 2), (QStringList{"Vellomar", "Calls By Organisation in Date Range"}));
    EXPECT_EQ(b.title(), QStringLiteral("Calls By Organisation in Date Range"));
    // The same rows in the same order.
    EXPECT_EQ(a.csv().rows, b.csv().rows);
    EXPECT_EQ(csvColumn(b, "CallRef"), (QStringList{"C1", "C2"}));
}

} // namespace
