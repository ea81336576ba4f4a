#include "Membership.h"

#include "Catalog.h"
#include "Permissions.h"

#include <algorithm>

namespace Membership {

namespace {

const QString kUsers = QString::fromLatin1(Permissions::kUsersGroup);
const QString kAdmins = QString::fromLatin1(Permissions::kAdminsGroup);

bool containsName(const QStringList &names, const QString &name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

} // namespace

bool isBuiltInAccount(const QString &user)
{
    const QString upper = user.toUpper();
    return upper == QLatin1String("ADMIN") || upper == QLatin1String("ENGINE") ||
           upper == QLatin1String("CREATOR");
}

bool isProgramGroup(const QString &group)
{
    return group.startsWith(QLatin1String("Call"), Qt::CaseSensitive);
}

bool isAdministratorsGroup(const QString &group)
{
    return group.compare(QLatin1String(kAdministratorsGroup), Qt::CaseInsensitive) == 0;
}

QStringList listedUsers(Catalog &catalog)
{
    QStringList users = catalog.users();
    users.removeIf(isBuiltInAccount);
    return users;
}

QStringList programGroups(Catalog &catalog)
{
    QStringList groups = catalog.groups();
    groups.removeIf([](const QString &g) { return !isProgramGroup(g); });
    return groups;
}

QStringList programGroupsOf(Catalog &catalog, const QString &user)
{
    QStringList groups = catalog.groupsOf(user);
    groups.removeIf([](const QString &g) { return !isProgramGroup(g); });
    return groups;
}

bool inGroup(Catalog &catalog, const QString &user, const QString &group)
{
    return containsName(catalog.groupsOf(user), group);
}

void joinGroup(Catalog &catalog, const QString &user, const QString &group)
{
    catalog.addToGroup(user, group);
    if (!inGroup(catalog, user, kUsers))
        catalog.addToGroup(user, kUsers);
    if (isAdministratorsGroup(group) && !inGroup(catalog, user, kAdmins))
        catalog.addToGroup(user, kAdmins);
}

void leaveGroup(Catalog &catalog, const QString &user, const QString &group)
{
    catalog.removeFromGroup(user, group);
    if (isAdministratorsGroup(group) && inGroup(catalog, user, kAdmins))
        catalog.removeFromGroup(user, kAdmins);
    // Read back rather than trusting the window's list: another administrator may have given
    // the user a program group since the list was filled.
    const QStringList left = catalog.groupsOf(user);
    const bool anyProgramGroup = std::any_of(left.begin(), left.end(), isProgramGroup);
    if (!anyProgramGroup && containsName(left, kUsers))
        catalog.removeFromGroup(user, kUsers);
}

bool isAcceptableNewUserName(const QString &name)
{
    return name.size() >= 4 && name.size() <= 20;
}

} // namespace Membership
