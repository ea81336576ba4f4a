#pragma once

#include "Engine.h"
#include "SessionState.h"

#include <functional>
#include <memory>

class Dataset;

// ADOConnection1: the program's one connection, and the ways it is opened.
//
// The live link file lives beside the program, named after it with ".udl". When it is missing it
// is written from the "DataSource" and "SystemDb" settings; an existing one is used unchanged.
class DatabaseConnection
{
public:
    DatabaseConnection();
    ~DatabaseConnection();

    Engine *engine() const { return m_engine.get(); }   // stable for the whole run once made
    bool isOpen() const { return m_engine && m_engine->isOpen(); }
    bool isReadOnly() const { return isOpen() && m_engine->isReadOnly(); }

    // Asks for a user name and password; false on Cancel.
    using LoginDialog = std::function<bool(SessionState &)>;

    // Finds or writes the link file and logs in, asking again after every failure until it
    // works or the user cancels. False: start-up must end (the reason was shown).
    bool ConnectDatabase(SessionState &session, const QString &programPath, const LoginDialog &login);

    // Writes a link file for the engine's provider naming a database and a workgroup.
    static void WriteLinkFile(const QString &linkFile, const QString &provider,
                              const QString &dataSource, const QString &systemDb);

    // Closes and opens on a link file with the session's user and password.
    void openLinkFile(const QString &linkFile, const SessionState &session, Engine::Mode mode);
    void close();

    // The link file an archive gets: beside the program, named after the archive, never the
    // live link file itself.
    static QString archiveLinkFile(const QString &programPath, const QString &archivePath,
                                   const QString &liveLinkFile);

    static QString liveLinkFile(const QString &programPath);

private:
    std::unique_ptr<Engine> m_engine;
};

// Opens every dataset bound to the connection, in order, except the scratch query and the two
// category tables (by name), leaving open ones as they are.
void ConnectAll(const QList<Dataset *> &datasets);

// The plain message of a failed login.
inline constexpr const char *kLoginFailedText =
    "                Login Failed\r\nCheck User Name and Password";
