#include "Engine.h"

#include "SqlExec.h"
#include "SqliteEngine.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

Engine::Engine() : m_connectionName(SqlExec::uniqueConnectionName(QStringLiteral("vellomar"))) {}

Engine::~Engine() = default;

std::unique_ptr<Engine> Engine::forProvider(const QString &provider)
{
    if (provider.compare(QLatin1String(LinkFile::kSqliteProvider), Qt::CaseInsensitive) == 0)
        return std::make_unique<SqliteEngine>();
    throw DbError(QStringLiteral("The provider '%1' is not known. Known providers: %2.")
                      .arg(provider, QLatin1String(LinkFile::kSqliteProvider)),
                  DbError::Kind::NotFound);
}

std::unique_ptr<Engine> Engine::forLinkFile(const QString &linkFile, ConnectionInfo *info)
{
    ConnectionInfo read = LinkFile::read(linkFile);
    auto engine = forProvider(read.provider);
    if (info)
        *info = read;
    return engine;
}

void Engine::open(const ConnectionInfo &info, const QString &user, const QString &password, Mode mode)
{
    close();
    doOpen(info, user, password, mode);
    m_info = info;
    m_mode = mode;
    m_open = true;
}

void Engine::close()
{
    if (!m_open)
        return;
    m_open = false;
    doClose();
}

void Engine::requireOpen() const
{
    if (!m_open)
        throw DbError(QStringLiteral("The database connection is not open."), DbError::Kind::Usage);
}

QString Engine::translate(const QString &jetSql) const { return SqlDialect::translate(jetSql, target()); }

QSqlDatabase Engine::database() const
{
    requireOpen();
    return QSqlDatabase::database(m_connectionName, false);
}

DbError Engine::describeError(const QSqlError &error) const
{
    return DbError(SqlExec::engineText(error));
}

QSqlQuery Engine::prepareAndRun(const QString &nativeSql, const QStringList &paramNames,
                                const QVariantMap &params)
{
    requireOpen();
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(nativeSql))
        throw describeError(q.lastError());
    for (const QString &name : paramNames) {
        QVariant value;
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0) {
                value = it.value();
                break;
            }
        q.bindValue(u':' + name, toEngine(value));
    }
    if (!q.exec())
        throw describeError(q.lastError());
    return q;
}

int Engine::execute(const QString &jetSql, const QVariantMap &params)
{
    QSqlQuery q = prepareAndRun(translate(jetSql), SqlDialect::parameterNames(jetSql, true), params);
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

QSqlQuery Engine::select(const QString &jetSql, const QVariantMap &params)
{
    return prepareAndRun(translate(jetSql), SqlDialect::parameterNames(jetSql, true), params);
}

QSqlQuery Engine::run(const QString &nativeSql, const QVariantMap &params)
{
    return prepareAndRun(nativeSql, SqlDialect::parameterNames(nativeSql, true), params);
}

QString Engine::savedQuerySql(const QString &name)
{
    requireOpen();
    return doSavedQuerySql(name);
}

Catalog &Engine::catalog()
{
    requireOpen();
    return doCatalog();
}

void Engine::beginTransaction()
{
    QSqlDatabase db = database();
    if (!db.transaction())
        throw describeError(db.lastError());
}

void Engine::commit()
{
    QSqlDatabase db = database();
    if (!db.commit())
        throw describeError(db.lastError());
}

void Engine::rollback()
{
    QSqlDatabase db = database();
    if (!db.rollback())
        throw describeError(db.lastError());
}

std::vector<Engine::ColumnInfo> Engine::describeColumns(const QSqlQuery &executed) const
{
    std::vector<ColumnInfo> out;
    const QSqlRecord record = executed.record();
    for (int i = 0; i < record.count(); ++i) {
        ColumnInfo c;
        c.name = record.fieldName(i);
        switch (record.field(i).metaType().id()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
            c.type = SchemaCatalog::ColumnType::Long;
            c.typeKnown = true;
            break;
        case QMetaType::Double:
            c.type = SchemaCatalog::ColumnType::Double;
            c.typeKnown = true;
            break;
        case QMetaType::Bool:
            c.type = SchemaCatalog::ColumnType::YesNo;
            c.typeKnown = true;
            break;
        case QMetaType::QDateTime:
            c.type = SchemaCatalog::ColumnType::DateTime;
            c.typeKnown = true;
            break;
        default:
            break;
        }
        out.push_back(c);
    }
    return out;
}

QString Engine::quoteName(const QString &name) const
{
    QString n = name;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

QVariant Engine::lastInsertId(const QSqlQuery &executed) const { return executed.lastInsertId(); }

QString Engine::withoutTrailingSemicolon(const QString &nativeSql)
{
    qsizetype end = nativeSql.size();
    while (end > 0 && (nativeSql[end - 1].isSpace() || nativeSql[end - 1] == u';'))
        --end;
    return nativeSql.left(end);
}
