#include "ReportPrinting.h"

#include "PagePainter.h"
#include "ReportError.h"

#include <QPainter>
#include <QPrinter>

namespace ReportOutput {

bool print(const RenderedReport &report, QPrinter &printer, const PrintJob &job)
{
    int from = job.fromPage;
    int to = job.toPage;
    if (from <= 0 && to <= 0) {
        const bool ranged = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
        from = ranged ? printer.fromPage() : 1;
        to = ranged ? printer.toPage() : report.pageCount();
    }
    from = std::max(from, 1);
    to = std::min(to <= 0 ? report.pageCount() : to, report.pageCount());
    if (from > to)
        throw ReportError(QStringLiteral("There is nothing to print: the report has %1 page(s).")
                              .arg(report.pageCount()));
    const int copies = job.copies > 0 ? job.copies : std::max(1, printer.copyCount());

    QPageLayout layout = report.pageLayout();
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF());
    printer.setFullPage(true);
    printer.setPageLayout(layout);
    printer.setCopyCount(1);   // the copies are printed here, collated
    if (printer.docName().isEmpty())
        printer.setDocName(report.title());

    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("The printer %1 cannot be opened.").arg(printer.printerName()));
    const int total = copies * (to - from + 1);
    int done = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = from; page <= to; ++page, ++done) {
            if (job.progress && !job.progress(done, total)) {
                printer.abort();
                return false;
            }
            if (done > 0)
                printer.newPage();
            painter.save();
            PagePainter::scaleToPoints(painter);
            PagePainter::paintPage(painter, report.page(page - 1));
            painter.restore();
        }
    }
    if (!painter.end())
        throw ReportError(QStringLiteral("The report could not be printed on %1.").arg(printer.printerName()));
    return true;
}

} // namespace ReportOutput
