#include "RunningAggregates.h"

#include "DateTimeText.h"
#include "ReportError.h"

#include <QDateTime>
#include <optional>

namespace {

std::optional<double> numberOf(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::QDateTime)
        return DateTimeText::toDays(value.toDateTime());
    if (value.typeId() == QMetaType::QDate)
        return DateTimeText::toDays(value.toDate().startOfDay());
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

} // namespace

void RunningAggregates::Running::restart()
{
    count = 0;
    sum = 0;
    extreme = 0;
    hasValue = false;
}

RunningAggregates::RunningAggregates(const std::vector<ReportAggregate> &aggregates,
                                     const QStringList &groupNames)
{
    m_running.reserve(aggregates.size());
    for (const ReportAggregate &a : aggregates) {
        for (const Running &r : m_running)
            if (r.definition->name().compare(a.name(), Qt::CaseInsensitive) == 0)
                throw ReportError(QStringLiteral("The report has two aggregates named %1.").arg(a.name()));
        int group = -1;
        if (!a.resetGroup().isEmpty()) {
            group = int(groupNames.indexOf(a.resetGroup()));
            if (group < 0)
                throw ReportError(QStringLiteral("The aggregate %1 restarts after the group %2, which the "
                                                 "report does not have.")
                                      .arg(a.name(), a.resetGroup()));
        }
        m_running.push_back({&a, group});
    }
}

void RunningAggregates::addRow(const ReportContext &context)
{
    for (Running &r : m_running) {
        ++r.count;
        const auto &expression = r.definition->expression();
        if (!expression)
            continue;
        const std::optional<double> v = numberOf(expression(context));
        if (!v)
            continue;
        r.sum += *v;
        switch (r.definition->kind()) {
        case ReportAggregate::Kind::Minimum:
            r.extreme = r.hasValue ? std::min(r.extreme, *v) : *v;
            break;
        case ReportAggregate::Kind::Maximum:
            r.extreme = r.hasValue ? std::max(r.extreme, *v) : *v;
            break;
        default:
            break;
        }
        r.hasValue = true;
    }
}

void RunningAggregates::groupEnded(int groupIndex)
{
    for (Running &r : m_running)
        if (r.resetGroup == groupIndex)
            r.restart();
}

QVariant RunningAggregates::value(const QString &name) const
{
    for (const Running &r : m_running) {
        if (r.definition->name().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        switch (r.definition->kind()) {
        case ReportAggregate::Kind::Count:
            return QVariant(r.count);
        case ReportAggregate::Kind::Sum:
            return QVariant(r.sum);
        case ReportAggregate::Kind::Minimum:
        case ReportAggregate::Kind::Maximum:
            return r.hasValue ? QVariant(r.extreme) : QVariant();
        }
    }
    throw ReportError(QStringLiteral("The report has no aggregate named %1.").arg(name));
}
