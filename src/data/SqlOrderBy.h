#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// The outer ORDER BY of a statement in the engine's dialect, read as far as the datasets need it
// to page through a result and to find a row's position in it.
namespace SqlOrderBy {

// Where the last ORDER BY outside parentheses and quotes begins, and where its terms begin.
struct Clause
{
    qsizetype start = 0;
    qsizetype terms = 0;
};
std::optional<Clause> findOuter(const QString &sql);

// The statement without that ORDER BY (for counting), or the statement itself when it has none.
QString withoutOuter(const QString &sql);

// One ORDER BY term that names a column: "DueDate", "tblCall"."DueDate" DESC.
struct Column
{
    QString table;      // empty when not qualified
    QString column;
    bool descending = false;
};
// The terms, when every one of them names a column, bare or in double quotes, optionally with
// ASC or DESC; nullopt for anything else (an expression, a position, COLLATE, NULLS FIRST).
std::optional<std::vector<Column>> columns(QStringView terms);

} // namespace SqlOrderBy
