#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

// What a report asks before it runs.
enum class ReportParameter
{
    None,       // nothing: the clause is fixed
    Range,      // a date-time range of input dates (PromptDateTimeRange)
    CallId      // a call number (PromptCallID)
};

// One row of the dispatch table: the tblReport.ReportName it answers to, the definition it
// runs and how the selection clause appended to that definition's query is made.
struct ReportDispatchEntry
{
    QString key;            // tblReport.ReportName, compared exactly
    QString className;      // the report definition (createReportDocument)
    QString title;          // replaces the designed title; empty keeps it
    ReportParameter parameter = ReportParameter::None;
    QString lead;           // Range and CallId: the clause's start
    QString order;          // Range: the ORDER BY after the bounds; None: the whole clause
};

// The values a run asked for: the range with its two literals, or the call number.
struct ReportRunParameters
{
    QDateTime from;
    QDateTime to;
    QString fromLiteral;    // SqlDateTimeLiteral(from), blanks included
    QString toLiteral;
    int callId = 0;

    static ReportRunParameters range(const QDateTime &from, const QDateTime &to);
    static ReportRunParameters call(int callId);
};

namespace ReportDispatch {

// The fixed reports, in the order their keys are tried.
const std::vector<ReportDispatchEntry> &table();

// The first entry whose key equals the name exactly, letter case counting; nullptr for none.
const ReportDispatchEntry *find(const QString &reportName);

// lead + From literal + " AND tblCall.InputDate <= " + To literal + " " + order.
QString rangeClause(const ReportDispatchEntry &entry, const QString &fromLiteral,
                    const QString &toLiteral);
// lead + the number in plain decimal.
QString callClause(const ReportDispatchEntry &entry, int callId);
// The clause of a run, by the entry's parameter.
QString clause(const ReportDispatchEntry &entry, const ReportRunParameters &parameters);

} // namespace ReportDispatch
