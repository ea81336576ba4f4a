#pragma once

#include <QString>
#include <QTime>
#include <QVariant>

// A call's turnaround is its resolved time less its input time, in days with the time of day
// as the fraction.

struct TurnaroundParts
{
    qint64 days = 0;   // cut toward zero
    QTime time;        // what is left, as a time of day (to the millisecond)
};

// Whole days and the time left over. The value is rounded to the millisecond first, the
// precision date-times are stored in, so 1.75 read back as 1.7499999999 is still 18:00.
// A negative value keeps its sign in the days; the time is the size of the remainder.
TurnaroundParts splitTurnaround(double days);

// "2 Days 18:00 hh:mm": the whole days, the remainder as hours and minutes (seconds dropped).
// Null, negative and non-numeric values show as 0 Days 00:00 hh:mm.
QString FormatTurnaround(const QVariant &days);
