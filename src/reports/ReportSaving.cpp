#include "ReportSaving.h"

#include "CsvExport.h"
#include "PdfExport.h"
#include "Prompter.h"
#include "RenderedReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The report's title as a file name in the user's documents folder, offered in the dialog.
QString suggestedFile(const RenderedReport &report, const QString &suffix)
{
    QString name = report.title().trimmed();
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|]+)"));
    name.replace(unsafe, QStringLiteral(" "));
    if (name.isEmpty())
        name = QStringLiteral("Report");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + u'.' + suffix);
}

QString tr(const char *text) { return QCoreApplication::translate("ReportSaving", text); }

} // namespace

namespace ReportSaving {

bool saveAsCsv(const RenderedReport &report)
{
    const QString file = Prompter::instance().saveFileName(
        tr("Save as CSV"), suggestedFile(report, QStringLiteral("csv")),
        tr("Comma-separated Values (*.csv);;All Files (*)"), QStringLiteral("csv"));
    if (file.isEmpty())
        return false;
    ReportOutput::writeCsv(report, file);
    return true;
}

bool saveAsPdf(const RenderedReport &report)
{
    const QString file = Prompter::instance().saveFileName(
        tr("Save as PDF"), suggestedFile(report, QStringLiteral("pdf")),
        tr("PDF Documents (*.pdf);;All Files (*)"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return false;
    ReportOutput::writePdf(report, file);
    return true;
}

} // namespace ReportSaving
