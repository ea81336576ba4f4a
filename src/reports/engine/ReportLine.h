#pragma once

#include "ReportControl.h"

#include <QColor>
#include <QLineF>
#include <memory>

// A straight line, such as the rule under a page header.
class ReportLine final : public ReportControlOf<ReportLine>
{
public:
    static std::unique_ptr<ReportLine> create(const QPointF &from, const QPointF &to);

    QLineF line() const { return m_line; }
    QColor colour() const { return m_colour; }
    double width() const { return m_width; }

    ReportLine &setColour(const QColor &colour);
    ReportLine &setWidth(double points);

    PagePrimitive layOut(const ReportContext &context, TextMeasurer &measurer) const override;

private:
    explicit ReportLine(const QLineF &line);

    QLineF m_line;
    QColor m_colour = Qt::black;
    double m_width = 1;
};
