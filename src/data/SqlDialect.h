#pragma once

#include <QString>
#include <QStringList>

enum class SqlTarget { SQLite, PostgreSQL };

// Rewrites the Jet-dialect SQL the program is written in for the engine it runs on, one token
// for one token: "#mm-dd-yyyy hh:nn:ss#" date literals, double-quoted strings, "+" next to a
// string as concatenation, [bracketed] names, true/false, the difference of two date-time
// columns as real days. ":Name" parameters are kept for binding. Throws DbError on text it
// cannot read (an unterminated string, bracket or date literal, a malformed date).
class SqlDialect
{
public:
    static QString translate(const QString &jetSql, SqlTarget target);

    // The ":Name" parameters of a statement in order of first appearance, without the colon.
    // Colons inside strings, names and date literals are not parameters. Names differing only
    // in letter case count once, unless every spelling is asked for (the engine binds each).
    static QStringList parameterNames(const QString &jetSql, bool everySpelling = false);

    // A text as a single-quoted SQL string literal, quotes doubled.
    static QString quoteString(const QString &text);

    // A typed search text made safe for "LIKE '%...%'": quotes doubled, while '%' and '_' keep
    // their pattern meaning.
    static QString escapeLikeText(const QString &text);
};
