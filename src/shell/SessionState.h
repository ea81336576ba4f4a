#pragma once

#include <QString>

// What the program remembers about the logged-in user and the connection, for the whole run.
struct SessionState
{
    QString UserName;
    QString Password;
    int RightsLevel = 0;     // 0 no recognised group, 1 CallReadUsers ... 4 CallAdmins
    QString DataSource;      // the database file, from the settings
    QString SystemDb;        // the workgroup file, from the settings
    QString LinkFile;        // the live link file beside the program
};
