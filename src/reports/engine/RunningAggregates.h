#pragma once

#include "ReportAggregate.h"

#include <QStringList>
#include <QVariant>
#include <vector>

// The current values of a definition's aggregates during one run.
class RunningAggregates
{
public:
    // groupNames: the definition's groups, outer first. An aggregate that restarts after a group
    // the definition does not have, or two aggregates of one name, raise a ReportError.
    RunningAggregates(const std::vector<ReportAggregate> &aggregates, const QStringList &groupNames);

    // One more row of the report.
    void addRow(const ReportContext &context);
    // The footer of the group (by its index in groupNames) has printed.
    void groupEnded(int groupIndex);

    // Count: a whole number. Sum: a number, 0 over no values. Minimum and maximum: a number, or
    // null when no value took part. An unknown name raises a ReportError.
    QVariant value(const QString &name) const;

private:
    struct Running
    {
        const ReportAggregate *definition;
        int resetGroup;     // -1: never
        qint64 count = 0;
        double sum = 0;
        double extreme = 0;
        bool hasValue = false;
        void restart();
    };
    std::vector<Running> m_running;
};
