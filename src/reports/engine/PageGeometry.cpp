#include "PageGeometry.h"

namespace PageGeometry {

QSizeF paperSize(const QPageLayout &layout) { return layout.fullRect(QPageLayout::Point).size(); }

QMarginsF margins(const QPageLayout &layout)
{
    double perUnit = 1;
    switch (layout.units()) {
    case QPageLayout::Millimeter: perUnit = 72 / 25.4; break;
    case QPageLayout::Point: perUnit = 1; break;
    case QPageLayout::Inch: perUnit = 72; break;
    case QPageLayout::Pica: perUnit = 12; break;
    case QPageLayout::Didot: perUnit = 1.065826771; break;
    case QPageLayout::Cicero: perUnit = 12.789921252; break;
    }
    return layout.margins() * perUnit;
}

QRectF body(const QPageLayout &layout)
{
    const QSizeF paper = paperSize(layout);
    const QMarginsF m = margins(layout);
    return QRectF(QPointF(m.left(), m.top()), QPointF(paper.width() - m.right(), paper.height() - m.bottom()));
}

} // namespace PageGeometry
