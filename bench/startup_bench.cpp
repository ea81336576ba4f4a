// Times the loading steps that follow a login: the shared data module, the constants,
// ConnectAll, the site options and the rights — and writes, for the comparison, the statements
// ConnectAll opens, each limited to its first 50 rows, in the engine's own SQL.
//
//   startup_bench --database DB --workgroup WG --user NAME --statements OUT.sql
#include "DatabaseConnection.h"
#include "LoadedConstants.h"
#include "RightsLevel.h"
#include "SqliteEngine.h"
#include "SystemParameters.h"
#include "TDataModule1.h"

#include <QApplication>
#include <QElapsedTimer>
#include "ResidentMemory.h"

#include <QFile>
#include <cstdio>


int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const QString &name) {
        const int i = int(args.indexOf(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
    };
    try {
        SqliteEngine engine;
        engine.open({QStringLiteral("SQLite"), option(QStringLiteral("--database")), option(QStringLiteral("--workgroup"))},
                    option(QStringLiteral("--user")), qEnvironmentVariable("VELLOMAR_PASSWORD"));
        QElapsedTimer t;
        t.start();
        TDataModule1 dm(&engine);
        LoadedConstants constants;
        LoadDBConstants(*dm.ValueCategoryADOTable, *dm.ValueListADOTable, *dm.ValuesListOrgTypeADOQuery, constants);
        ConnectAll(dm.datasetsInOrder());
        SystemParameters parameters;
        ReadSystemParameters(*dm.ADOQuery1, parameters);
        const int level = ComputeRightsLevel(engine.catalog(), option(QStringLiteral("--user")));
        std::printf("loading after login: %.1f ms (rights level %d)\n", t.nsecsElapsed() / 1e6, level);
        std::printf("resident memory: %ld MB\n", residentKb() / 1024);

        QFile out(option(QStringLiteral("--statements")));
        if (out.open(QIODevice::WriteOnly)) {
            for (Dataset *d : dm.datasetsInOrder()) {
                if (!d->isActive())
                    continue;
                QString sql;
                if (!d->tableName().isEmpty())
                    sql = QStringLiteral("SELECT * FROM \"%1\"").arg(d->tableName());
                else
                    sql = Engine::withoutTrailingSemicolon(engine.translate(d->sql()));
                for (const auto &p : d->params())
                    sql.replace(u':' + p.name, p.value.isNull() ? QStringLiteral("NULL") : p.value.toString());
                out.write((sql + QStringLiteral(" LIMIT 50;\n")).toUtf8());
            }
        }
    } catch (const DbError &e) {
        std::fprintf(stderr, "startup_bench: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
