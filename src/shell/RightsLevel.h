#pragma once

#include <QString>

class Catalog;
class QAction;

// The logged-in user's rights level from the program groups the user belongs to: 4 CallAdmins,
// 3 CallManagers, 2 CallUsers, 1 CallReadUsers, 0 none; the highest wins, whatever the order of
// the groups. Group and user names are compared without regard to letter case.
// A user the catalog does not list gets an error box and level 0. Catalog errors pass through.
int ComputeRightsLevel(Catalog &catalog, const QString &userName);

// Shows the maintenance commands the level allows: managers (3) get the values lists, the
// urgency levels and the options; administrators (4) also the users and groups. Level 2 hides all
// four; levels 0 and 1 leave them as they are (hidden since the main window was created).
void ApplyRightsToCommands(int level, QAction *ValuesList1, QAction *UrgencyFormOpen,
                           QAction *OptionsSetup, QAction *UsersGroupsAction);
