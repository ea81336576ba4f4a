#pragma once

#include "RenderedReport.h"

#include <functional>

class QPrinter;

namespace ReportOutput {

// What to print of a report.
struct PrintJob
{
    int copies = 0;     // 0: as many as the printer is set to
    int fromPage = 0;   // 1-based, inclusive; 0 and 0: the printer's page range, else every page
    int toPage = 0;
    // Called before each page with the pages done and the pages in all; false cancels the job.
    std::function<bool(int done, int total)> progress;
};

// Prints the report on the printer, collated copies of the chosen pages, each page on paper of
// the report's size with the report's own margins (the printer's margins are not added).
// Returns false when the progress callback cancelled the job. Raises a ReportError when the
// printer cannot be opened or the page range holds no page of the report.
bool print(const RenderedReport &report, QPrinter &printer, const PrintJob &job = {});

} // namespace ReportOutput
