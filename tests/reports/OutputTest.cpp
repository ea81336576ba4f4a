#include "ReportFixture.h"

#include "CsvExport.h"
#include "PagePainter.h"
#include "PdfExport.h"
#include "ReportPrinting.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

namespace {

class OutputTest : public ReportFixture
{
protected:
    // Details with three texts, written right to left so that the default CSV columns have to
    // be put in order; an organisation header holds a fourth text.
    static ReportDefinition exported()
    {
        ReportDefinition d;
        d.setTitle(QStringLiteral("Calls"));
        d.pageHeader().setHeight(20);
        d.pageHeader().addLabel(QStringLiteral("Calls"), {0, 0, 100, 20});
        ReportGroup &org = d.addGroupOnField(QStringLiteral("Org"), QStringLiteral("User1"));
        org.header().setHeight(20);
        org.header().addField(QStringLiteral("User1"), {0, 0, 200, 20}).setName(QStringLiteral("OrgName"));
        d.detail().setHeight(20);
        d.detail().addMemo(QStringLiteral("Notes"), {200, 0, 300, 20});
        d.detail().addField(QStringLiteral("InputDate"), {80, 0, 110, 20}).setFormat(QStringLiteral("dd/mm/yyyy hh:nn"));
        d.detail().addField(QStringLiteral("CallRef"), {0, 0, 70, 20}).setName(QStringLiteral("Ref"));
        d.detail().addLabel(QStringLiteral("Call"), {0, 0, 10, 20});
        return d;
    }

    void SetUp() override
    {
        const QDateTime input(QDate(2004, 1, 5), QTime(8, 7));
        addCall({"R1", "Acme, Ltd", {}, input, std::nullopt, QStringLiteral("plain")});
        addCall({"R2", "Acme, Ltd", {}, input, std::nullopt, QStringLiteral("said \"hello\", then\r\nleft")});
        addCall({"R3", "Bravo", {}, input, std::nullopt, QStringLiteral("Zürich ✓")});
    }

    QString file(const char *name) const { return db.path(QString::fromLatin1(name)); }
};

TEST_F(OutputTest, CsvHasACaptionLineAndOneQuotedLinePerPrintedDetail)
{
    const RenderedReport report = render(exported());
    EXPECT_EQ(ReportOutput::csvText(report),
              QStringLiteral("CallRef,InputDate,Notes\r\n"
                             "R1,05/01/2004 08:07,plain\r\n"
                             "R2,05/01/2004 08:07,\"said \"\"hello\"\", then\r\nleft\"\r\n"
                             "R3,05/01/2004 08:07,Zürich ✓\r\n"));

    ReportDefinition d = exported();
    d.addCsvColumn(QStringLiteral("OrgName"), QStringLiteral("Organisation"));
    d.addCsvColumn(QStringLiteral("ref"), QStringLiteral("Call \"ref\""));
    d.detail().setPrintIf([](const ReportContext &c) { return c.value(QStringLiteral("CallRef")).toString() != QStringLiteral("R2"); });
    const QString path = file("calls.csv");
    ReportOutput::writeCsv(render(d), path);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("Organisation,\"Call \"\"ref\"\"\"\r\n"
                                            "\"Acme, Ltd\",R1\r\n"
                                            "Bravo,R3\r\n"));
}

TEST_F(OutputTest, CsvFieldsAreQuotedOnlyWhenTheyMustBe)
{
    struct Case
    {
        QString value;
        QString written;
    } cases[] = {
        {"", ""},
        {" spaced ", " spaced "},
        {"a,b", "\"a,b\""},
        {"say \"x\"", "\"say \"\"x\"\"\""},
        {"\"", "\"\"\"\""},
        {"cr\rhere", "\"cr\rhere\""},
        {"lf\nhere", "\"lf\nhere\""},
        {"café; 5'", "café; 5'"},
    };
    ReportDefinition d;
    d.detail().setHeight(10);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const QString value = cases[i].value;
        d.detail().addComputed([value](const ReportContext &) { return value; }, {i * 10.0, 0, 10, 10})
            .setName(QStringLiteral("c%1").arg(i));
        d.addCsvColumn(QStringLiteral("c%1").arg(i), QStringLiteral("c%1").arg(i));
    }
    addCalls(1);
    const QString text = ReportOutput::csvText(render(d));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6);   // captions, the fixture's three rows and one more, and the end
    QStringList expected;
    for (const Case &c : cases)
        expected << c.written;
    EXPECT_EQ(lines[1], expected.join(u','));
}

TEST_F(OutputTest, FilesThatCannotBeWrittenRaiseAClearError)
{
    const RenderedReport report = render(exported());
    const QString missing = file("no such folder/out");
    for (auto write : {ReportOutput::writeCsv, ReportOutput::writePdf}) {
        try {
            write(report, missing);
            ADD_FAILURE() << "no error";
        } catch (const ReportError &error) {
            EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(missing))) << error.what();
        }
    }
}

TEST_F(OutputTest, PdfHasAPagePerReportPage)
{
    addCalls(120, QStringLiteral("Zulu"));
    const RenderedReport report = render(exported());
    ASSERT_GT(report.pageCount(), 1);
    const QString path = file("calls.pdf");
    ReportOutput::writePdf(report, path);
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))),
              report.pageCount());
}

TEST_F(OutputTest, PrintingSendsCollatedCopiesOfThePageRange)
{
    addCalls(120, QStringLiteral("Zulu"));
    const RenderedReport report = render(exported());
    ASSERT_GE(report.pageCount(), 3);
    const QString path = file("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    std::vector<int> progress;
    ReportOutput::PrintJob job;
    job.copies = 2;
    job.fromPage = 2;
    job.toPage = 3;
    job.progress = [&](int done, int total) {
        progress.push_back(done);
        EXPECT_EQ(total, 4);
        return true;
    };
    EXPECT_TRUE(ReportOutput::print(report, printer, job));
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2, 3}));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(pdf.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))), 4);

    job.fromPage = report.pageCount() + 1;
    job.toPage = report.pageCount() + 2;
    EXPECT_THROW(ReportOutput::print(report, printer, job), ReportError);
}

TEST_F(OutputTest, PaintingAPageInkTheTextsWhereTheyAre)
{
    const RenderedReport report = render(exported());
    const QImage image = PagePainter::pageImage(report.page(0), 72);
    EXPECT_EQ(image.size(), QSize(595, 842));
    const TextItem *ref = findText(report.page(0), QStringLiteral("R1"));
    ASSERT_TRUE(ref);
    auto inked = [&image](const QRectF &box) {
        for (int y = int(box.top()); y < int(box.bottom()); ++y)
            for (int x = int(box.left()); x < int(box.right()); ++x)
                if (image.pixelColor(x, y) != Qt::white)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(ref->box));
    EXPECT_FALSE(inked(ref->box.translated(0, 300)));
}

TEST_F(OutputTest, TenThousandRowsRenderQuickly)
{
    {
        Engine::Transaction t(*e);
        for (int i = 0; i < 10000; ++i)
            addCall({QStringLiteral("P%1").arg(i), QStringLiteral("Org %1").arg(i / 100), {},
                     QDateTime(QDate(2004, 1, 5), QTime(8, 7)), std::nullopt,
                     QStringLiteral("note %1 with a few words to wrap").arg(i)});
        t.commit();
    }
    ReportDefinition d = exported();
    d.addAggregate(ReportAggregate::count(QStringLiteral("N")).resetAfter(QStringLiteral("Org")));
    d.groups()[0]->footer().setHeight(20);
    d.groups()[0]->footer().addAggregate(QStringLiteral("N"), {0, 0, 50, 20});
    d.pageFooter().setHeight(20);
    d.pageFooter().addPageNumber({0, 0, 100, 20}, QStringLiteral("Page %1 of %2"));
    QElapsedTimer timer;
    timer.start();
    const RenderedReport report = render(d);
    const qint64 ms = timer.elapsed();
    EXPECT_EQ(report.csv().rows.size(), 10003u);
    EXPECT_GT(report.pageCount(), 250);
    EXPECT_LT(ms, 3000) << "rendering took " << ms << " ms";
    std::cout << "10,003 rows, " << report.pageCount() << " pages in " << ms << " ms\n";
}

} // namespace
