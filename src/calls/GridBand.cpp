#include "GridBand.h"

#include <cmath>

QList<GridBand::Placed> GridBand::place(const QRect &twoLines) const
{
    QList<Placed> placed;
    const bool oneLine = lines[1].isEmpty();
    const int topHeight = oneLine ? twoLines.height() : twoLines.height() / 2;
    for (int line = 0; line < 2; ++line) {
        const QList<BandColumn> &columns = lines[size_t(line)];
        if (columns.isEmpty())
            continue;
        const int top = line == 0 ? twoLines.top() : twoLines.top() + topHeight;
        const int height = line == 0 ? topHeight : twoLines.height() - topHeight;
        double total = 0;
        for (const BandColumn &c : columns)
            total += qMax(c.width, 0);
        const bool equal = total <= 0;
        if (equal)
            total = double(columns.size());
        double before = 0;
        for (int i = 0; i < columns.size(); ++i) {
            const double share = equal ? 1.0 : qMax(columns[i].width, 0);
            const int left = twoLines.left()
                             + int(std::lround(before * twoLines.width() / total));
            before += share;
            const bool last = i == columns.size() - 1;
            const int right = last ? twoLines.left() + twoLines.width()
                                   : twoLines.left()
                                         + int(std::lround(before * twoLines.width() / total));
            placed.append({line, int(i), QRect(left, top, right - left, height), oneLine, last});
        }
    }
    return placed;
}

bool GridBand::hasColumn(const QString &name) const
{
    for (const auto &line : lines)
        for (const BandColumn &c : line)
            if (c.name == name)
                return true;
    return false;
}
