#pragma once

#include <QSize>
#include <QSizeF>

// The zoom of the report preview: 1.0 shows a page at its printed size on the screen.
namespace PreviewZoom {

constexpr double kMinimum = 0.1;
constexpr double kMaximum = 8.0;

// The zoom at which a page of that size (points) fills the viewport's width / fits in it whole
// (pixels at dotsPerInch), leaving margin pixels around the sheet.
double fitWidth(const QSizeF &pagePoints, const QSize &viewport, double dotsPerInch, int margin);
double fitPage(const QSizeF &pagePoints, const QSize &viewport, double dotsPerInch, int margin);

// The next step up or down the ladder 25%, 50%, 75%, 100%, 125%, 150%, 200%, 300%, 400%, 800%;
// from a zoom between two steps, the nearer step in that direction.
double zoomIn(double zoom);
double zoomOut(double zoom);

double clamp(double zoom);

} // namespace PreviewZoom
