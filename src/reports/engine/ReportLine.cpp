#include "ReportLine.h"

ReportLine::ReportLine(const QLineF &line)
    : ReportControlOf<ReportLine>(QRectF(line.p1(), line.p2()).normalized()), m_line(line)
{
}

std::unique_ptr<ReportLine> ReportLine::create(const QPointF &from, const QPointF &to)
{
    return std::unique_ptr<ReportLine>(new ReportLine(QLineF(from, to)));
}

ReportLine &ReportLine::setColour(const QColor &colour)
{
    m_colour = colour;
    return *this;
}

ReportLine &ReportLine::setWidth(double points)
{
    m_width = points;
    return *this;
}

PagePrimitive ReportLine::layOut(const ReportContext &, TextMeasurer &) const
{
    // The line follows its box, should a definition have moved it with setRect().
    const QPointF shift = m_rect.topLeft() - QRectF(m_line.p1(), m_line.p2()).normalized().topLeft();
    return LineItem{m_line.translated(shift), m_colour, m_width};
}
