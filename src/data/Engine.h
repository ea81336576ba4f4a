#pragma once

#include "Catalog.h"
#include "DbError.h"
#include "LinkFile.h"
#include "SchemaCatalog.h"
#include "SqlDialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <vector>

// One connection to the call-logging database, opened for one user. The program's SQL is
// written in the Jet dialect and translated here; every failure becomes a DbError carrying the
// engine's own text.
//
// Public methods check the state and convert errors; the engine-specific work is done by the
// protected do*() hooks.
class Engine
{
public:
    enum class Mode { ReadWriteShared, ReadOnly };

    virtual ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    // The engine a provider name stands for ("SQLite"); throws DbError for an unknown one.
    static std::unique_ptr<Engine> forProvider(const QString &provider);
    // Reads the link file and returns an engine for its provider, not yet open.
    static std::unique_ptr<Engine> forLinkFile(const QString &linkFile, ConnectionInfo *info);

    void open(const ConnectionInfo &info, const QString &user, const QString &password,
              Mode mode = Mode::ReadWriteShared);
    void close();
    bool isOpen() const { return m_open; }
    Mode mode() const { return m_mode; }
    bool isReadOnly() const { return m_mode == Mode::ReadOnly; }
    const ConnectionInfo &connectionInfo() const { return m_info; }
    QString userName() const { return m_userName; }

    virtual SqlTarget target() const = 0;
    QString translate(const QString &jetSql) const;

    // The Qt connection, for datasets that run their own statements.
    QSqlDatabase database() const;

    // Runs one statement; parameters by name without the colon, unknown ones bound as null.
    // execute() returns the number of rows affected; select() the executed, forward-only query.
    int execute(const QString &jetSql, const QVariantMap &params = {});
    QSqlQuery select(const QString &jetSql, const QVariantMap &params = {});
    // A statement already in the engine's dialect, with the same binding and error rules.
    QSqlQuery run(const QString &nativeSql, const QVariantMap &params = {});

    // The text of a query stored in the database, in the program's dialect.
    QString savedQuerySql(const QString &name);

    // Users, groups and passwords, acting as the logged-in user.
    Catalog &catalog();

    // A value on its way to a statement / back from a column of the given type.
    virtual QVariant toEngine(const QVariant &value) const = 0;
    virtual QVariant fromEngine(const QVariant &value, SchemaCatalog::ColumnType type) const = 0;

    // What a result column is: its name, type and, where it comes straight from a table column,
    // that table and column. Read from an executed query before it is finished.
    struct ColumnInfo
    {
        QString name;
        SchemaCatalog::ColumnType type = SchemaCatalog::ColumnType::Text;
        bool typeKnown = false;   // false: an expression whose type the engine does not say
        int size = 0;             // characters, for text columns of a table
        QString table;            // origin, empty for an expression
        QString column;
    };
    virtual std::vector<ColumnInfo> describeColumns(const QSqlQuery &executed) const;

    // A name as the engine's own SQL writes it (quoted).
    virtual QString quoteName(const QString &name) const;
    // "column holds exactly the value of :param", nulls equal to nulls, texts to the letter.
    virtual QString sameValueCondition(const QString &quotedColumn, const QString &param,
                                       bool isText) const = 0;
    // The auto-number the last INSERT of this connection was given.
    QVariant lastInsertId(const QSqlQuery &executed) const;

    // A statement in the engine's dialect, without the semicolon that may end it, so that it can
    // be wrapped or limited.
    static QString withoutTrailingSemicolon(const QString &nativeSql);

    // Transactions; the guard rolls back unless committed.
    void beginTransaction();
    void commit();
    void rollback();
    class Transaction
    {
    public:
        explicit Transaction(Engine &engine) : m_engine(engine) { m_engine.beginTransaction(); }
        ~Transaction()
        {
            if (!m_done)
                try { m_engine.rollback(); } catch (...) {}
        }
        void commit()
        {
            m_engine.commit();
            m_done = true;
        }
    private:
        Engine &m_engine;
        bool m_done = false;
    };

protected:
    Engine();

    // Opens the connection named connectionName() and checks the user; throws DbError.
    virtual void doOpen(const ConnectionInfo &info, const QString &user, const QString &password,
                        Mode mode) = 0;
    virtual void doClose() = 0;
    virtual Catalog &doCatalog() = 0;
    virtual QString doSavedQuerySql(const QString &name) = 0;
    // The engine's message for a failed statement, with whatever the engine knows to add.
    virtual DbError describeError(const QSqlError &error) const;

    QString connectionName() const { return m_connectionName; }
    void setUserName(const QString &name) { m_userName = name; }

private:
    void requireOpen() const;
    QSqlQuery prepareAndRun(const QString &nativeSql, const QStringList &paramNames,
                            const QVariantMap &params);

    QString m_connectionName;
    ConnectionInfo m_info;
    QString m_userName;
    Mode m_mode = Mode::ReadWriteShared;
    bool m_open = false;
};
