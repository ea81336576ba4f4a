#include "ReportDefsFixture.h"

namespace {

class CallsActionsReportsTest : public ReportDefsFixture
{
protected:
    void SetUp() override
    {
        const int acme = addOrg("Acme");
        const int carl = addPerson("Carl", "Cole", acme);
        const int ann = addPerson("Ann", "Smith");
        withActions = addCall({"A1", jan(10), "Open", carl});
        addAction(withActions, {"X2", jan(11, 12), ann, "Closed", jan(12)});
        addAction(withActions, {"X1", jan(11, 10), ann});
        addAction(withActions, {"X3", jan(11, 14)});
        withoutActions = addCall({"A2", jan(12), "Open", carl});
        // The contact belongs to no organisation.
        addCall({"N1", jan(13), "Open", addPerson("Nina", "Nobody")});
    }

    int withActions = 0;
    int withoutActions = 0;
};

TEST_F(CallsActionsReportsTest, ActionsPrintUnderTheirCallWithinOrganisationsEachOnItsOwnPage)
{
    const auto doc = prepare("TQRCallsActions", whereRange(kCallsActionsOrder));
    const RenderedReport report = doc->render();
    ASSERT_EQ(report.pageCount(), 2);
    EXPECT_EQ(textsOf(report.page(0)).mid(1, 2), (QStringList{"Calls and Actions", "Date Range:"}));

    // The call without an organisation, first: one band with just the word "Action".
    const QStringList nobody = bodyTexts(*doc, report.page(0));
    EXPECT_EQ(nobody.mid(0, 4), (QStringList{"Organisation:", "", "Status", "Open"}));
    EXPECT_EQ(nobody.count(QStringLiteral("N1")), 1);
    // No action: its dates print nothing, its other columns are empty.
    EXPECT_EQ(nobody.mid(nobody.size() - 9),
              (QStringList{"Action", "", "", "", "", "", "1", "Calls Listed for", ""}));

    const QStringList acme = bodyTexts(*doc, report.page(1));
    EXPECT_EQ(acme.mid(0, 6), (QStringList{"Organisation:", "Acme", "Status", "Open", "Call", "Acme"}));
    // Each call prints once, with the action captions after it; a row per action, by input time.
    EXPECT_EQ(acme.count(QStringLiteral("A1")), 1);
    EXPECT_EQ(acme.count(QStringLiteral("A2")), 1);
    EXPECT_EQ(acme.count(QStringLiteral("Action Input Date")), 2);
    EXPECT_EQ(acme.count(QStringLiteral("Action")), 4);
    EXPECT_EQ(acme.mid(acme.size() - 5), (QStringList{"4", "Calls Listed for", "Acme", "5", "Total Calls"}));

    EXPECT_EQ(csvColumn(report, "CallRef"), (QStringList{"N1", "A1", "A1", "A1", "A2"}));
    EXPECT_EQ(csvColumn(report, "Action Ref"), (QStringList{"", "X1", "X2", "X3", ""}));
    EXPECT_EQ(csvColumn(report, "Action Owner"), (QStringList{"", "Ann Smith", "Ann Smith", "", ""}));
    EXPECT_EQ(csvColumn(report, "Action Status"), (QStringList{"", "Open", "Closed", "Open", ""}));
    EXPECT_EQ(csvColumn(report, "Action Resolved Date"), (QStringList{"", "", shown(jan(12)), "", ""}));
}

TEST_F(CallsActionsReportsTest, CallByIdListsOneCallWithItsActionsAndNoDateRange)
{
    const auto doc = prepare("TQRCallByID", QStringLiteral(" WHERE tblCall.CallID = %1").arg(withActions));
    const RenderedReport report = doc->render();
    ASSERT_EQ(report.pageCount(), 1);
    const QStringList texts = textsOf(report.page(0));
    // The call captions start right under the title.
    EXPECT_EQ(texts.mid(0, 3), (QStringList{"Vellomar", "Call By ID", "Organization"}));
    EXPECT_FALSE(texts.contains(QStringLiteral("Date Range:")));
    QStringList refs = csvColumn(report, "Action Ref");
    refs.sort();   // in the order the database returns them
    EXPECT_EQ(refs, (QStringList{"X1", "X2", "X3"}));
    EXPECT_EQ(csvColumn(report, "CallID"), QStringList(3, QString::number(withActions)));
    const QStringList body = bodyTexts(*doc, report.page(0));
    EXPECT_EQ(body.mid(body.size() - 5), (QStringList{"3", "Calls Listed for", "Acme", "3", "Total Calls"}));
}

} // namespace
