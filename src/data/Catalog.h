#pragma once

#include <QString>
#include <QStringList>

// The users, groups and passwords of the engine, seen through the operations the program needs.
// Every operation raises DbError with the engine's message when it fails; names of users and
// groups are compared without regard to letter case.
class Catalog
{
public:
    virtual ~Catalog() = default;

    virtual QStringList users() = 0;                       // in catalog order, as stored
    virtual QStringList groups() = 0;
    virtual QStringList groupsOf(const QString &user) = 0; // in the order they were joined

    virtual void addUser(const QString &name, const QString &password) = 0;
    virtual void deleteUser(const QString &name) = 0;
    virtual void addToGroup(const QString &user, const QString &group) = 0;
    virtual void removeFromGroup(const QString &user, const QString &group) = 0;

    // The user's own change: the old password must match.
    virtual void changePassword(const QString &user, const QString &oldPassword,
                                const QString &newPassword) = 0;
    // An administrator's reset, without the old password.
    virtual void setPassword(const QString &user, const QString &newPassword) = 0;
};
