#include "ReportContext.h"

#include "Dataset.h"
#include "ReportError.h"
#include "RunningAggregates.h"

ReportContext::ReportContext(Dataset &data, const RunningAggregates *aggregates,
                             const QDateTime &runDateTime)
    : m_data(data), m_aggregates(aggregates), m_runDateTime(runDateTime)
{
}

bool ReportContext::hasRow() const { return !m_data.isEmpty(); }

const Field &ReportContext::field(const QString &name) const
{
    auto it = m_fields.constFind(name);
    if (it != m_fields.constEnd())
        return **it;
    const Field *f = m_data.findField(name);
    if (!f)
        throw ReportError(QStringLiteral("The report uses the field %1, which its data does not have.")
                              .arg(name));
    m_fields.insert(name, f);
    return *f;
}

QVariant ReportContext::value(const QString &name) const { return field(name).value(); }

bool ReportContext::isNull(const QString &name) const { return field(name).isNull(); }

QVariant ReportContext::aggregate(const QString &name) const
{
    if (!m_aggregates)
        throw ReportError(QStringLiteral("The report has no aggregate named %1.").arg(name));
    return m_aggregates->value(name);
}

ReportCondition fieldNotNull(const QString &fieldName)
{
    return [fieldName](const ReportContext &context) { return !context.isNull(fieldName); };
}
