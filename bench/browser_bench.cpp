// Times the calls and actions browser over a large database, offscreen: opening it with every call
// shown ("Show Completed" and "All Orgs" ticked) up to its first painted screen, repainting a
// screen of calls with many urgency levels, and Refresh All.
//
//   browser_bench --database DB --workgroup WG --user NAME [--levels N] [--repaints N]
//
// The loading after login (data module, constants, shared datasets, site options) is done first
// and not timed. For the repaints the bench adds urgency levels up to N (20 by default) with
// distinct thresholds and colours, and deletes them again before it ends. Prints one line per
// measurement (milliseconds) and the resident memory after opening.
#include "BandedGrid.h"
#include "CallsCommands.h"
#include "CallsContext.h"
#include "DatabaseConnection.h"
#include "Dataset.h"
#include "LoadedConstants.h"
#include "NavigationCommands.h"
#include "SqliteEngine.h"
#include "SystemParameters.h"
#include "TCallsActionsForm.h"
#include "TDataModule1.h"
#include "TKELDMainMDIForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QSplitter>
#include <QSqlQuery>
#include "ResidentMemory.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <utility>

namespace {

// Every level the bench adds says so in its description, so that a run cut short can be
// cleaned up by hand: DELETE FROM tblUrgency WHERE Description LIKE 'Bench level %'.
const char kLevelPrefix[] = "Bench level ";

// Urgency levels added for the measurement, deleted again when it goes out of scope.
class ExtraUrgencyLevels
{
public:
    ExtraUrgencyLevels(Engine &engine, int wanted) : m_engine(engine)
    {
        QSqlQuery have = engine.select(QStringLiteral("SELECT COUNT(*) FROM tblUrgency"));
        const int existing = have.next() ? have.value(0).toInt() : 0;
        have.finish();
        for (int i = existing; i < wanted; ++i) {
            // Thresholds among the seed's (an eighth of a day to 30 days) and beyond them, none
            // equal to one of those; colours spread over the hues.
            const double threshold = 0.25 + 2.5 * (i - existing);
            const QColor colour = QColor::fromHsv((i * 37) % 360, 160 + (i * 13) % 90, 230);
            const qlonglong bgr = qlonglong(colour.blue()) << 16 | colour.green() << 8 | colour.red();
            m_engine.execute(QStringLiteral("INSERT INTO tblUrgency (Description, Color, IsSys, "
                                            "ThresholdTime) VALUES (:d, :c, 0, :t)"),
                             {{QStringLiteral("d"), QString::fromLatin1(kLevelPrefix) + QString::number(i + 1)},
                              {QStringLiteral("c"), bgr},
                              {QStringLiteral("t"), threshold}});
        }
    }
    ~ExtraUrgencyLevels()
    {
        try {
            m_engine.execute(QStringLiteral("DELETE FROM tblUrgency WHERE Description LIKE :p"),
                             {{QStringLiteral("p"), QString::fromLatin1(kLevelPrefix) + u'%'}});
        } catch (const DbError &e) {
            std::fprintf(stderr, "browser_bench: the added urgency levels stay: %s\n",
                         qPrintable(e.message()));
        }
    }
    ExtraUrgencyLevels(const ExtraUrgencyLevels &) = delete;
    ExtraUrgencyLevels &operator=(const ExtraUrgencyLevels &) = delete;

private:
    Engine &m_engine;
};

// Counts the paint events of the widgets it watches.
struct PaintCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// The processor time of the calling thread: unlike the wall time, it does not count the time the
// thread waits for a processor on a busy machine.
qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The rows of the calls grid that its viewport shows, whole or in part, and how many of them an
// urgency level colours (their urgency cell names the level rather than "Closed" or "Overdue").
std::pair<int, int> urgencyOfVisibleRows(BandedGrid &grid)
{
    const int first = grid.rowAt(0);
    int last = grid.rowAt(grid.viewport()->height() - 1);
    if (last < 0)
        last = grid.model()->rowCount() - 1;
    const int band = grid.bandOf(TCallsActionsForm::kCallsUrgencyColumn);
    int coloured = 0;
    for (int row = qMax(first, 0); first >= 0 && row <= last; ++row) {
        const QString text = grid.model()->index(row, band).data(Qt::AccessibleTextRole).toString();
        if (!text.isEmpty() && text != QLatin1String("Closed") && text != QLatin1String("Overdue"))
            ++coloured;
    }
    return {first < 0 ? 0 : last - first + 1, coloured};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const QString &name, const QString &fallback = QString()) {
        const int i = int(args.indexOf(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    const int levels = option(QStringLiteral("--levels"), QStringLiteral("20")).toInt();
    const int repaints = qMax(1, option(QStringLiteral("--repaints"), QStringLiteral("50")).toInt());
    try {
        SqliteEngine engine;
        const QString user = option(QStringLiteral("--user"));
        engine.open({QStringLiteral("SQLite"), option(QStringLiteral("--database")),
                     option(QStringLiteral("--workgroup"))},
                    user, qEnvironmentVariable("VELLOMAR_PASSWORD"));

        // As after the login.
        TKELDMainMDIForm main;
        main.Session.UserName = user;
        main.Session.RightsLevel = 4;
        TDataModule1 dm(&engine);
        LoadedConstants constants;
        LoadDBConstants(*dm.ValueCategoryADOTable, *dm.ValueListADOTable,
                        *dm.ValuesListOrgTypeADOQuery, constants);
        ConnectAll(dm.datasetsInOrder());
        SystemParameters parameters;
        ReadSystemParameters(*dm.ADOQuery1, parameters);
        const CallsContext ctx{main, dm, constants, parameters};
        CallsCommands::wireDataModuleHooks(ctx);
        Dataset &calls = *dm.CallsByOrgIDADOQuery;

        // 1. Open with every call, up to the first painted screen.
        QElapsedTimer t;
        t.start();
        qint64 cpu = threadCpuNs();
        auto form = std::make_unique<TCallsActionsForm>(ctx);
        main.CallsActionsForm = form.get();
        const qint64 builtNs = t.nsecsElapsed();
        form->ShowCompletedCheckBox->setChecked(true);
        const qint64 completedNs = t.nsecsElapsed();
        form->AllOrgsCheckBox->setChecked(true);
        const qint64 allOrgsNs = t.nsecsElapsed();
        form->resize(1200, 800);
        PaintCounter paints;
        form->CallsdxDBGrid->viewport()->installEventFilter(&paints);
        form->show();
        app.processEvents();            // the window is exposed and painted
        if (paints.count == 0)
            form->CallsdxDBGrid->viewport()->repaint();
        const qint64 openNs = t.nsecsElapsed();
        std::printf("open with every call (%d calls, first screen painted): %.1f ms "
                    "(processor time %.1f ms)\n",
                    calls.recordCount(), openNs / 1e6, (threadCpuNs() - cpu) / 1e6);
        std::printf("  window built %.1f ms, Show Completed ticked %.1f ms, All Orgs ticked %.1f ms, "
                    "shown and painted %.1f ms\n",
                    builtNs / 1e6, (completedNs - builtNs) / 1e6, (allOrgsNs - completedNs) / 1e6,
                    (openNs - allOrgsNs) / 1e6);
        form->CallsdxDBGrid->viewport()->removeEventFilter(&paints);
        std::printf("resident memory: %ld MB\n", residentKb() / 1024);

        // 2. Repaints of a screen full of calls, with many urgency levels.
        {
            ExtraUrgencyLevels extra(engine, levels);
            dm.UrgencyADOTable->requery();
            // A large screen with the calls taking nearly all of it.
            form->resize(1920, 1080);
            app.processEvents();
            form->Splitter1->setSizes({form->Splitter1->height() - 120, 120});
            app.processEvents();
            // The calls due last: open ones, due after today, coloured by the levels (the first
            // screen holds long closed calls, which show the closed picture whatever the levels).
            BandedGrid &grid = *form->CallsdxDBGrid;
            grid.scrollToBottom();
            app.processEvents();
            grid.viewport()->repaint();     // rows read and fields looked up once, outside the time
            const qint64 cpuBefore = threadCpuNs();
            t.restart();
            for (int i = 0; i < repaints; ++i)
                grid.viewport()->repaint();
            const qint64 wallNs = t.nsecsElapsed();
            const auto [shown, coloured] = urgencyOfVisibleRows(grid);
            std::printf("repaint of the calls grid (%d rows, %d coloured by %d urgency levels): "
                        "%.2f ms (processor time %.2f ms)\n",
                        shown, coloured, dm.UrgencyADOTable->recordCount(),
                        wallNs / 1e6 / repaints, (threadCpuNs() - cpuBefore) / 1e6 / repaints);
        }
        dm.UrgencyADOTable->requery();
        form->resize(1200, 800);
        app.processEvents();

        // 3. Refresh All with every call shown, up to the repainted window.
        cpu = threadCpuNs();
        t.restart();
        NavigationCommands::RefreshAll(dm, nullptr);
        app.processEvents();            // the lists repainted
        std::printf("refresh all (%d calls, window repainted): %.1f ms (processor time %.1f ms)\n",
                    calls.recordCount(), t.nsecsElapsed() / 1e6, (threadCpuNs() - cpu) / 1e6);
        main.CallsActionsForm = nullptr;
    } catch (const DbError &e) {
        std::fprintf(stderr, "browser_bench: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
