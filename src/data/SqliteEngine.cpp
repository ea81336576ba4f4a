#include "SqliteEngine.h"

#include "DateTimeText.h"
#include "SeedData.h"
#include "SqlExec.h"
#include "SqliteFunctions.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlResult>
#include <sqlite3.h>

namespace {

const char kSavedQueryTable[] = "vellomarSavedQuery";

QString columnDefinition(const SchemaCatalog::Table &table, const SchemaCatalog::Column &c)
{
    using T = SchemaCatalog::ColumnType;
    const QString name = QString::fromLatin1(c.name);
    QString def = u'"' + name + QStringLiteral("\" ");
    switch (c.type) {
    case T::AutoNumber:
        def += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        break;
    case T::Long:
        def += QStringLiteral("INTEGER");
        if (c.primaryKey)
            def += QStringLiteral(" PRIMARY KEY");
        break;
    case T::Short:
        def += QStringLiteral("SMALLINT CHECK (\"%1\" BETWEEN -32768 AND 32767)").arg(name);
        break;
    case T::Word:
        def += QStringLiteral("INTEGER CHECK (\"%1\" BETWEEN 0 AND 65535)").arg(name);
        break;
    case T::Text:
        def += QStringLiteral("VARCHAR(%1) COLLATE %2 CONSTRAINT \"%3.%4 holds at most %1 "
                              "characters\" CHECK (length(\"%4\") <= %1)")
                   .arg(c.size).arg(QLatin1String(SqliteFunctions::kCollation),
                                    QLatin1String(table.name), name);
        break;
    case T::Memo:
        def += QStringLiteral("TEXT COLLATE %1").arg(QLatin1String(SqliteFunctions::kCollation));
        break;
    case T::DateTime:
        def += QStringLiteral("DATETIME");
        break;
    case T::YesNo:
        def += QStringLiteral("BOOLEAN DEFAULT 0");
        break;
    case T::Double:
        def += QStringLiteral("DOUBLE");
        break;
    }
    if (c.unique)
        def += QStringLiteral(" UNIQUE");
    if (c.refersTo) {
        const QStringList ref = QString::fromLatin1(c.refersTo).split(u'.');
        def += QStringLiteral(" REFERENCES \"%1\" (\"%2\")").arg(ref[0], ref[1]);
    }
    return def;
}

// A clear refusal, naming the table that still refers to the row, before the foreign key
// itself would refuse with a bare "FOREIGN KEY constraint failed".
QStringList deleteGuards()
{
    QStringList out;
    for (const auto &parent : SchemaCatalog::tables()) {
        QStringList checks;
        for (const auto &child : SchemaCatalog::tables()) {
            QStringList conditions;
            QString parentKey;
            for (const auto &c : child.columns) {
                if (!c.refersTo)
                    continue;
                const QStringList ref = QString::fromLatin1(c.refersTo).split(u'.');
                if (ref[0] != QLatin1String(parent.name))
                    continue;
                parentKey = ref[1];
                conditions << QStringLiteral("\"%1\" = OLD.\"%2\"").arg(QLatin1String(c.name), ref[1]);
            }
            if (conditions.isEmpty())
                continue;
            checks << QStringLiteral(
                "SELECT RAISE(ABORT, 'The record cannot be deleted: table ''%1'' holds records "
                "that refer to it.') WHERE EXISTS (SELECT 1 FROM \"%1\" WHERE %2);")
                          .arg(QLatin1String(child.name), conditions.join(QStringLiteral(" OR ")));
        }
        if (checks.isEmpty())
            continue;
        out << QStringLiteral("CREATE TRIGGER \"%1_DeleteGuard\" BEFORE DELETE ON \"%1\" BEGIN\n%2\nEND")
                   .arg(QLatin1String(parent.name), checks.join(u'\n'));
    }
    return out;
}

} // namespace

SqliteEngine::SqliteEngine() = default;

SqliteEngine::~SqliteEngine() { close(); }

sqlite3 *SqliteEngine::handleOf(const QSqlDatabase &db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.data());
}

QStringList SqliteEngine::schemaStatements()
{
    QStringList out;
    for (const auto &table : SchemaCatalog::tables()) {
        QStringList cols;
        for (const auto &c : table.columns)
            cols << QStringLiteral("  ") + columnDefinition(table, c);
        out << QStringLiteral("CREATE TABLE \"%1\" (\n%2\n)")
                   .arg(QLatin1String(table.name), cols.join(QStringLiteral(",\n")));
        for (const auto &ix : table.indexes) {
            QStringList cs;
            for (const QString &col : QString::fromLatin1(ix.columns).split(u','))
                cs << u'"' + col.trimmed() + u'"';
            out << QStringLiteral("CREATE INDEX \"%1\" ON \"%2\" (%3)")
                       .arg(QLatin1String(ix.name), QLatin1String(table.name), cs.join(QStringLiteral(", ")));
        }
    }
    out << deleteGuards();
    out << QStringLiteral("CREATE TABLE \"%1\" (QueryName TEXT PRIMARY KEY COLLATE NOCASE, "
                          "SqlText TEXT NOT NULL)").arg(QLatin1String(kSavedQueryTable));
    return out;
}

void SqliteEngine::createDatabase(const QString &databasePath, const QString &workgroupPath,
                                  const QString &adminName, const QString &adminPassword)
{
    for (const QString &p : {databasePath, workgroupPath})
        if (QFileInfo::exists(p))
            throw DbError(QStringLiteral("The file '%1' already exists; it is left as it is.").arg(p));
    if (QFileInfo(databasePath).absoluteFilePath() == QFileInfo(workgroupPath).absoluteFilePath())
        throw DbError(QStringLiteral("The database and the workgroup must be two different files."),
                      DbError::Kind::Usage);

    Workgroup::create(workgroupPath, adminName, adminPassword);
    const QString connection = SqlExec::uniqueConnectionName(QStringLiteral("create"));
    try {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(databasePath);
            if (!db.open())
                throw DbError(SqlExec::engineText(db.lastError()));
            SqliteFunctions::registerOn(handleOf(db));
            SqlExec::run(db, QStringLiteral("PRAGMA journal_mode=WAL"));
            SqlExec::run(db, QStringLiteral("PRAGMA foreign_keys=ON"));
            SqlExec::run(db, QStringLiteral("BEGIN"));
            for (const QString &statement : schemaStatements())
                SqlExec::run(db, statement);
            for (const auto &q : SchemaCatalog::savedQueries())
                SqlExec::run(db, QStringLiteral("INSERT INTO \"%1\" VALUES (?, ?)")
                                     .arg(QLatin1String(kSavedQueryTable)),
                             {QString::fromLatin1(q.name), QString::fromUtf8(q.sql)});
            SqliteEngine converter;
            for (const auto &t : SeedData::rows()) {
                QStringList cols, marks;
                for (const QString &c : t.columns) {
                    cols << u'"' + c + u'"';
                    marks << QStringLiteral("?");
                }
                const QString sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                        .arg(t.table, cols.join(u','), marks.join(u','));
                for (const QVariantList &row : t.rows) {
                    QVariantList values;
                    for (const QVariant &v : row)
                        values << converter.toEngine(v);
                    SqlExec::run(db, sql, values);
                }
            }
            SqlExec::run(db, QStringLiteral("COMMIT"));
            db.close();
        }
        SqlExec::removeConnection(connection);
    } catch (...) {
        SqlExec::removeConnection(connection);
        QFile::remove(databasePath);
        QFile::remove(databasePath + QStringLiteral("-wal"));
        QFile::remove(databasePath + QStringLiteral("-shm"));
        QFile::remove(workgroupPath);
        throw;
    }
}

void SqliteEngine::doOpen(const ConnectionInfo &info, const QString &user, const QString &password,
                          Mode mode)
{
    const QString path = info.dataSource;
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("Could not find the database file '%1'.").arg(path),
                      DbError::Kind::NotFound);
    if (info.systemDb.isEmpty())
        throw DbError(QStringLiteral("The connection names no workgroup file."), DbError::Kind::NotFound);

    auto workgroup = std::make_unique<Workgroup>(info.systemDb, user, password);
    const Permissions::Access access = Permissions::accessForGroups(workgroup->loggedInUserGroups());

    const QString name = connectionName();
    try {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
        if (mode == Mode::ReadOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        if (!db.open())
            throw DbError(QStringLiteral("Cannot open '%1': %2").arg(path, SqlExec::engineText(db.lastError())));
        sqlite3 *handle = handleOf(db);
        if (!handle)
            throw DbError(QStringLiteral("The SQLite driver gave no connection handle."));
        SqliteFunctions::registerOn(handle);
        auto pragma = [&](const QString &sql) {
            try {
                return SqlExec::run(db, sql);
            } catch (const DbError &e) {
                throw DbError(QStringLiteral("Cannot open '%1': %2").arg(path, e.message()));
            }
        };
        pragma(QStringLiteral("PRAGMA foreign_keys=ON"));
        QSqlQuery check = pragma(QStringLiteral(
            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
            "('tblCall', 'tblAction', 'tblOrganization', 'tblPerson', '%1')").arg(QLatin1String(kSavedQueryTable)));
        if (!check.next() || check.value(0).toInt() != 5)
            throw DbError(QStringLiteral("The file '%1' is not a Vellomar database.").arg(path));
        check.finish();
        if (mode == Mode::ReadWriteShared)
            pragma(QStringLiteral("PRAGMA journal_mode=WAL")).finish();
        sqlite3_set_authorizer(handle, &SqliteEngine::authorize, this);
    } catch (...) {
        SqlExec::removeConnection(name);
        throw;
    }
    m_workgroup = std::move(workgroup);
    m_access = access;
    setUserName(m_workgroup->userName());
}

void SqliteEngine::doClose()
{
    const QString name = connectionName();
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            if (sqlite3 *h = handleOf(db))
                sqlite3_set_authorizer(h, nullptr, nullptr);
    }
    SqlExec::removeConnection(name);
    m_workgroup.reset();
    m_access = Permissions::Access::ReadOnly;
}

Catalog &SqliteEngine::doCatalog() { return *m_workgroup; }

QString SqliteEngine::doSavedQuerySql(const QString &name)
{
    QSqlQuery q = run(QStringLiteral("SELECT SqlText FROM \"%1\" WHERE QueryName = :name")
                          .arg(QLatin1String(kSavedQueryTable)),
                      {{QStringLiteral("name"), name}});
    if (!q.next())
        throw DbError(QStringLiteral("The saved query '%1' does not exist in the database.").arg(name),
                      DbError::Kind::NotFound);
    return q.value(0).toString();
}

DbError SqliteEngine::describeError(const QSqlError &error) const
{
    const QString text = SqlExec::engineText(error);
    if (text.contains(QLatin1String("not authorized")) && !m_lastRefusal.isEmpty())
        return DbError(text + QStringLiteral(": ") + m_lastRefusal, DbError::Kind::Permission);
    if (text.contains(QLatin1String("readonly database")))
        return DbError(text + QStringLiteral(" (the database is open read-only)"), DbError::Kind::ReadOnly);
    if (text.contains(QLatin1String("database is locked")))
        return DbError(text + QStringLiteral(" (another workstation is writing to it; try again in "
                                             "a moment)"));
    if (text.contains(QLatin1String("constraint failed")) || text.contains(QLatin1String("cannot be deleted")))
        return DbError(text, DbError::Kind::Constraint);
    return DbError(text);
}

int SqliteEngine::authorize(void *selfPtr, int action, const char *a1, const char *a2,
                            const char *, const char *)
{
    auto *self = static_cast<SqliteEngine *>(selfPtr);
    const bool admin = self->m_access == Permissions::Access::Admins;
    auto refuse = [&](const QString &why) {
        self->m_lastRefusal = why;
        return SQLITE_DENY;
    };
    switch (action) {
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE: {
        const QString table = QString::fromUtf8(a1);
        if (Permissions::mayWrite(self->m_access, table))
            return SQLITE_OK;
        return refuse(QStringLiteral("the user '%1' (%2) may not change the table '%3'")
                          .arg(self->userName(), Permissions::describe(self->m_access), table));
    }
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
        return refuse(QStringLiteral("attaching other database files is not allowed"));
    case SQLITE_PRAGMA: {
        if (!a2 || admin)
            return SQLITE_OK;
        static const char *const readPragmas[] = {"table_info", "table_xinfo", "index_list",
                                                  "index_info", "index_xinfo", "foreign_key_list",
                                                  "foreign_key_check", "quick_check",
                                                  "integrity_check"};
        for (const char *p : readPragmas)
            if (sqlite3_stricmp(a1, p) == 0)
                return SQLITE_OK;
        return refuse(QStringLiteral("the user '%1' may not set PRAGMA %2")
                          .arg(self->userName(), QString::fromUtf8(a1)));
    }
    case SQLITE_CREATE_INDEX:
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_TEMP_INDEX:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_CREATE_TEMP_TRIGGER:
    case SQLITE_CREATE_TEMP_VIEW:
    case SQLITE_CREATE_VTABLE:
    case SQLITE_DROP_INDEX:
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_TEMP_INDEX:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_DROP_TEMP_TRIGGER:
    case SQLITE_DROP_TEMP_VIEW:
    case SQLITE_DROP_VTABLE:
    case SQLITE_ALTER_TABLE:
    case SQLITE_REINDEX:
    case SQLITE_ANALYZE:
        if (admin)
            return SQLITE_OK;
        return refuse(QStringLiteral("the user '%1' (%2) may not change the design of the database")
                          .arg(self->userName(), Permissions::describe(self->m_access)));
    default:
        return SQLITE_OK;
    }
}

QVariant SqliteEngine::toEngine(const QVariant &value) const
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.isNull() ? QVariant(QMetaType::fromType<QString>())
                              : QVariant(DateTimeText::toStorage(value.toDateTime()));
    case QMetaType::QDate:
        return QVariant(DateTimeText::toStorage(QDateTime(value.toDate(), QTime(0, 0))));
    case QMetaType::Bool:
        return QVariant(value.toBool() ? 1 : 0);
    default:
        return value;
    }
}

QVariant SqliteEngine::fromEngine(const QVariant &value, SchemaCatalog::ColumnType type) const
{
    using T = SchemaCatalog::ColumnType;
    if (value.isNull())
        return value;
    switch (type) {
    case T::DateTime: {
        if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong)
            return DateTimeText::fromDays(value.toDouble());
        const auto dt = DateTimeText::fromStorage(value.toString());
        return dt ? QVariant(*dt) : QVariant(QMetaType::fromType<QDateTime>());
    }
    case T::YesNo:
        return QVariant(value.toLongLong() != 0);
    case T::Double:
        return QVariant(value.toDouble());
    case T::AutoNumber:
    case T::Long:
    case T::Short:
    case T::Word:
        return QVariant(value.toInt());
    default:
        return value;
    }
}

std::vector<Engine::ColumnInfo> SqliteEngine::describeColumns(const QSqlQuery &executed) const
{
    std::vector<ColumnInfo> out = Engine::describeColumns(executed);
    const QSqlResult *result = executed.result();
    const QVariant h = result ? result->handle() : QVariant();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3_stmt*") != 0)
        return out;
    sqlite3_stmt *stmt = *static_cast<sqlite3_stmt *const *>(h.data());
    if (!stmt)
        return out;
    using T = SchemaCatalog::ColumnType;
    const int n = std::min<int>(sqlite3_column_count(stmt), int(out.size()));
    for (int i = 0; i < n; ++i) {
        ColumnInfo &c = out[size_t(i)];
        const char *table = sqlite3_column_table_name(stmt, i);
        const char *origin = sqlite3_column_origin_name(stmt, i);
        if (table && origin) {
            c.table = QString::fromUtf8(table);
            c.column = QString::fromUtf8(origin);
            if (const auto col = SchemaCatalog::findColumn(c.table, c.column)) {
                c.type = col->type;
                c.size = col->size;
                c.typeKnown = true;
                continue;
            }
        }
        // Not one of our tables' columns: judge by the declared type, if any.
        const QString decl = QString::fromUtf8(sqlite3_column_decltype(stmt, i)).toUpper();
        if (decl.isEmpty())
            continue;
        c.typeKnown = true;
        if (decl.contains(QLatin1String("DATE")) || decl.contains(QLatin1String("TIME")))
            c.type = T::DateTime;
        else if (decl.contains(QLatin1String("BOOL")))
            c.type = T::YesNo;
        else if (decl.contains(QLatin1String("INT")))
            c.type = T::Long;
        else if (decl.contains(QLatin1String("REAL")) || decl.contains(QLatin1String("DOUB")) ||
                 decl.contains(QLatin1String("FLOA")))
            c.type = T::Double;
        else if (decl.contains(QLatin1String("CHAR")))
            c.type = T::Text;
        else
            c.type = T::Memo;
    }
    return out;
}

QString SqliteEngine::sameValueCondition(const QString &quotedColumn, const QString &param,
                                         bool isText) const
{
    return QStringLiteral("%1 IS %2%3").arg(quotedColumn, param,
                                            isText ? QStringLiteral(" COLLATE BINARY") : QString());
}
