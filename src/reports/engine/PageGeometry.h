#pragma once

#include <QPageLayout>
#include <QRectF>

// Where a report prints on its paper, in points.
namespace PageGeometry {

// The paper as devices take it: QPageLayout's point size, turned by the orientation.
QSizeF paperSize(const QPageLayout &layout);
// The margins as the layout holds them, without QPageLayout's rounding to whole points.
QMarginsF margins(const QPageLayout &layout);
// The area inside the margins.
QRectF body(const QPageLayout &layout);

} // namespace PageGeometry
