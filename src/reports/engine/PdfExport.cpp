#include "PdfExport.h"

#include "PagePainter.h"
#include "ReportError.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

namespace ReportOutput {

void writePdf(const RenderedReport &report, const QString &fileName)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    QPdfWriter writer(fileName);
    writer.setTitle(report.title());
    writer.setCreator(QStringLiteral("Vellomar"));
    QPageLayout layout = report.pageLayout();
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF());
    writer.setPageLayout(layout);

    QPainter painter;
    if (!painter.begin(&writer))
        throw ReportError(QStringLiteral("The PDF file %1 cannot be written.").arg(shown));
    for (int i = 0; i < report.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        PagePainter::scaleToPoints(painter);
        PagePainter::paintPage(painter, report.page(i));
        painter.restore();
    }
    if (!painter.end())
        throw ReportError(QStringLiteral("The PDF file %1 could not be completed.").arg(shown));
    if (QFileInfo(fileName).size() <= 0)
        throw ReportError(QStringLiteral("The PDF file %1 cannot be written.").arg(shown));
}

} // namespace ReportOutput
