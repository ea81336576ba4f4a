#include "Permissions.h"

#include "SchemaCatalog.h"

namespace Permissions {

Access accessForGroups(const QStringList &groups)
{
    Access a = Access::ReadOnly;
    for (const QString &g : groups) {
        Access level = Access::ReadOnly;
        if (g.compare(QLatin1String("CallAdmins"), Qt::CaseInsensitive) == 0 ||
            g.compare(QLatin1String(kAdminsGroup), Qt::CaseInsensitive) == 0)
            level = Access::Admins;
        else if (g.compare(QLatin1String("CallManagers"), Qt::CaseInsensitive) == 0)
            level = Access::Managers;
        else if (g.compare(QLatin1String("CallUsers"), Qt::CaseInsensitive) == 0)
            level = Access::Users;
        if (level > a)
            a = level;
    }
    return a;
}

QStringList tablesWritableBy(Access access)
{
    QStringList t;
    if (access >= Access::Users)
        t << QStringLiteral("tblCall") << QStringLiteral("tblAction")
          << QStringLiteral("tblOrganization") << QStringLiteral("tblPerson");
    if (access >= Access::Managers)
        t << QStringLiteral("tblValuesList") << QStringLiteral("tblUrgency")
          << QStringLiteral("tblSysParms");
    if (access >= Access::Admins)
        for (const auto &table : SchemaCatalog::tables())
            if (!t.contains(QLatin1String(table.name), Qt::CaseInsensitive))
                t << QString::fromLatin1(table.name);
    return t;
}

bool mayWrite(Access access, const QString &table)
{
    if (access == Access::Admins)
        return true;
    return tablesWritableBy(access).contains(table, Qt::CaseInsensitive);
}

QString describe(Access access)
{
    switch (access) {
    case Access::ReadOnly: return QStringLiteral("read only");
    case Access::Users: return QStringLiteral("CallUsers");
    case Access::Managers: return QStringLiteral("CallManagers");
    case Access::Admins: return QStringLiteral("CallAdmins");
    }
    return {};
}

} // namespace Permissions
