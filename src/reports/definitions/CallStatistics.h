#pragma once

#include <QString>

class ReportBand;
class ReportDefinition;

// The four figures of the statistics reports over a scope of calls (the whole report, or one
// month): the number of calls, the number resolved, and the shortest and longest turnaround,
// a call without a resolved date taking part as 0. Each figure prints on a line of its own,
// the value at the left and its caption to the right.
namespace CallStatistics {

// The figures restart after the footer of resetGroup prints; an empty name runs them over the
// whole report. maximumName names the aggregate of the longest turnaround.
void add(ReportDefinition &definition, ReportBand &band, const QString &maximumName,
         const QString &resetGroup = QString());

} // namespace CallStatistics
