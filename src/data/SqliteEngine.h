#pragma once

#include "Engine.h"
#include "Permissions.h"
#include "Workgroup.h"

#include <memory>

struct sqlite3;

// The embedded engine: a database file (".vdb") shared by the workstations, opened read-write
// in WAL mode with a busy timeout and foreign keys on, or read-only for an archive; plus the
// workgroup file (".vwg") that checks the user and decides, through an authorizer on the
// connection, which tables the user may change.
class SqliteEngine final : public Engine
{
public:
    SqliteEngine();
    ~SqliteEngine() override;

    SqlTarget target() const override { return SqlTarget::SQLite; }
    QVariant toEngine(const QVariant &value) const override;
    QVariant fromEngine(const QVariant &value, SchemaCatalog::ColumnType type) const override;

    std::vector<ColumnInfo> describeColumns(const QSqlQuery &executed) const override;
    QString sameValueCondition(const QString &quotedColumn, const QString &param,
                               bool isText) const override;

    Permissions::Access access() const { return m_access; }

    // Creates a new database file with its tables, indexes, saved queries and seed rows, and its
    // workgroup with one administrator. Refuses to overwrite either file; on failure removes
    // what it created.
    static void createDatabase(const QString &databasePath, const QString &workgroupPath,
                               const QString &adminName, const QString &adminPassword);

    // The statements that build an empty database, in order.
    static QStringList schemaStatements();

    // The raw handle of an open Qt SQLite connection.
    static sqlite3 *handleOf(const QSqlDatabase &db);

protected:
    void doOpen(const ConnectionInfo &info, const QString &user, const QString &password,
                Mode mode) override;
    void doClose() override;
    Catalog &doCatalog() override;
    QString doSavedQuerySql(const QString &name) override;
    DbError describeError(const QSqlError &error) const override;

private:
    static int authorize(void *self, int action, const char *a1, const char *a2, const char *db,
                         const char *trigger);

    std::unique_ptr<Workgroup> m_workgroup;
    Permissions::Access m_access = Permissions::Access::ReadOnly;
    QString m_lastRefusal;
};
