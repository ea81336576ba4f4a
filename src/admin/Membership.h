#pragma once

#include <QString>
#include <QStringList>

class Catalog;

// The rules of the users and groups window over the workgroup's catalog: which accounts and
// groups it shows, and the engine groups that follow a program group in and out.
//
// A program group is one whose name begins with "Call" (letter case counting). The built-in
// accounts "Admin", "Engine" and "Creator" are never listed. "Users" goes with membership of any
// program group; "Admins" with membership of the administrators' group "CallAdmins" (its name
// compared without regard to letter case). Catalog errors pass to the caller with the engine's
// text; a step that fails stops the steps after it.
namespace Membership {

inline constexpr const char *kAdministratorsGroup = "CallAdmins";

bool isBuiltInAccount(const QString &user);
bool isProgramGroup(const QString &group);
bool isAdministratorsGroup(const QString &group);

// The catalog's users in catalog order, as stored, without the built-in accounts.
QStringList listedUsers(Catalog &catalog);
// The catalog's program groups in catalog order.
QStringList programGroups(Catalog &catalog);
// The user's program groups in the order they were joined.
QStringList programGroupsOf(Catalog &catalog, const QString &user);
// Is the user a member of the group (names compared without regard to letter case)?
bool inGroup(Catalog &catalog, const QString &user, const QString &group);

// Adds the user to a program group, and to "Users" (and, for the administrators' group, to
// "Admins") when not already a member.
void joinGroup(Catalog &catalog, const QString &user, const QString &group);
// Takes the user out of a program group; out of "Admins" too when it was the administrators'
// group, and out of "Users" when no program group is left.
void leaveGroup(Catalog &catalog, const QString &user, const QString &group);

// New users: 4 to 20 characters.
bool isAcceptableNewUserName(const QString &name);
inline constexpr const char *kUserNameLengthText =
    "User Name must be between 4 and 20 characters in length";

} // namespace Membership
