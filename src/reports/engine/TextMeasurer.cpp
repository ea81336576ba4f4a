#include "TextMeasurer.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace {

constexpr double kPointsPerDot = 72.0 / TextMeasurer::kReferenceDpi;

QImage referenceDevice()
{
    QImage image(1, 1, QImage::Format_ARGB32);
    const int dotsPerMetre = qRound(TextMeasurer::kReferenceDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

QString withoutTrailingBlanks(const QString &line)
{
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].isSpace())
        --end;
    return line.left(end);
}

} // namespace

TextMeasurer::TextMeasurer() : m_reference(referenceDevice()) {}

const TextMeasurer::Measures &TextMeasurer::measuresOf(const QFont &font)
{
    const QString key = font.key();
    auto it = m_measures.find(key);
    if (it == m_measures.end()) {
        QFont resolved(font, &m_reference);
        resolved.setHintingPreference(QFont::PreferNoHinting);
        const QFontMetricsF metrics(resolved, &m_reference);
        it = m_measures.insert(key, Measures{resolved, metrics.lineSpacing() * kPointsPerDot});
    }
    return *it;
}

double TextMeasurer::lineHeight(const QFont &font) { return measuresOf(font).lineHeight; }

double TextMeasurer::width(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics(measuresOf(font).font, &m_reference);
    return metrics.horizontalAdvance(text) * kPointsPerDot;
}

QStringList TextMeasurer::paragraphs(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t.split(u'\n');
}

QStringList TextMeasurer::wrap(const QString &text, const QFont &font, double width)
{
    const QFont &resolved = measuresOf(font).font;
    const double lineWidth = std::max(width, 1.0) / kPointsPerDot;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList lines;
    for (const QString &paragraph : paragraphs(text)) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, resolved, &m_reference);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(lineWidth);
            lines << withoutTrailingBlanks(paragraph.mid(line.textStart(), line.textLength()));
        }
        layout.endLayout();
    }
    return lines;
}
