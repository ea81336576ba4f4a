#include "SqlExec.h"

#include "DbError.h"

#include <atomic>

namespace SqlExec {

QString uniqueConnectionName(const QString &prefix)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("%1-%2").arg(prefix).arg(++counter);
}

QString engineText(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    if (!db.isEmpty())
        return db;
    const QString driver = error.driverText().trimmed();
    return driver.isEmpty() ? error.text() : driver;
}

QSqlQuery run(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(engineText(q.lastError()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        throw DbError(engineText(q.lastError()));
    return q;
}

void removeConnection(const QString &name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace SqlExec
