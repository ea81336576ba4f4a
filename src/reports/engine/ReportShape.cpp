#include "ReportShape.h"

std::unique_ptr<ReportShape> ReportShape::rectangle(const QRectF &rect)
{
    return std::unique_ptr<ReportShape>(new ReportShape(rect));
}

ReportShape &ReportShape::setLineColour(const QColor &colour)
{
    m_lineColour = colour;
    return *this;
}

ReportShape &ReportShape::setLineWidth(double points)
{
    m_lineWidth = points;
    return *this;
}

ReportShape &ReportShape::setFill(const QColor &colour)
{
    m_fill = colour;
    return *this;
}

PagePrimitive ReportShape::layOut(const ReportContext &, TextMeasurer &) const
{
    return RectItem{m_rect, m_lineColour, m_lineWidth, m_fill};
}
