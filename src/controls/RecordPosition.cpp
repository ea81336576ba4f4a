#include "RecordPosition.h"

#include "Dataset.h"

#include <QCoreApplication>

QString recordPositionText(const Dataset &dataset)
{
    if (dataset.state() == Dataset::State::Insert)
        return QCoreApplication::translate("RecordPosition", "Adding");
    if (!dataset.isActive() || dataset.isEmpty())
        return QCoreApplication::translate("RecordPosition", "None");
    return QStringLiteral("%1/%2").arg(dataset.recNo()).arg(dataset.recordCount());
}
