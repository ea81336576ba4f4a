#pragma once

#include <QString>

// Where a connection goes: the provider (engine), the database and the user/group store.
struct ConnectionInfo
{
    QString provider;     // "SQLite" or "PostgreSQL"
    QString dataSource;   // SQLite: the database file; PostgreSQL: a libpq connection string
    QString systemDb;     // SQLite: the workgroup file
};

// The connection-description ("link") file: a data-link file whose content after its header is
// one initialisation string, "Provider=...;Data Source=...;Jet OLEDB:System database=...;".
namespace LinkFile {

inline constexpr const char *kSqliteProvider = "SQLite";
inline constexpr const char *kPostgresProvider = "PostgreSQL";

// Writes (or replaces) the file in the data-link format (UTF-16LE with a byte-order mark, the
// "[oledb]" header and its comment line, then the initialisation string); throws DbError when
// it cannot be written.
void write(const QString &path, const ConnectionInfo &info);

// Reads a file written by write() or by hand (UTF-8 or UTF-16 with a byte-order mark; lines
// starting with "[" or ";" are skipped). Throws DbError naming the file when it is missing or
// malformed.
ConnectionInfo read(const QString &path);

// The initialisation string alone, and its parser; values holding ";" or quotes are quoted.
QString initString(const ConnectionInfo &info);
ConnectionInfo parseInitString(const QString &text);   // throws DbError on malformed text

} // namespace LinkFile
