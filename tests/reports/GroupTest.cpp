#include "ReportFixture.h"

namespace {

// Groups on User1 (outer, "Org") and User2 (inner, "Sub"): headers and footers that show the
// group's key, with the CallRef of the row current when they print.
ReportDefinition groupedCalls()
{
    ReportDefinition d;
    d.pageHeader().setHeight(20);
    d.pageHeader().addLabel(QStringLiteral("Header"), {0, 0, 100, 20});
    ReportGroup &org = d.addGroupOnField(QStringLiteral("Org"), QStringLiteral("User1"));
    ReportGroup &sub = d.addGroupOnField(QStringLiteral("Sub"), QStringLiteral("User2"));
    auto label = [](const QString &prefix, const QString &field) {
        return [prefix, field](const ReportContext &c) {
            return QVariant(prefix + c.value(field).toString() + u'/' + c.value(QStringLiteral("CallRef")).toString());
        };
    };
    org.header().setHeight(20);
    org.header().addComputed(label(QStringLiteral("OH "), QStringLiteral("User1")), {0, 0, 200, 20});
    org.footer().setHeight(20);
    org.footer().addComputed(label(QStringLiteral("OF "), QStringLiteral("User1")), {0, 0, 200, 20});
    sub.header().setHeight(20);
    sub.header().addComputed(label(QStringLiteral("SH "), QStringLiteral("User2")), {0, 0, 200, 20});
    sub.footer().setHeight(20);
    sub.footer().addComputed(label(QStringLiteral("SF "), QStringLiteral("User2")), {0, 0, 200, 20});
    d.detail().setHeight(20);
    d.detail().addField(QStringLiteral("CallRef"), {20, 0, 100, 20});
    d.summary().setHeight(20);
    d.summary().addLabel(QStringLiteral("Summary"), {0, 0, 100, 20});
    return d;
}

class GroupTest : public ReportFixture
{
protected:
    void addGrouped(const QString &ref, const QString &org, const QString &sub)
    {
        addCall({ref, org, sub, QDateTime(QDate(2004, 3, 1), QTime(9, 0)), std::nullopt, QString()});
    }
};

TEST_F(GroupTest, FootersPrintInnerFirstWithThePreviousRowAndHeadersOuterFirstWithTheNew)
{
    addGrouped("R1", "Acme", "a");
    addGrouped("R2", "Acme", "a");
    addGrouped("R3", "Acme", "b");
    addGrouped("R4", "Bravo", "b");   // the same sub key, but the outer break breaks it too
    const RenderedReport report = render(groupedCalls());
    ASSERT_EQ(report.pageCount(), 1);
    EXPECT_EQ(textsOf(report.page(0)), (QStringList{
                                           "Header",
                                           "OH Acme/R1", "SH a/R1", "R1", "R2", "SF a/R2",
                                           "SH b/R3", "R3", "SF b/R3", "OF Acme/R3",
                                           "OH Bravo/R4", "SH b/R4", "R4", "SF b/R4", "OF Bravo/R4",
                                           "Summary",
                                       }));
}

TEST_F(GroupTest, EmptyAndMissingKeysFormGroupsOfTheirOwn)
{
    addGrouped("R1", "Acme", "a");
    addGrouped("R2", QString(), "a");
    addGrouped("R3", QString(), "a");
    addGrouped("R4", "acme", "a");   // keys compare exactly
    ReportDefinition d = groupedCalls();
    const QStringList texts = textsOf(render(d).page(0)).filter(QStringLiteral("OH "));
    EXPECT_EQ(texts, (QStringList{"OH Acme/R1", "OH /R2", "OH acme/R4"}));
}

TEST_F(GroupTest, AGroupThatStartsOnANewPageLeavesTheFirstGroupOnTheFirstPage)
{
    for (const char *org : {"Acme", "Acme", "Bravo", "Charlie"})
        addGrouped(QStringLiteral("R%1").arg(org), org, "a");
    ReportDefinition d = groupedCalls();
    d.groups()[0]->setStartOnNewPage(true);
    const RenderedReport report = render(d);
    ASSERT_EQ(report.pageCount(), 3);
    const auto pages = textsByPage(report);
    EXPECT_EQ(pages[0].first(), QStringLiteral("Header"));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("OH Acme/RAcme")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("OF Acme/RAcme")));   // the footer stays with its group
    EXPECT_EQ(pages[1], (QStringList{"Header", "OH Bravo/RBravo", "SH a/RBravo", "RBravo", "SF a/RBravo",
                                     "OF Bravo/RBravo"}));
    EXPECT_EQ(pages[2].first(), QStringLiteral("Header"));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Summary")));
}

TEST_F(GroupTest, ADetailBeginsOnAPageOnlyIfTheGroupFooterFitsBelowIt)
{
    // A4 with 10 mm margins leaves 785 points: 20 of page header, 20 of group header and 37
    // details of 20 fill it down to 5 points.
    {
        Engine::Transaction t(*e);
        for (int i = 1; i <= 37; ++i)
            addGrouped(QStringLiteral("R%1").arg(i), "Acme", "a");
        t.commit();
    }
    ReportDefinition d;
    d.pageHeader().setHeight(20);
    ReportGroup &org = d.addGroupOnField(QStringLiteral("Org"), QStringLiteral("User1"));
    org.header().setHeight(20);
    org.footer().setHeight(30);
    org.footer().addLabel(QStringLiteral("Org total"), {0, 0, 100, 20});
    d.detail().setHeight(20);
    d.detail().addField(QStringLiteral("CallRef"), {0, 0, 100, 20});

    RenderedReport report = render(d);
    ASSERT_EQ(report.pageCount(), 2);
    EXPECT_TRUE(findText(report.page(0), QStringLiteral("R37")));
    EXPECT_EQ(textsOf(report.page(1)), QStringList{"Org total"});   // alone on its page

    d.detail().setKeepWithFooterOf(QStringLiteral("Org"));
    report = render(d);
    ASSERT_EQ(report.pageCount(), 2);
    // Each detail needs room for the 30 points of the footer below it: R35 is the last to fit.
    EXPECT_TRUE(findText(report.page(0), QStringLiteral("R35")));
    EXPECT_EQ(textsOf(report.page(1)), (QStringList{"R36", "R37", "Org total"}));
}

} // namespace
