#pragma once

#include <QDateTime>
#include <QString>

// A date-time as a literal of the program's SQL dialect, with one blank on each side so that it
// can be pasted straight into a statement: " #07-31-2000 13:36:05# ". Month first, 24-hour
// clock, whole seconds; the separators are fixed and never follow the locale.
QString SqlDateTimeLiteral(const QDateTime &value);
