#pragma once

#include "RenderedReport.h"

#include <QString>

namespace ReportOutput {

// The report's printed detail rows as comma-separated values: a line of captions, then one line
// per row, each line ended by CR LF. A field holding a comma, a double quote, a CR or an LF is
// put in double quotes, its double quotes doubled.
QString csvText(const RenderedReport &report);

// csvText() written as UTF-8. Raises a ReportError when the file cannot be written; a file
// that existed stays as it was.
void writeCsv(const RenderedReport &report, const QString &fileName);

} // namespace ReportOutput
