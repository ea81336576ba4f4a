#pragma once

class QPrinter;
class QWidget;
class RenderedReport;

// Printing a laid-out report with a progress window that can cancel it.
namespace ReportPrintJob {

// Prints on the printer as it is set (copies, page range), showing "Printing page n of N" over
// the parent. False when the user cancelled; a ReportError when the printer fails.
bool printWithProgress(const RenderedReport &report, QPrinter &printer, QWidget *parent);

// Straight to the default printer; a ReportError when there is no printer.
bool printDirect(const RenderedReport &report, QWidget *parent);

// Through the print dialog; false when the dialog or the progress window was cancelled.
bool printChosen(const RenderedReport &report, QWidget *parent);

} // namespace ReportPrintJob
