// Opens a large query as a dataset the way the calls list does and times what a user waits for:
// standing on the first row with an exact count, jumping to the last row, paging within read rows.
//
//   dataset_bench --database DB --workgroup WG --user NAME [--sql "SELECT ..."]
//
// Prints one line per measurement (milliseconds) and the resident memory after the jumps.
#include "Dataset.h"
#include "SqliteEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include "ResidentMemory.h"

#include <QFile>
#include <cstdio>


int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    auto option = [&](const QString &name, const QString &fallback = QString()) {
        const int i = int(args.indexOf(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    const QString sql = option(QStringLiteral("--sql"), QStringLiteral("SELECT * FROM tblCall ORDER BY DueDate"));
    try {
        SqliteEngine engine;
        engine.open({QStringLiteral("SQLite"), option(QStringLiteral("--database")), option(QStringLiteral("--workgroup"))},
                    option(QStringLiteral("--user")), qEnvironmentVariable("VELLOMAR_PASSWORD"));
        Dataset ds(&engine);
        ds.setSql(sql);
        QElapsedTimer t;
        t.start();
        ds.open();
        const qint64 openNs = t.nsecsElapsed();
        std::printf("open (first row, exact count %d): %.1f ms\n", ds.recordCount(), openNs / 1e6);
        t.restart();
        ds.last();
        std::printf("last row (%s): %.1f ms\n", qPrintable(ds.field(QStringLiteral("CallID")).asString()),
                    t.nsecsElapsed() / 1e6);
        // A page down that needs no new block: within the rows read at the start.
        ds.first();
        t.restart();
        ds.moveBy(20);
        std::printf("page down within read rows: %.3f ms\n", t.nsecsElapsed() / 1e6);
        std::printf("resident memory: %ld MB\n", residentKb() / 1024);
    } catch (const DbError &e) {
        std::fprintf(stderr, "dataset_bench: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
