#pragma once

#include "ReportDispatch.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class RenderedReport;
class ReportDocument;

// Makes the report definition of that class name for one run; nullptr for an unknown name.
using ReportDocumentFactory =
    std::function<std::unique_ptr<ReportDocument>(const QString &className)>;

// How a report is run: the parameter asked for, the definition made afresh and filled, then the
// preview or the printer. The Reports window and the command line share it.
namespace ReportRun {

// The definition of the entry made ready to lay out: created afresh, its title replaced where
// the entry says so, its user-field captions read, the clause appended to its query and the
// query opened, the range labels set. An engine error on the way goes to the caller and the
// definition is discarded with it.
std::unique_ptr<ReportDocument> prepare(const ReportDispatchEntry &entry,
                                        const ReportRunParameters &parameters,
                                        const ReportDocumentFactory &create);

// What RunReport needs from the windows around it.
struct Services
{
    ReportDocumentFactory createDocument;
    std::function<std::optional<ReportRunParameters>()> promptRange;   // nullopt: cancelled
    std::function<std::optional<int>()> promptCallId;                  // nullopt: no number
    std::function<void(const RenderedReport &)> preview;   // modal
    std::function<void(const RenderedReport &)> print;     // straight to the printer
};

enum class Outcome
{
    NotAReport,     // the name is no key of the dispatch table: nothing happens
    Cancelled,      // the parameter prompt gave nothing
    Shown,          // previewed or printed
    OutputFailed    // laying out, the preview or the printer failed; the message was shown
};

// RunReport for the tblReport.ReportName of the list's current row. The hourglass shows while
// the report's data is read and laid out and the normal cursor is back afterwards, whatever
// happened. An error while the data is read goes to the caller (the program's general error
// handling shows it); an error while the report is laid out, previewed or printed is shown here
// with its own text.
Outcome run(const QString &reportName, bool preview, const Services &services);

} // namespace ReportRun
