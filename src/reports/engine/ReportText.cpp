#include "ReportText.h"

#include "Field.h"
#include "ReportValueFormat.h"
#include "TextMeasurer.h"

ReportText::ReportText(Source source, const QString &text, const QRectF &rect)
    : ReportControlOf<ReportText>(rect), m_source(source), m_text(text)
{
}

std::unique_ptr<ReportText> ReportText::label(const QString &text, const QRectF &rect)
{
    return std::unique_ptr<ReportText>(new ReportText(Source::Label, text, rect));
}

std::unique_ptr<ReportText> ReportText::field(const QString &fieldName, const QRectF &rect)
{
    return std::unique_ptr<ReportText>(new ReportText(Source::Field, fieldName, rect));
}

std::unique_ptr<ReportText> ReportText::memo(const QString &fieldName, const QRectF &rect)
{
    auto text = field(fieldName, rect);
    text->setGrows(true);
    return text;
}

std::unique_ptr<ReportText> ReportText::computed(ReportValue value, const QRectF &rect)
{
    std::unique_ptr<ReportText> text(new ReportText(Source::Computed, QString(), rect));
    text->m_compute = std::move(value);
    return text;
}

std::unique_ptr<ReportText> ReportText::aggregate(const QString &aggregateName, const QRectF &rect)
{
    return std::unique_ptr<ReportText>(new ReportText(Source::Aggregate, aggregateName, rect));
}

std::unique_ptr<ReportText> ReportText::pageNumber(const QRectF &rect, const QString &pattern)
{
    return std::unique_ptr<ReportText>(new ReportText(Source::PageNumber, pattern, rect));
}

std::unique_ptr<ReportText> ReportText::runDateTime(const QRectF &rect, const QString &format)
{
    std::unique_ptr<ReportText> text(new ReportText(Source::RunDateTime, QString(), rect));
    text->m_format = format;
    return text;
}

QFont ReportText::defaultFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    return font;
}

ReportText &ReportText::setText(const QString &text)
{
    m_text = text;
    return *this;
}

ReportText &ReportText::setFormat(const QString &format)
{
    m_format = format;
    return *this;
}

ReportText &ReportText::setFont(const QFont &font)
{
    m_font = font;
    if (m_font.pointSizeF() <= 0 && m_font.pixelSize() > 0)
        m_font.setPointSizeF(m_font.pixelSize());
    return *this;
}

ReportText &ReportText::setColour(const QColor &colour)
{
    m_colour = colour;
    return *this;
}

ReportText &ReportText::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    return *this;
}

ReportText &ReportText::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    return *this;
}

ReportText &ReportText::setGrows(bool grows)
{
    m_grows = grows;
    return *this;
}

QString ReportText::textFor(const ReportContext &context) const
{
    switch (m_source) {
    case Source::Label:
        return m_text;
    case Source::Field: {
        const Field &f = context.field(m_text);
        return m_format.isEmpty() ? f.displayText() : ReportValueFormat::format(f.value(), m_format);
    }
    case Source::Computed:
        return m_compute ? ReportValueFormat::format(m_compute(context), m_format) : QString();
    case Source::Aggregate:
        return ReportValueFormat::format(context.aggregate(m_text), m_format);
    case Source::PageNumber:
        return pageText(context.pageNumber(), 0);
    case Source::RunDateTime:
        return ReportValueFormat::formatDateTime(context.runDateTime(), m_format);
    }
    return {};
}

QString ReportText::pageText(int page, int pageCount) const
{
    QString text = m_text;
    text.replace(QStringLiteral("%1"), QString::number(page));
    text.replace(QStringLiteral("%2"), pageCount > 0 ? QString::number(pageCount) : QString());
    return text;
}

TextItem ReportText::layOutText(const QString &text, TextMeasurer &measurer) const
{
    TextItem item;
    item.box = m_rect;
    item.text = text;
    item.font = m_font;
    item.colour = m_colour;
    item.alignment = m_alignment;
    item.lineHeight = measurer.lineHeight(m_font);
    item.lines = wordWrap() ? measurer.wrap(text, m_font, m_rect.width()) : TextMeasurer::paragraphs(text);
    if (m_grows)
        item.box.setHeight(std::max(m_rect.height(), item.lineHeight * double(item.lines.size())));
    return item;
}

PagePrimitive ReportText::layOut(const ReportContext &context, TextMeasurer &measurer) const
{
    return layOutText(textFor(context), measurer);
}
