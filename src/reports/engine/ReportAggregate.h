#pragma once

#include "ReportContext.h"

#include <QString>

// A figure worked out over the rows of a report: how many there were, or the sum, smallest or
// largest of an expression. Every row counts, whether or not a band prints it. The figure starts
// afresh after the footer of a chosen group prints, or runs over the whole report.
class ReportAggregate
{
public:
    enum class Kind { Count, Sum, Minimum, Maximum };

    static ReportAggregate count(const QString &name);
    // The expression's null values, and texts that are not numbers, take no part; a date-time
    // takes part as its number of days.
    static ReportAggregate sum(const QString &name, ReportValue expression);
    static ReportAggregate minimum(const QString &name, ReportValue expression);
    static ReportAggregate maximum(const QString &name, ReportValue expression);

    // Restart after this group's footer prints (at each break of the group).
    ReportAggregate &resetAfter(const QString &groupName);

    QString name() const { return m_name; }
    Kind kind() const { return m_kind; }
    const ReportValue &expression() const { return m_expression; }
    QString resetGroup() const { return m_resetGroup; }   // empty: never restarts

private:
    ReportAggregate(const QString &name, Kind kind, ReportValue expression);

    QString m_name;
    Kind m_kind;
    ReportValue m_expression;
    QString m_resetGroup;
};
