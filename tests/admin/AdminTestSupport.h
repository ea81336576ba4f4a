#pragma once

#include "Catalog.h"
#include "DbError.h"
#include "Prompter.h"

#include <QApplication>
#include <QHash>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

// A fresh scripted prompter, installed for the program to use.
inline ScriptedPrompter &scriptedPrompter()
{
    auto p = std::make_unique<ScriptedPrompter>();
    ScriptedPrompter &ref = *p;
    Prompter::install(std::move(p));
    return ref;
}

// Works a modal window of type T from inside its loop, then closes it if the work did not, so
// that a failing check cannot leave the test waiting. The window is nullptr when none opened.
template <typename T>
void whileModal(std::function<void(T *)> work)
{
    QTimer::singleShot(0, [work] {
        auto *window = qobject_cast<T *>(QApplication::activeModalWidget());
        work(window);
        if (window && window->isVisible())
            window->reject();
    });
}

// An in-memory catalog with whatever names a workgroup might hold, in any letter case.
class FakeCatalog final : public Catalog
{
public:
    QStringList userList;
    QStringList groupList;
    QHash<QString, QStringList> memberships;   // by the user's name as listed

    QStringList users() override { return userList; }
    QStringList groups() override { return groupList; }
    QStringList groupsOf(const QString &user) override { return memberships.value(stored(user)); }
    void addUser(const QString &name, const QString &) override { userList << name; }
    void deleteUser(const QString &name) override
    {
        memberships.remove(stored(name));
        userList.removeAll(stored(name));
    }
    void addToGroup(const QString &user, const QString &group) override
    {
        memberships[stored(user)] << group;
    }
    void removeFromGroup(const QString &user, const QString &group) override
    {
        QStringList &groups = memberships[stored(user)];
        groups.removeIf([&](const QString &g) { return g.compare(group, Qt::CaseInsensitive) == 0; });
    }
    void changePassword(const QString &, const QString &, const QString &) override {}
    void setPassword(const QString &, const QString &) override {}

private:
    QString stored(const QString &user) const
    {
        for (const QString &u : userList)
            if (u.compare(user, Qt::CaseInsensitive) == 0)
                return u;
        throw DbError(QStringLiteral("The user '%1' does not exist.").arg(user));
    }
};
