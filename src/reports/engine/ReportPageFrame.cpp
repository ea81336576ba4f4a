#include "ReportPageFrame.h"

#include "ReportDefinition.h"
#include "ReportLine.h"
#include "ReportText.h"

namespace ReportPageFrame {
namespace {

QFont frameFont(double points, bool bold)
{
    QFont font = ReportText::defaultFont();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

struct FrameLayout
{
    double captionsTop;   // below the title lines
    double bodyTop;       // below the rule
};

FrameLayout addFrame(ReportDefinition &definition, const QString &title, RangeLine rangeLine,
                     double captionsHeight)
{
    const double width = definition.body().width();
    ReportBand &header = definition.pageHeader();
    header.addLabel(QStringLiteral("Vellomar"), {width - 150, 0, 150, 14})
        .setAlignment(Qt::AlignRight | Qt::AlignTop)
        .setFont(frameFont(10, true));
    header.addLabel(title, {0, 14, width, 26}).setName(QStringLiteral("TitleLabel")).setFont(frameFont(18, true));
    double y = 44;
    if (rangeLine == RangeLine::With) {
        const QFont bold = frameFont(10, true);
        header.addLabel(QStringLiteral("Date Range:"), {0, y, 75, 14}).setFont(bold);
        header.addLabel(QString(), {80, y, 120, 14}).setName(QStringLiteral("FromLabel"));
        header.addLabel(QStringLiteral("To"), {205, y, 20, 14}).setFont(bold);
        header.addLabel(QString(), {230, y, 120, 14}).setName(QStringLiteral("ToLabel"));
        y += 18;
    }
    const double captionsTop = y;
    if (captionsHeight > 0)
        y += captionsHeight + 2;
    header.addLine({0, y}, {width, y}).setColour(Qt::red).setWidth(1.5);
    y += 6;
    header.setHeight(std::max(header.height(), y));

    ReportBand &footer = definition.pageFooter();
    const QFont small = frameFont(8, false);
    footer.setHeight(std::max(footer.height(), 16.0));
    footer.addLabel(QStringLiteral("Produced By Vellomar"), {0, 4, 200, 12}).setFont(small);
    footer.addPageNumber({width / 2 - 50, 4, 100, 12})
        .setAlignment(Qt::AlignHCenter | Qt::AlignTop)
        .setFont(small);
    footer.addRunDateTime({width - 150, 4, 150, 12})
        .setAlignment(Qt::AlignRight | Qt::AlignTop)
        .setFont(small);
    return {captionsTop, y};
}

} // namespace

double add(ReportDefinition &definition, const QString &title, RangeLine rangeLine)
{
    return addFrame(definition, title, rangeLine, 0).bodyTop;
}

double addWithCaptions(ReportDefinition &definition, const QString &title, RangeLine rangeLine,
                       double captionsHeight)
{
    return addFrame(definition, title, rangeLine, captionsHeight).captionsTop;
}

} // namespace ReportPageFrame
