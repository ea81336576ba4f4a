#include "ReportFixture.h"

#include "ReportLine.h"
#include "ReportPageFrame.h"
#include "ReportValueFormat.h"

namespace {

constexpr double kMargin = 10 / 25.4 * 72;   // 10 mm in points

// A list of call references: a 40 pt page header, 20 pt details, a 20 pt page footer with the
// page number, so that 36 details fill the body of an A4 page.
ReportDefinition listOfCalls()
{
    ReportDefinition d;
    d.pageHeader().setHeight(40);
    d.pageHeader().addLabel(QStringLiteral("Calls"), {0, 0, 200, 20});
    d.pageHeader().addLine({0, 38}, {500, 38}).setColour(Qt::red);
    d.detail().setHeight(20);
    d.detail().addField(QStringLiteral("CallRef"), {10, 0, 100, 20});
    d.summary().setHeight(20);
    d.summary().addLabel(QStringLiteral("End"), {0, 0, 100, 20});
    d.pageFooter().setHeight(20);
    d.pageFooter().addLabel(QStringLiteral("Produced By Vellomar"), {0, 0, 150, 20});
    d.pageFooter().addPageNumber({250, 0, 60, 20}, QStringLiteral("Page %1 of %2"));
    d.pageFooter().addRunDateTime({400, 0, 135, 20}, QStringLiteral("dd/mm/yyyy hh:nn"));
    return d;
}

using PaginationTest = ReportFixture;

TEST_F(PaginationTest, DetailsFlowOntoNewPagesUnderARepeatedHeaderAboveTheFooter)
{
    addCalls(80);
    const RenderedReport report = render(listOfCalls());
    ASSERT_EQ(report.pageCount(), 3);   // 36 + 36 + 8 details and the summary

    QStringList refs;
    for (int p = 0; p < report.pageCount(); ++p) {
        const RenderedPage &page = report.page(p);
        const TextItem *header = findText(page, QStringLiteral("Calls"));
        ASSERT_TRUE(header) << "page " << p + 1;
        EXPECT_NEAR(header->box.top(), kMargin, 0.01);
        EXPECT_NEAR(header->box.left(), kMargin, 0.01);
        const TextItem *footer = findText(page, QStringLiteral("Produced By Vellomar"));
        ASSERT_TRUE(footer);
        EXPECT_NEAR(footer->box.bottom(), page.size().height() - kMargin, 0.01);
        EXPECT_TRUE(findText(page, QStringLiteral("Page %1 of 3").arg(p + 1)));
        EXPECT_TRUE(findText(page, QStringLiteral("02/04/2004 16:45")));

        double lastTop = header->box.bottom();
        for (const PagePrimitive &item : page.items()) {
            const auto *t = std::get_if<TextItem>(&item);
            if (!t || !t->text.startsWith(u'R'))
                continue;
            refs << t->text;
            EXPECT_GE(t->box.top(), kMargin + 40 - 0.01);
            EXPECT_LE(t->box.bottom(), footer->box.top() + 0.01) << t->text.toStdString();
            EXPECT_GT(t->box.top(), lastTop - 20);
            lastTop = t->box.top();
        }
    }
    QStringList expected;
    for (int i = 1; i <= 80; ++i)
        expected << QStringLiteral("R%1").arg(i);
    EXPECT_EQ(refs, expected);
    // The first detail of page 2 sits right under the page header.
    const TextItem *r37 = findText(report.page(1), QStringLiteral("R37"));
    ASSERT_TRUE(r37);
    EXPECT_NEAR(r37->box.top(), kMargin + 40, 0.01);
    EXPECT_NEAR(r37->box.left(), kMargin + 10, 0.01);
    // The summary follows the last detail.
    const TextItem *end = findText(report.page(2), QStringLiteral("End"));
    const TextItem *r80 = findText(report.page(2), QStringLiteral("R80"));
    ASSERT_TRUE(end && r80);
    EXPECT_NEAR(end->box.top(), r80->box.bottom(), 0.01);
}

TEST_F(PaginationTest, ASummaryThatDoesNotFitGoesToAPageOfItsOwn)
{
    addCalls(36);   // fills page 1 exactly
    const RenderedReport report = render(listOfCalls());
    ASSERT_EQ(report.pageCount(), 2);
    EXPECT_TRUE(findText(report.page(0), QStringLiteral("R36")));
    EXPECT_EQ(textsOf(report.page(1)),
              (QStringList{"Calls", "End", "Produced By Vellomar", "Page 2 of 2", "02/04/2004 16:45"}));
}

TEST_F(PaginationTest, AReportWithoutRowsPrintsOnePageWithAnEmptyDetailWhenAskedTo)
{
    ReportDefinition d = listOfCalls();
    d.detail().addLabel(QStringLiteral("Action"), {200, 0, 60, 20});
    EXPECT_EQ(textsOf(render(d).page(0)),
              (QStringList{"Calls", "End", "Produced By Vellomar", "Page 1 of 1", "02/04/2004 16:45"}));

    d.setPrintDetailWhenEmpty(true);
    const RenderedReport report = render(d);
    ASSERT_EQ(report.pageCount(), 1);
    EXPECT_EQ(textsOf(report.page(0)), (QStringList{"Calls", "", "Action", "End", "Produced By Vellomar",
                                                    "Page 1 of 1", "02/04/2004 16:45"}));
    EXPECT_TRUE(report.csv().rows.empty());
}

TEST_F(PaginationTest, PagesAreLaidOutInPointsWhateverTheScreen)
{
    addCalls(1);
    ReportDefinition d = listOfCalls();
    QFont big(QStringLiteral("Arial"));
    big.setPointSizeF(20);
    d.detail().addLabel(QStringLiteral("Big"), {200, 0, 100, 20}).setFont(big);
    const RenderedReport report = render(d);

    // A4 in points, not in pixels of a screen.
    EXPECT_NEAR(report.pageSize().width(), 595.3, 0.5);
    EXPECT_NEAR(report.pageSize().height(), 841.9, 0.5);
    EXPECT_EQ(report.page(0).size(), report.pageSize());
    const PagePrimitive *rule = nullptr;
    for (const PagePrimitive &p : report.page(0).items())
        if (std::holds_alternative<LineItem>(p))
            rule = &p;
    ASSERT_TRUE(rule);
    const auto &line = std::get<LineItem>(*rule);
    EXPECT_EQ(line.colour, QColor(Qt::red));
    EXPECT_NEAR(line.line.y1(), kMargin + 38, 0.01);
    EXPECT_NEAR(line.line.x2(), kMargin + 500, 0.01);
    // A 20 pt font takes some 23 to 28 points from line to line (a third more at 96 dpi).
    const TextItem *text = findText(report.page(0), QStringLiteral("Big"));
    ASSERT_TRUE(text);
    EXPECT_GT(text->lineHeight, 20);
    EXPECT_LT(text->lineHeight, 30);
    EXPECT_EQ(text->font.pointSizeF(), 20);
}

TEST_F(PaginationTest, TheDefinitionsPageSizeAndMarginsAreKept)
{
    addCalls(30);
    ReportDefinition d = listOfCalls();
    d.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                QMarginsF(20, 30, 20, 30), QPageLayout::Point));
    const RenderedReport report = render(d);
    EXPECT_NEAR(report.pageSize().width(), 841.9, 0.5);
    // 595 - 60 of margins - 60 of header and footer leaves room for 23 details.
    ASSERT_EQ(report.pageCount(), 2);
    EXPECT_TRUE(findText(report.page(0), QStringLiteral("R23")));
    EXPECT_TRUE(findText(report.page(1), QStringLiteral("R24")));
    EXPECT_NEAR(findText(report.page(0), QStringLiteral("Calls"))->box.topLeft().y(), 30, 0.01);
    EXPECT_NEAR(findText(report.page(0), QStringLiteral("Produced By Vellomar"))->box.bottom(),
                report.pageSize().height() - 30, 0.5);
}

TEST_F(PaginationTest, DefinitionErrorsRaiseAReportErrorNamingTheCulprit)
{
    addCalls(1);
    struct Case
    {
        const char *what;
        std::function<void(ReportDefinition &)> spoil;
        const char *message;
    } cases[] = {
        {"unknown field", [](ReportDefinition &d) { d.detail().addField("NoSuchField", {0, 0, 10, 10}); },
         "NoSuchField"},
        {"unknown aggregate group",
         [](ReportDefinition &d) { d.addAggregate(ReportAggregate::count("N").resetAfter("Nowhere")); },
         "Nowhere"},
        {"unknown CSV column", [](ReportDefinition &d) { d.addCsvColumn("Ghost", "Ghost"); }, "Ghost"},
        {"unknown aggregate shown",
         [](ReportDefinition &d) { d.summary().addAggregate("Missing", {0, 0, 10, 10}); }, "Missing"},
    };
    for (const Case &c : cases) {
        ReportDefinition d = listOfCalls();
        c.spoil(d);
        try {
            render(d);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ReportError &error) {
            EXPECT_TRUE(error.message().contains(QString::fromLatin1(c.message))) << c.what;
        }
    }
    Dataset closed(e.get());
    EXPECT_THROW(ReportRenderer(listOfCalls()).render(closed), ReportError);
}

} // namespace

namespace {

TEST_F(PaginationTest, TheSharedFrameHeadsAndFootsEveryPage)
{
    addCalls(60);
    ReportDefinition d;
    const double captionsTop = ReportPageFrame::add(d, QStringLiteral("Calls and Actions"),
                                                    ReportPageFrame::RangeLine::With);
    d.pageHeader().addLabel(QStringLiteral("CallRef"), {0, captionsTop, 100, 14});
    d.pageHeader().setHeight(captionsTop + 16);
    d.detail().setHeight(14);
    d.detail().addField(QStringLiteral("CallRef"), {0, 0, 100, 14});
    // What the report runner fills in for one run.
    d.text(QStringLiteral("TitleLabel")).setText(QStringLiteral("Calls By Organisation in Date Range"));
    d.text(QStringLiteral("FromLabel")).setText(QStringLiteral("05/01/2004 00:01"));
    d.text(QStringLiteral("ToLabel")).setText(QStringLiteral("31/01/2004 23:59"));

    const RenderedReport report = render(d);
    ASSERT_EQ(report.pageCount(), 2);
    const QString when = ReportValueFormat::formatDateTime(kRunTime, QStringLiteral("ddddd hh:nn"));
    for (int p = 0; p < 2; ++p) {
        const QStringList texts = textsOf(report.page(p));
        EXPECT_EQ(texts.mid(0, 7), (QStringList{"Vellomar", "Calls By Organisation in Date Range",
                                                "Date Range:", "05/01/2004 00:01", "To",
                                                "31/01/2004 23:59", "CallRef"}));
        EXPECT_EQ(texts.mid(texts.size() - 3),
                  (QStringList{"Produced By Vellomar", QString::number(p + 1), when}));
        // The first detail of the page sits under the captions.
        const TextItem *captions = findText(report.page(p), QStringLiteral("CallRef"));
        const TextItem *first = findText(report.page(p), texts[7]);
        ASSERT_TRUE(captions && first);
        EXPECT_TRUE(first->text.startsWith(u'R'));
        EXPECT_NEAR(first->box.top(), captions->box.top() + 16, 0.01);
    }
    EXPECT_THROW(d.text(QStringLiteral("NoSuchLabel")), ReportError);
}

} // namespace
