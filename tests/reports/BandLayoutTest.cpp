#include "ReportFixture.h"

#include "ReportShape.h"
#include "TextMeasurer.h"

namespace {

class BandLayoutTest : public ReportFixture
{
protected:
    void addNoted(const QString &ref, const QString &notes, std::optional<QDateTime> resolved = std::nullopt)
    {
        addCall({ref, {}, {}, QDateTime(QDate(2004, 3, 1), QTime(9, 5)), resolved, notes});
    }

    // A detail with the reference, a memo of the notes under it, and a rule below the memo.
    static ReportDefinition notedCalls()
    {
        ReportDefinition d;
        d.detail().setHeight(40);
        d.detail().addField(QStringLiteral("CallRef"), {0, 0, 100, 14});
        d.detail().addMemo(QStringLiteral("Notes"), {0, 14, 300, 14});
        d.detail().addLine({0, 36}, {500, 36});
        return d;
    }
};

TEST_F(BandLayoutTest, AMemoGrowsItsBandAndPushesDownWhatIsBelowIt)
{
    addNoted("R1", "one\ntwo\r\nthree\rfour");
    addNoted("R2", "short");
    addNoted("R3", QString());
    const RenderedReport report = render(notedCalls());
    const RenderedPage &page = report.page(0);
    const TextItem *memo = findText(page, QStringLiteral("one\ntwo\r\nthree\rfour"));
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->lines, (QStringList{"one", "two", "three", "four"}));
    const double grown = 4 * memo->lineHeight - 14;
    EXPECT_NEAR(memo->box.height(), 4 * memo->lineHeight, 0.01);

    std::vector<double> rules;
    for (const PagePrimitive &p : page.items())
        if (const auto *l = std::get_if<LineItem>(&p))
            rules.push_back(l->line.y1());
    ASSERT_EQ(rules.size(), 3u);
    const double top = findText(page, QStringLiteral("R1"))->box.top();
    EXPECT_NEAR(rules[0] - top, 36 + grown, 0.01);
    // The next band starts below the grown one; a one-line memo does not grow its band.
    EXPECT_NEAR(findText(page, QStringLiteral("R2"))->box.top() - top, 40 + grown, 0.01);
    EXPECT_NEAR(findText(page, QStringLiteral("R3"))->box.top() - top, 80 + grown, 0.01);
}

TEST_F(BandLayoutTest, AMemoWrapsBetweenWordsToItsWidth)
{
    const QString words = QStringLiteral("the printer on the third floor jams whenever anyone prints "
                                         "labels and the toner light stays on afterwards");
    addNoted("R1", words);
    const RenderedReport report = render(notedCalls());
    const TextItem *memo = findText(report.page(0), words);
    ASSERT_TRUE(memo);
    ASSERT_GT(memo->lines.size(), 1);
    EXPECT_EQ(memo->lines.join(u' '), words);
    TextMeasurer measurer;
    for (const QString &line : memo->lines)
        EXPECT_LE(measurer.width(line, memo->font), 300.01) << line.toStdString();
}

TEST_F(BandLayoutTest, AMemoLongerThanAPageContinuesOnTheNextPages)
{
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("line %1").arg(i);
    addNoted("R1", lines.join(u'\n'));
    addNoted("R2", QStringLiteral("after"));
    ReportDefinition d = notedCalls();
    d.pageHeader().setHeight(30);
    d.pageHeader().addLabel(QStringLiteral("Header"), {0, 0, 100, 14});
    d.pageFooter().setHeight(20);
    d.pageFooter().addPageNumber({0, 0, 100, 14});
    const RenderedReport report = render(d);
    ASSERT_GE(report.pageCount(), 2);

    QStringList printed;
    for (const RenderedPage &page : report.pages()) {
        EXPECT_EQ(textsOf(page).first(), QStringLiteral("Header"));
        const double footerTop = page.size().height() - 10 / 25.4 * 72 - 20;
        for (const PagePrimitive &p : page.items()) {
            const auto *t = std::get_if<TextItem>(&p);
            if (!t || !t->text.startsWith(QStringLiteral("line 1\n")))
                continue;
            printed << t->lines;
            EXPECT_LE(t->box.bottom(), footerTop + 0.01);
            EXPECT_NEAR(t->box.height(), t->lines.size() * t->lineHeight, 0.01);
        }
    }
    EXPECT_EQ(printed, lines);
    EXPECT_TRUE(findText(report.pages().back(), QStringLiteral("after")));
}

TEST_F(BandLayoutTest, ControlsShownByAConditionAreDecidedEachTimeTheBandPrints)
{
    const QDateTime resolved(QDate(2004, 3, 2), QTime(14, 30));
    addNoted("R1", {}, resolved);
    addNoted("R2", {});
    addNoted("R3", {}, resolved);
    ReportDefinition d;
    d.detail().setHeight(20);
    d.detail().addField(QStringLiteral("CallRef"), {0, 0, 50, 20});
    d.detail().addLabel(QStringLiteral("Resolved:"), {60, 0, 60, 20}).setShownIf(fieldNotNull("ResolvedDate"));
    d.detail().addField(QStringLiteral("ResolvedDate"), {120, 0, 120, 20})
        .setFormat(QStringLiteral("dd/mm/yyyy hh:nn"))
        .setName(QStringLiteral("ResolvedText"))
        .setShownIf(fieldNotNull("ResolvedDate"));
    d.detail().addRectangle({0, 0, 500, 20}).setVisible(false);
    d.addCsvColumn(QStringLiteral("ResolvedText"), QStringLiteral("Resolved"));

    const RenderedReport report = render(d);
    EXPECT_EQ(textsOf(report.page(0)), (QStringList{"R1", "Resolved:", "02/03/2004 14:30", "R2", "R3",
                                                    "Resolved:", "02/03/2004 14:30"}));
    for (const PagePrimitive &p : report.page(0).items())
        EXPECT_FALSE(std::holds_alternative<RectItem>(p));
    ASSERT_EQ(report.csv().rows.size(), 3u);
    EXPECT_EQ(report.csv().rows[1], QStringList{QString()});   // a hidden text exports as nothing
}

TEST_F(BandLayoutTest, ChildBandsPrintRightAfterTheirParentAndOnlyWithIt)
{
    addNoted("R1", {});
    addNoted("R2", {});
    ReportDefinition d;
    d.detail().setHeight(20);
    d.detail().addField(QStringLiteral("CallRef"), {0, 0, 50, 20});
    d.detail().setPrintIf([](const ReportContext &c) { return c.value(QStringLiteral("CallRef")).toString() != QStringLiteral("R2"); });
    ReportBand &captions = d.detail().addChild(15);
    captions.addLabel(QStringLiteral("Action captions"), {0, 0, 200, 15});
    captions.addChild(10).addComputed([](const ReportContext &c) { return c.value(QStringLiteral("CallRef")); },
                                      {0, 0, 50, 10});
    const RenderedReport report = render(d);
    const RenderedPage &page = report.page(0);
    EXPECT_EQ(textsOf(page), (QStringList{"R1", "Action captions", "R1"}));
    EXPECT_NEAR(findText(page, QStringLiteral("Action captions"))->box.top(),
                findText(page, QStringLiteral("R1"))->box.top() + 20, 0.01);
}

} // namespace
