#include "CsvExport.h"

#include "ReportError.h"

#include <QDir>
#include <QSaveFile>

namespace ReportOutput {
namespace {

QString csvField(const QString &value)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : value)
        if (special.contains(c)) {
            quote = true;
            break;
        }
    if (!quote)
        return value;
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void appendLine(QString &out, const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += u',';
        out += csvField(fields[i]);
    }
    out += QStringLiteral("\r\n");
}

} // namespace

QString csvText(const RenderedReport &report)
{
    const CsvTable &csv = report.csv();
    QString out;
    if (csv.captions.isEmpty())
        return out;
    appendLine(out, csv.captions);
    for (const QStringList &row : csv.rows)
        appendLine(out, row);
    return out;
}

void writeCsv(const RenderedReport &report, const QString &fileName)
{
    QSaveFile file(fileName);
    auto fail = [&] {
        return ReportError(QStringLiteral("The file %1 cannot be written: %2")
                               .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw fail();
    const QByteArray bytes = csvText(report).toUtf8();
    if (file.write(bytes) != bytes.size())
        throw fail();
    if (!file.commit())
        throw fail();
}

} // namespace ReportOutput
