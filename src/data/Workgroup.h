#pragma once

#include "Catalog.h"

#include <QSqlDatabase>
#include <QString>

// The user and group store of an SQLite database: a small file of its own (".vwg") holding
// accounts (users and groups share one name space), Argon2id password hashes and memberships.
// Opened for one logged-in user, whose groups decide which catalog changes are allowed:
// members of "Admins" or "CallAdmins" manage users and groups; everyone may change their own
// password.
class Workgroup final : public Catalog
{
public:
    // Creates a new workgroup file with the program's groups, the built-in accounts that cannot
    // log in, and one administrator in CallAdmins, Users and Admins. Never overwrites a file.
    static void create(const QString &path, const QString &adminName, const QString &adminPassword);

    // Opens the file and checks the user's name and password; throws DbError (Kind::Login) when
    // the pair is wrong or the account may not log in.
    Workgroup(const QString &path, const QString &userName, const QString &password);
    ~Workgroup() override;
    Workgroup(const Workgroup &) = delete;
    Workgroup &operator=(const Workgroup &) = delete;

    QString path() const { return m_path; }
    QString userName() const { return m_userName; }   // as stored in the workgroup
    QStringList loggedInUserGroups();

    QStringList users() override;
    QStringList groups() override;
    QStringList groupsOf(const QString &user) override;
    void addUser(const QString &name, const QString &password) override;
    void deleteUser(const QString &name) override;
    void addToGroup(const QString &user, const QString &group) override;
    void removeFromGroup(const QString &user, const QString &group) override;
    void changePassword(const QString &user, const QString &oldPassword,
                        const QString &newPassword) override;
    void setPassword(const QString &user, const QString &newPassword) override;

    static QString validateAccountName(const QString &name);   // empty when acceptable

private:
    struct Account
    {
        qint64 id = 0;
        QString name;
        bool isGroup = false;
        bool canLogin = false;
        QString hash;
    };

    QStringList accountNames(bool groups);
    Account findAccount(const QString &name, bool wantGroup);
    void requireAdministrator(const char *what);
    void writePassword(qint64 accountId, const QString &password);

    QString m_path;
    QString m_connection;
    QString m_userName;
    QSqlDatabase db() const;
};
