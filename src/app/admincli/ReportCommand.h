#pragma once

#include "ReportDispatch.h"

#include <QString>

class Engine;

// The report subcommand of vellomar-admin: one of the program's reports, chosen and selected as
// the Reports window does, written to a PDF or CSV file instead of the preview.
namespace ReportCommand {

enum class Format { Pdf, Csv };

// A date-time written "YYYY-MM-DD HH:MM:SS"; invalid when the text is not exactly that.
QDateTime parseDateTime(const QString &text);

// Whether tblReport has a row whose ReportName is the key, letter case counting.
bool isListed(Engine &engine, const QString &key);

struct Written
{
    int pages = 0;
    int rows = 0;       // printed detail rows, as the CSV holds them
};

// Runs the entry's report over the engine's database with the parameters and writes the file.
// Engine errors come as DbError, a file that cannot be written as ReportError.
Written write(Engine &engine, const ReportDispatchEntry &entry,
              const ReportRunParameters &parameters, Format format, const QString &file);

} // namespace ReportCommand
