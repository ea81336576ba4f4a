#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

// Small helpers over Qt SQL that turn every failure into a DbError with the engine's own text.
namespace SqlExec {

// A connection name no other connection of the process uses.
QString uniqueConnectionName(const QString &prefix);

// The engine's message of an error, falling back to Qt's when the engine gave none.
QString engineText(const QSqlError &error);

// Prepares and runs a statement in the engine's own dialect with positional values.
QSqlQuery run(const QSqlDatabase &db, const QString &sql, const QVariantList &values = {});

// Removes a connection from Qt's registry once nothing refers to it.
void removeConnection(const QString &name);

} // namespace SqlExec
