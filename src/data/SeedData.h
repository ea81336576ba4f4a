#pragma once

#include <QString>
#include <QVariantList>
#include <vector>

// The rows a new database starts with: the categories and their values, urgency levels, system
// parameters and the list of reports.
namespace SeedData {

struct TableRows
{
    QString table;
    QStringList columns;
    std::vector<QVariantList> rows;
};

// In insertion order; keys of auto-numbered tables are left to the engine.
std::vector<TableRows> rows();

} // namespace SeedData
