#pragma once

#include <QColor>
#include <QDateTime>
#include <vector>

class Dataset;

// One urgency level as the calls and actions grids colour by it.
struct UrgencyLevel
{
    double thresholdDays = 0;   // a level without a threshold counts as minus infinity
    QColor colour;
};

// What the urgency cell of a call or action shows.
struct UrgencyMark
{
    enum class Kind {
        Empty,      // no due date: the grid paints the cell as any other
        Closed,     // the closed picture
        Overdue,    // the overdue picture: due now or earlier
        Colour      // the cell filled with colour
    };
    Kind kind = Kind::Empty;
    QColor colour;              // for Kind::Colour

    bool operator==(const UrgencyMark &) const = default;
};

// The mark of a row: closed rows show the closed picture whatever their due date; a row
// without a due date (null, or day zero of the date arithmetic) shows nothing; a row due now or
// overdue shows the overdue picture. Otherwise, with D the days left, the colour of the first
// level in ascending threshold order whose threshold is strictly greater than D, or, when none
// is, the colour of the largest threshold; with no levels at all, the grids' cream.
// The levels may come in any order; levels with equal thresholds keep their given order.
UrgencyMark urgencyMarkFor(bool closed, const QDateTime &due, const QDateTime &now,
                           const std::vector<UrgencyLevel> &levels);

// The levels held by an open urgency table (ThresholdTime, Color as 0x00BBGGRR), read from the
// rows it holds without moving its cursor and without going to the database again.
std::vector<UrgencyLevel> urgencyLevelsOf(Dataset &urgencyTable);
