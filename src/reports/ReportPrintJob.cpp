#include "ReportPrintJob.h"

#include "RenderedReport.h"
#include "ReportError.h"
#include "ReportPrinters.h"
#include "ReportPrinting.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QProgressDialog>

namespace ReportPrintJob {

bool printWithProgress(const RenderedReport &report, QPrinter &printer, QWidget *parent)
{
    QProgressDialog progress(parent);
    progress.setWindowTitle(QCoreApplication::translate("ReportPrintJob", "Printing"));
    progress.setAccessibleName(progress.windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    ReportOutput::PrintJob job;
    job.progress = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setLabelText(
            QCoreApplication::translate("ReportPrintJob", "Printing page %1 of %2")
                .arg(done + 1)
                .arg(total));
        progress.setValue(done);   // lets the window paint and the Cancel button be pressed
        return !progress.wasCanceled();
    };
    return ReportOutput::print(report, printer, job);
}

bool printDirect(const RenderedReport &report, QWidget *parent)
{
    const std::unique_ptr<QPrinter> printer = ReportPrinters::instance().defaultPrinter();
    if (!printer)
        throw ReportError(QCoreApplication::translate("ReportPrintJob",
                                                      "There is no printer to print on."));
    return printWithProgress(report, *printer, parent);
}

bool printChosen(const RenderedReport &report, QWidget *parent)
{
    const std::unique_ptr<QPrinter> printer =
        ReportPrinters::instance().choose(parent, report.pageCount());
    if (!printer)
        return false;
    return printWithProgress(report, *printer, parent);
}

} // namespace ReportPrintJob
