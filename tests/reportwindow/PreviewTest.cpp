#include "CsvExport.h"
#include "PreviewPageView.h"
#include "PreviewZoom.h"
#include "ReportError.h"
#include "ReportPreviewDialog.h"
#include "ReportPrintJob.h"
#include "ReportWindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QTest>

namespace {

// A laid-out report of a few pages, each with its name on it, and two CSV rows.
RenderedReport threePages(int pages = 3)
{
    std::vector<RenderedPage> list;
    const QSizeF a4(595.3, 841.9);
    for (int i = 1; i <= pages; ++i) {
        TextItem text;
        text.box = QRectF(40, 40, 200, 14);
        text.text = QStringLiteral("Page %1").arg(i);
        text.lines = QStringList{text.text};
        text.lineHeight = 14;
        text.font = QFont(QStringLiteral("Sans"), 10);
        list.emplace_back(a4, std::vector<PagePrimitive>{text});
    }
    CsvTable csv{{"CallID", "Notes"}, {{"1", "first, with a comma"}, {"2", "second"}}};
    return RenderedReport(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()),
                          QStringLiteral("Calls By Status"), QDateTime(QDate(2004, 4, 2), QTime(9, 0)),
                          std::move(list), std::move(csv));
}

QString shownText(const ReportPreviewDialog &d)
{
    const RenderedPage *page = d.PageView->page();
    return page ? std::get<TextItem>(page->items().front()).text : QString();
}

class PreviewTest : public ReportWindowTest
{
protected:
    void open(const RenderedReport &report = threePages())
    {
        dialog = std::make_unique<ReportPreviewDialog>(report);
        dialog->resize(900, 700);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    void key(int k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get(),
                        Qt::Key(k), m);
    }

    std::unique_ptr<ReportPreviewDialog> dialog;
};

TEST_F(PreviewTest, PagesTurnByKeysAndButtonsWithinTheReport)
{
    open();
    EXPECT_EQ(dialog->PageLabel->text(), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(shownText(*dialog), QStringLiteral("Page 1"));
    EXPECT_FALSE(dialog->FirstPageAction->isEnabled());
    EXPECT_FALSE(dialog->PriorPageAction->isEnabled());

    struct Step
    {
        std::function<void()> act;
        int page;
    };
    const Step steps[] = {
        {[&] { key(Qt::Key_PageDown); }, 2},
        {[&] { key(Qt::Key_PageDown); }, 3},
        {[&] { key(Qt::Key_PageDown); }, 3},      // stays on the last page
        {[&] { key(Qt::Key_Home); }, 1},
        {[&] { key(Qt::Key_PageUp); }, 1},        // and on the first
        {[&] { key(Qt::Key_End); }, 3},
        {[&] { key(Qt::Key_PageUp); }, 2},
        {[&] { dialog->FirstPageAction->trigger(); }, 1},
        {[&] { dialog->LastPageAction->trigger(); }, 3},
        {[&] { dialog->PriorPageAction->trigger(); }, 2},
        {[&] { dialog->NextPageAction->trigger(); }, 3},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i].act();
        EXPECT_EQ(dialog->currentPage(), steps[i].page) << "step " << i;
        EXPECT_EQ(shownText(*dialog), QStringLiteral("Page %1").arg(steps[i].page)) << "step " << i;
    }
    EXPECT_EQ(dialog->PageLabel->text(), QStringLiteral("Page 3 of 3"));
    EXPECT_FALSE(dialog->NextPageAction->isEnabled());
    EXPECT_FALSE(dialog->LastPageAction->isEnabled());
    EXPECT_TRUE(dialog->FirstPageAction->isEnabled());
}

TEST_F(PreviewTest, ZoomFitsTheWidthOrThePageOrGoesByStepsFromPrintedSize)
{
    open();
    const QSize viewport = dialog->ScrollArea->viewport()->size();
    EXPECT_EQ(dialog->zoomMode(), ReportPreviewDialog::ZoomMode::FitWidth);
    EXPECT_LE(dialog->PageView->sheetRect().right(), viewport.width());
    EXPECT_GT(dialog->PageView->sheetRect().width(), viewport.width() * 8 / 10);

    dialog->FitPageAction->trigger();
    QApplication::processEvents();
    const QRect sheet = dialog->PageView->sheetRect();
    EXPECT_LE(sheet.bottom(), dialog->ScrollArea->viewport()->height());
    EXPECT_LE(sheet.right(), dialog->ScrollArea->viewport()->width());

    key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(dialog->zoom(), 1.0);
    EXPECT_EQ(dialog->ZoomLabel->text(), QStringLiteral("100%"));
    dialog->ZoomInAction->trigger();
    EXPECT_DOUBLE_EQ(dialog->zoom(), 1.25);
    dialog->ZoomOutAction->trigger();
    dialog->ZoomOutAction->trigger();
    EXPECT_DOUBLE_EQ(dialog->zoom(), 0.75);
    EXPECT_EQ(dialog->zoomMode(), ReportPreviewDialog::ZoomMode::Fixed);
    const int width = dialog->PageView->sheetRect().width();
    dialog->resize(dialog->width() + 200, dialog->height());
    QApplication::processEvents();
    EXPECT_EQ(dialog->PageView->sheetRect().width(), width) << "a fixed zoom ignores the window's size";
}

TEST(PreviewZoom, StepsClimbAndDescendTheLadderFromAnyZoom)
{
    const std::vector<std::tuple<double, double, double>> cases{
        // zoom, in, out
        {1.0, 1.25, 0.75}, {0.25, 0.5, 0.25}, {0.6, 0.75, 0.5},
        {0.1, 0.25, 0.1},  {8.0, 8.0, 4.0},   {2.2, 3.0, 2.0}};
    for (const auto &[zoom, in, out] : cases) {
        EXPECT_DOUBLE_EQ(PreviewZoom::zoomIn(zoom), in) << zoom;
        EXPECT_DOUBLE_EQ(PreviewZoom::zoomOut(zoom), out) << zoom;
    }
}

TEST_F(PreviewTest, SavesCsvAndPdfUnderTheNamesChosen)
{
    open();
    const QString csv = db.path(QStringLiteral("out.csv"));
    const QString pdf = db.path(QStringLiteral("out.pdf"));
    prompter->fileAnswers = {csv, pdf, QString()};
    dialog->SaveCsvAction->trigger();
    dialog->SavePdfAction->trigger();
    dialog->SaveCsvAction->trigger();   // cancelled: nothing written
    EXPECT_EQ(prompter->fileCaptions, QStringList({"Save as CSV", "Save as PDF", "Save as CSV"}));

    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), ReportOutput::csvText(dialog->report()));
    EXPECT_EQ(pdfPageCount(pdf), 3);
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(PreviewTest, AFileThatCannotBeWrittenIsReportedAndThePreviewStays)
{
    open();
    prompter->fileAnswers = {db.path(QStringLiteral("no/such/folder/out.csv"))};
    dialog->SaveCsvAction->trigger();
    ASSERT_EQ(prompter->messages.size(), 1);
    EXPECT_EQ(prompter->messages[0].kind, Prompter::Kind::Error);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PreviewTest, CtrlPPrintsThePagesAndCopiesChosenInThePrintDialog)
{
    open();
    printers->fromPage = 2;
    printers->toPage = 3;
    printers->copies = 2;
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printers->dialogs, 1);
    EXPECT_EQ(pdfPageCount(printers->pdfFile), 4) << "pages 2 and 3, twice";

    QFile::remove(printers->pdfFile);
    printers->cancelDialog = true;
    dialog->PrintAction->trigger();
    EXPECT_EQ(printers->dialogs, 2);
    EXPECT_FALSE(QFile::exists(printers->pdfFile));
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(PreviewTest, EscClosesThePreview)
{
    open();
    key(Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(PreviewTest, DirectPrintingGoesToTheDefaultPrinterOrSaysThereIsNone)
{
    EXPECT_TRUE(ReportPrintJob::printDirect(threePages(2), nullptr));
    EXPECT_EQ(pdfPageCount(printers->pdfFile), 2);
    EXPECT_EQ(printers->dialogs, 0);

    printers->hasDefault = false;
    try {
        ReportPrintJob::printDirect(threePages(2), nullptr);
        ADD_FAILURE() << "expected a ReportError";
    } catch (const ReportError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("There is no printer to print on."));
    }
}

} // namespace
