#include "Turnaround.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;

} // namespace

TurnaroundParts splitTurnaround(double days)
{
    if (!std::isfinite(days))
        return {0, QTime(0, 0)};
    const qint64 ms = std::llround(days * double(kMsPerDay));
    return {ms / kMsPerDay, QTime(0, 0).addMSecs(int(std::llabs(ms % kMsPerDay)))};
}

QString FormatTurnaround(const QVariant &days)
{
    bool ok = false;
    double v = days.isNull() ? 0 : days.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0)
        v = 0;
    const TurnaroundParts parts = splitTurnaround(v);
    return QString::number(parts.days) + QStringLiteral(" Days ") +
           parts.time.toString(QStringLiteral("HH:mm")) + QStringLiteral(" hh:mm");
}
