#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The tables of the call-logging database: one description that the creation script of every
// engine, the SQL translator and the datasets read, so that column types and sizes live in one
// place.
namespace SchemaCatalog {

enum class ColumnType { AutoNumber, Long, Short, Word, Text, Memo, DateTime, YesNo, Double };

struct Column
{
    const char *name;
    ColumnType type;
    int size = 0;                      // characters, for Text
    const char *refersTo = nullptr;    // "tblPerson.PersonID" for a foreign key
    bool primaryKey = false;
    bool unique = false;
};

struct Index
{
    const char *name;
    const char *columns;               // comma-separated
};

struct Table
{
    const char *name;
    std::vector<Column> columns;
    std::vector<Index> indexes;
};

const std::vector<Table> &tables();
const Table *findTable(const QString &name);                 // case-insensitive
std::optional<Column> findColumn(const QString &table, const QString &column);

// True when some table has a date-time column of that name (case-insensitive).
bool isDateTimeColumn(const QString &column);

// The saved parameter query of the database, written in the program's SQL dialect.
struct SavedQuery
{
    const char *name;
    const char *sql;
};
const std::vector<SavedQuery> &savedQueries();

} // namespace SchemaCatalog
