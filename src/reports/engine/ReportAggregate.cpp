#include "ReportAggregate.h"

ReportAggregate::ReportAggregate(const QString &name, Kind kind, ReportValue expression)
    : m_name(name), m_kind(kind), m_expression(std::move(expression))
{
}

ReportAggregate ReportAggregate::count(const QString &name) { return {name, Kind::Count, {}}; }

ReportAggregate ReportAggregate::sum(const QString &name, ReportValue expression)
{
    return {name, Kind::Sum, std::move(expression)};
}

ReportAggregate ReportAggregate::minimum(const QString &name, ReportValue expression)
{
    return {name, Kind::Minimum, std::move(expression)};
}

ReportAggregate ReportAggregate::maximum(const QString &name, ReportValue expression)
{
    return {name, Kind::Maximum, std::move(expression)};
}

ReportAggregate &ReportAggregate::resetAfter(const QString &groupName)
{
    m_resetGroup = groupName;
    return *this;
}
