#pragma once

#include <QString>
#include <QStringList>

// What the groups of the workgroup allow a user to change. The engine enforces it on every
// statement; the program only hides commands.
namespace Permissions {

enum class Access {
    ReadOnly,     // CallReadUsers, or no program group
    Users,        // CallUsers: calls, actions, organisations, people
    Managers,     // CallManagers: also values lists, urgency levels, system parameters
    Admins        // CallAdmins (or the workgroup's Admins): everything
};

inline constexpr const char *kProgramGroups[] = {"CallAdmins", "CallManagers", "CallUsers",
                                                 "CallReadUsers"};
inline constexpr const char *kUsersGroup = "Users";
inline constexpr const char *kAdminsGroup = "Admins";

// The highest access among the groups, whatever their order; names compared without case.
Access accessForGroups(const QStringList &groups);

// May a user with this access insert, update or delete rows of the table?
bool mayWrite(Access access, const QString &table);

// Table names each level adds to the one below, for engines that grant rights per table.
QStringList tablesWritableBy(Access access);

QString describe(Access access);

} // namespace Permissions
