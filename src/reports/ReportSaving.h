#pragma once

class RenderedReport;

// Saving a laid-out report to a file the user names through the Prompter's save dialog.
// A file that cannot be written raises a ReportError with the reason.
namespace ReportSaving {

// The printed detail rows as comma-separated values; false when no file was chosen.
bool saveAsCsv(const RenderedReport &report);
// The pages as a PDF document; false when no file was chosen.
bool saveAsPdf(const RenderedReport &report);

} // namespace ReportSaving
