#pragma once

#include "DbError.h"
#include "Engine.h"
#include "LinkFile.h"
#include "PasswordHash.h"
#include "SqliteEngine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A fresh seeded database in a temporary folder, with the administrator "Boss" (empty password)
// and helpers to add users in groups and log in as them.
class TestDatabase
{
public:
    TestDatabase()
    {
        PasswordHash::setCost(PasswordHash::Cost::Minimal);
        SqliteEngine::createDatabase(databasePath(), workgroupPath(), QStringLiteral("Boss"), QString());
    }

    QString dir() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString databasePath() const { return path(QStringLiteral("calls.vdb")); }
    QString workgroupPath() const { return path(QStringLiteral("calls.vwg")); }
    ConnectionInfo info() const
    {
        return {QStringLiteral("SQLite"), databasePath(), workgroupPath()};
    }

    std::unique_ptr<SqliteEngine> open(const QString &user = QStringLiteral("Boss"),
                                       const QString &password = QString(),
                                       Engine::Mode mode = Engine::Mode::ReadWriteShared) const
    {
        auto e = std::make_unique<SqliteEngine>();
        e->open(info(), user, password, mode);
        return e;
    }

    // A user with a password in the given groups (and "Users").
    void addUser(const QString &name, const QString &password, const QStringList &groups) const
    {
        auto admin = open();
        admin->catalog().addUser(name, QString());
        admin->catalog().addToGroup(name, QStringLiteral("Users"));
        for (const QString &g : groups)
            admin->catalog().addToGroup(name, g);
        if (!password.isEmpty())
            admin->catalog().setPassword(name, password);
    }

private:
    QTemporaryDir m_dir;
};

// Runs a data-layer statement and fails the test with the engine's message when it throws.
#define EXPECT_NO_DB_ERROR(statement)                                                       \
    try {                                                                                   \
        statement;                                                                          \
    } catch (const DbError &e) {                                                            \
        ADD_FAILURE() << "engine error: " << e.message().toStdString();                    \
    }

// Expects a DbError whose message contains the text.
#define EXPECT_DB_ERROR(statement, text)                                                    \
    try {                                                                                   \
        statement;                                                                          \
        ADD_FAILURE() << "expected an engine error containing: " << QString(text).toStdString(); \
    } catch (const DbError &e) {                                                            \
        EXPECT_TRUE(e.message().contains(text, Qt::CaseInsensitive))                        \
            << "message was: " << e.message().toStdString();                                \
    }
