#include "ReportFixture.h"

namespace {

class AggregateTest : public ReportFixture
{
protected:
    // Calls of two organisations; the turnaround is null for the unresolved ones.
    void SetUp() override
    {
        const QDateTime input(QDate(2004, 1, 28), QTime(9, 0));
        addCall({"A1", "Acme", {}, input, input.addSecs(36 * 3600), {}});        // 1.5 days
        addCall({"A2", "Acme", {}, input, std::nullopt, {}});
        addCall({"A3", "Acme", {}, input, input.addSecs(12 * 3600), {}});        // 0.5
        addCall({"B1", "Bravo", {}, input, input.addSecs(78 * 3600), {}});       // 3.25
        addCall({"B2", "Bravo", {}, input, std::nullopt, {}});
    }

    static ReportValue resolvedFlag()
    {
        return [](const ReportContext &c) { return c.isNull(QStringLiteral("ResolvedDate")) ? 0 : 1; };
    }
    static ReportValue turnaround()
    {
        return [](const ReportContext &c) { return c.value(QStringLiteral("TurnAround")); };
    }

    // Per organisation and overall: count, resolved calls, shortest and longest turnaround.
    static ReportDefinition statistics()
    {
        ReportDefinition d;
        ReportGroup &org = d.addGroupOnField(QStringLiteral("Org"), QStringLiteral("User1"));
        d.addAggregate(ReportAggregate::count(QStringLiteral("OrgCount")).resetAfter(QStringLiteral("Org")));
        d.addAggregate(ReportAggregate::sum(QStringLiteral("OrgResolved"), resolvedFlag()).resetAfter(QStringLiteral("Org")));
        d.addAggregate(ReportAggregate::minimum(QStringLiteral("OrgMin"), turnaround()).resetAfter(QStringLiteral("Org")));
        d.addAggregate(ReportAggregate::maximum(QStringLiteral("OrgMax"), turnaround()).resetAfter(QStringLiteral("Org")));
        d.addAggregate(ReportAggregate::count(QStringLiteral("Total")));
        d.addAggregate(ReportAggregate::sum(QStringLiteral("Resolved"), resolvedFlag()));
        d.addAggregate(ReportAggregate::minimum(QStringLiteral("Min"), turnaround()));
        d.addAggregate(ReportAggregate::maximum(QStringLiteral("Max"), turnaround()));
        d.detail().setHeight(20);
        d.detail().addField(QStringLiteral("CallRef"), {0, 0, 50, 20});
        d.detail().addAggregate(QStringLiteral("Total"), {60, 0, 50, 20});   // a running count
        org.footer().setHeight(20);
        org.footer().addComputed(
            [](const ReportContext &c) {
                QStringList parts{c.value(QStringLiteral("User1")).toString()};
                for (const char *name : {"OrgCount", "OrgResolved", "OrgMin", "OrgMax"})
                    parts << c.aggregate(QString::fromLatin1(name)).toString();
                return parts.join(u' ');
            },
            {0, 0, 300, 20});
        d.summary().setHeight(20);
        for (int i = 0; i < 4; ++i)
            d.summary().addAggregate(QStringList{"Total", "Resolved", "Min", "Max"}[i], {i * 60.0, 0, 60, 20});
        return d;
    }
};

TEST_F(AggregateTest, FiguresCoverTheirGroupAndRestartAfterItsFooter)
{
    const QStringList texts = textsOf(render(statistics()).page(0));
    EXPECT_EQ(texts, (QStringList{
                         "A1", "1", "A2", "2", "A3", "3", "Acme 3 2 0.5 1.5",
                         "B1", "4", "B2", "5", "Bravo 2 1 3.25 3.25",
                         "5", "3", "0.5", "3.25",
                     }));
}

TEST_F(AggregateTest, RowsOfAHiddenDetailStillCount)
{
    for (auto hide : std::vector<std::function<void(ReportBand &)>>{
             [](ReportBand &b) { b.setVisible(false); },
             [](ReportBand &b) { b.setPrintIf([](const ReportContext &c) { return !c.isNull(QStringLiteral("ResolvedDate")); }); },
         }) {
        ReportDefinition d = statistics();
        hide(d.detail());
        const QStringList texts = textsOf(render(d).page(0));
        EXPECT_TRUE(texts.contains(QStringLiteral("Acme 3 2 0.5 1.5"))) << texts.join(u'|').toStdString();
        EXPECT_EQ(texts.mid(texts.size() - 4), (QStringList{"5", "3", "0.5", "3.25"}));
        EXPECT_FALSE(texts.contains(QStringLiteral("A2")));
    }
}

TEST_F(AggregateTest, AnExtremeOfNoValuesIsNullAndACountIsZero)
{
    e->execute(QStringLiteral("DELETE FROM tblCall"));
    ReportDefinition d = statistics();
    const RenderedReport report = render(d);
    EXPECT_EQ(textsOf(report.page(0)), (QStringList{"0", "0", "", ""}));
}

} // namespace
