#include "CallStatistics.h"

#include "ReportDefinition.h"
#include "ReportDesign.h"
#include "Turnaround.h"

namespace CallStatistics {
namespace {

constexpr double kLine = ReportDesign::kLineHeight + 2;

QVariant turnaroundOrZero(const ReportContext &context)
{
    const QVariant v = context.value(QStringLiteral("TurnAround"));
    return v.isNull() ? QVariant(0.0) : v;
}

// A resolved date that reads as empty text is no resolution.
QVariant isResolved(const ReportContext &context)
{
    return context.value(QStringLiteral("ResolvedDate")).toString().isEmpty() ? 0 : 1;
}

ReportValue formattedTurnaround(const QString &aggregateName)
{
    return [aggregateName](const ReportContext &context) {
        return QVariant(FormatTurnaround(context.aggregate(aggregateName)));
    };
}

} // namespace

void add(ReportDefinition &definition, ReportBand &band, const QString &maximumName,
         const QString &resetGroup)
{
    const QString total = QStringLiteral("TotalCallsExpr");
    const QString resolved = QStringLiteral("ResolvedCallsExpr");
    const QString minimum = QStringLiteral("MinExpr");
    for (ReportAggregate aggregate :
         {ReportAggregate::count(total), ReportAggregate::sum(resolved, isResolved),
          ReportAggregate::minimum(minimum, turnaroundOrZero),
          ReportAggregate::maximum(maximumName, turnaroundOrZero)}) {
        if (!resetGroup.isEmpty())
            aggregate.resetAfter(resetGroup);
        definition.addAggregate(std::move(aggregate));
    }

    const QFont value = ReportDesign::valueFont();
    const QFont caption = ReportDesign::captionFont();
    const double top = band.height() + 4;
    auto line = [&](int row) { return top + row * kLine; };
    band.addAggregate(total, {0, line(0), 120, kLine}).setFont(value);
    band.addLabel(QStringLiteral("Total Calls"), {130, line(0), 150, kLine}).setFont(caption);
    band.addAggregate(resolved, {0, line(1), 120, kLine}).setFormat(QStringLiteral("0")).setFont(value);
    band.addLabel(QStringLiteral("Resolved Calls"), {130, line(1), 150, kLine}).setFont(caption);
    band.addComputed(formattedTurnaround(minimum), {0, line(2), 120, kLine})
        .setName(QStringLiteral("MinTurnaroundQRLabel"))
        .setFont(value);
    band.addLabel(QStringLiteral("Min Turnaround"), {130, line(2), 150, kLine}).setFont(caption);
    band.addComputed(formattedTurnaround(maximumName), {0, line(3), 120, kLine})
        .setName(QStringLiteral("MaxTurnaroundQRLabel"))
        .setFont(value);
    band.addLabel(QStringLiteral("Max Turnaround"), {130, line(3), 150, kLine}).setFont(caption);
    band.setHeight(line(4) + 4);
}

} // namespace CallStatistics
