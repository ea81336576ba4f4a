#pragma once

#include "RenderedReport.h"

#include <QString>

namespace ReportOutput {

// Writes the report as a PDF file, one PDF page per report page on paper of the report's size.
// Raises a ReportError when the file cannot be written.
void writePdf(const RenderedReport &report, const QString &fileName);

} // namespace ReportOutput
