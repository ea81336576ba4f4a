#include "PreviewZoom.h"

#include <algorithm>
#include <array>

namespace PreviewZoom {
namespace {

constexpr std::array kSteps{0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 8.0};
constexpr double kSlack = 1e-6;

double pixels(double points, double dotsPerInch) { return points * dotsPerInch / 72.0; }

} // namespace

double clamp(double zoom) { return std::clamp(zoom, kMinimum, kMaximum); }

double fitWidth(const QSizeF &pagePoints, const QSize &viewport, double dotsPerInch, int margin)
{
    const double page = pixels(pagePoints.width(), dotsPerInch);
    if (page <= 0)
        return 1.0;
    return clamp((viewport.width() - 2.0 * margin) / page);
}

double fitPage(const QSizeF &pagePoints, const QSize &viewport, double dotsPerInch, int margin)
{
    const double w = pixels(pagePoints.width(), dotsPerInch);
    const double h = pixels(pagePoints.height(), dotsPerInch);
    if (w <= 0 || h <= 0)
        return 1.0;
    return clamp(std::min((viewport.width() - 2.0 * margin) / w,
                          (viewport.height() - 2.0 * margin) / h));
}

double zoomIn(double zoom)
{
    for (double step : kSteps)
        if (step > zoom + kSlack)
            return step;
    return clamp(zoom);
}

double zoomOut(double zoom)
{
    for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it)
        if (*it < zoom - kSlack)
            return *it;
    return clamp(std::min(zoom, kSteps.front()));
}

} // namespace PreviewZoom
