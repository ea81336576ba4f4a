#include "RightsLevel.h"

#include "Catalog.h"
#include "Prompter.h"

#include <QAction>
#include <QStringList>
#include <algorithm>
#include <array>
#include <utility>

namespace {

const std::array<std::pair<const char *, int>, 4> kProgramGroups{{
    {"CallAdmins", 4},
    {"CallManagers", 3},
    {"CallUsers", 2},
    {"CallReadUsers", 1},
}};

int levelOfGroup(const QString &group)
{
    for (const auto &[name, level] : kProgramGroups)
        if (group.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return level;
    return 0;
}

void setVisible(QAction *action, bool visible)
{
    if (action)
        action->setVisible(visible);
}

} // namespace

int ComputeRightsLevel(Catalog &catalog, const QString &userName)
{
    const QStringList users = catalog.users();
    const auto user = std::find_if(users.begin(), users.end(), [&](const QString &u) {
        return u.compare(userName, Qt::CaseInsensitive) == 0;
    });
    if (user == users.end()) {
        Prompter::instance().message(
            QStringLiteral(
                "Sorry, you have no group memberships\r\n   Please contact your administrator"),
            Prompter::Kind::Error);
        return 0;
    }
    int level = 0;
    for (const QString &group : catalog.groupsOf(*user))
        level = std::max(level, levelOfGroup(group));
    return level;
}

void ApplyRightsToCommands(int level, QAction *ValuesList1, QAction *UrgencyFormOpen,
                           QAction *OptionsSetup, QAction *UsersGroupsAction)
{
    if (level < 2)
        return;
    const bool manager = level >= 3;
    setVisible(ValuesList1, manager);
    setVisible(UrgencyFormOpen, manager);
    setVisible(OptionsSetup, manager);
    setVisible(UsersGroupsAction, level >= 4);
}
