#pragma once

#include "ReportControl.h"

#include <QColor>
#include <memory>

// A rectangle, outlined, filled or both.
class ReportShape final : public ReportControlOf<ReportShape>
{
public:
    static std::unique_ptr<ReportShape> rectangle(const QRectF &rect);

    QColor lineColour() const { return m_lineColour; }
    double lineWidth() const { return m_lineWidth; }
    QColor fill() const { return m_fill; }

    // An invalid colour leaves out the outline or the fill.
    ReportShape &setLineColour(const QColor &colour);
    ReportShape &setLineWidth(double points);
    ReportShape &setFill(const QColor &colour);

    PagePrimitive layOut(const ReportContext &context, TextMeasurer &measurer) const override;

private:
    explicit ReportShape(const QRectF &rect) : ReportControlOf<ReportShape>(rect) {}

    QColor m_lineColour = Qt::black;
    double m_lineWidth = 1;
    QColor m_fill;
};
