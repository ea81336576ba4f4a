#include "UrgencyColour.h"

#include "ControlColors.h"
#include "Dataset.h"
#include "DateTimeText.h"

#include <limits>

UrgencyMark urgencyMarkFor(bool closed, const QDateTime &due, const QDateTime &now,
                           const std::vector<UrgencyLevel> &levels)
{
    if (closed)
        return {UrgencyMark::Kind::Closed, {}};
    if (!due.isValid())
        return {};
    const double dueDays = DateTimeText::toDays(due);
    if (dueDays == 0)
        return {};
    // Days as wall-clock date arithmetic does them, so a day across a clock change is a day.
    const double left = dueDays - DateTimeText::toDays(now);
    if (left <= 0)
        return {UrgencyMark::Kind::Overdue, {}};
    if (levels.empty())
        return {UrgencyMark::Kind::Colour, ControlColors::kCream};

    // One pass instead of a sort: the smallest threshold above the time left (the first of equal
    // ones), else the largest threshold (the last of equal ones), as a walk in stable ascending
    // order would find them.
    const UrgencyLevel *above = nullptr;
    const UrgencyLevel *largest = nullptr;
    for (const UrgencyLevel &level : levels) {
        if (level.thresholdDays > left && (!above || level.thresholdDays < above->thresholdDays))
            above = &level;
        if (!largest || level.thresholdDays >= largest->thresholdDays)
            largest = &level;
    }
    return {UrgencyMark::Kind::Colour, (above ? above : largest)->colour};
}

std::vector<UrgencyLevel> urgencyLevelsOf(Dataset &urgencyTable)
{
    std::vector<UrgencyLevel> levels;
    if (!urgencyTable.isActive())
        return levels;
    const Field &threshold = urgencyTable.field(QStringLiteral("ThresholdTime"));
    const Field &colour = urgencyTable.field(QStringLiteral("Color"));
    const int rows = urgencyTable.recordCount();
    levels.reserve(size_t(rows));
    for (int row = 0; row < rows; ++row) {
        const QVariant t = urgencyTable.valueAt(row, threshold);
        const QVariant c = urgencyTable.valueAt(row, colour);
        levels.push_back({t.isNull() ? -std::numeric_limits<double>::infinity() : t.toDouble(),
                          ControlColors::fromBgr(c.toLongLong())});
    }
    return levels;
}
