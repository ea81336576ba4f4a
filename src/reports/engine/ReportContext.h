#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>

class Dataset;
class Field;
class RunningAggregates;

// What a band, a control or a group sees while the report prints: the current row of the data,
// the running aggregates, the page being filled and the moment the run started.
class ReportContext
{
public:
    ReportContext(Dataset &data, const RunningAggregates *aggregates, const QDateTime &runDateTime);

    Dataset &data() const { return m_data; }
    // False while a report without rows prints its bands.
    bool hasRow() const;

    // Fields of the current row; an unknown name raises a ReportError naming it.
    const Field &field(const QString &name) const;
    QVariant value(const QString &name) const;
    bool isNull(const QString &name) const;

    // The value of a running aggregate of the definition; an unknown name raises a ReportError.
    QVariant aggregate(const QString &name) const;

    int pageNumber() const { return m_page; }   // 1-based: the page being filled
    void setPageNumber(int page) { m_page = page; }
    QDateTime runDateTime() const { return m_runDateTime; }

private:
    Dataset &m_data;
    const RunningAggregates *m_aggregates;
    QDateTime m_runDateTime;
    int m_page = 1;
    mutable QHash<QString, const Field *> m_fields;
};

// Values and conditions that depend on the row being printed.
using ReportValue = std::function<QVariant(const ReportContext &)>;
using ReportCondition = std::function<bool(const ReportContext &)>;

// True when the field holds a value in the current row: a date control shown only then prints
// nothing for an empty date, decided afresh each time its band prints.
ReportCondition fieldNotNull(const QString &fieldName);
