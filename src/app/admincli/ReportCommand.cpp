#include "ReportCommand.h"

#include "CsvExport.h"
#include "Engine.h"
#include "PdfExport.h"
#include "ReportDocument.h"
#include "ReportRun.h"

#include <QSqlQuery>

namespace ReportCommand {

QDateTime parseDateTime(const QString &text)
{
    const QDateTime value = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return value.isValid() ? value : QDateTime();
}

bool isListed(Engine &engine, const QString &key)
{
    // Read whole and compared here: the database compares text without regard to case.
    QSqlQuery q = engine.select(QStringLiteral("SELECT ReportName FROM tblReport"));
    while (q.next())
        if (q.value(0).toString() == key)
            return true;
    return false;
}

Written write(Engine &engine, const ReportDispatchEntry &entry,
              const ReportRunParameters &parameters, Format format, const QString &file)
{
    const std::unique_ptr<ReportDocument> document = ReportRun::prepare(
        entry, parameters,
        [&engine](const QString &className) { return createReportDocument(className, engine); });
    const RenderedReport report = document->render();
    if (format == Format::Pdf)
        ReportOutput::writePdf(report, file);
    else
        ReportOutput::writeCsv(report, file);
    return {report.pageCount(), int(report.csv().rows.size())};
}

} // namespace ReportCommand
