// vellomar-reports-demo: the Reports window over a live database, for looking at the window, its
// prompts and the preview without the rest of the program.
//
//   vellomar-reports-demo --link FILE.udl --user NAME [--preview KEY | --prompt | --call-id]
//   (password from VELLOMAR_PASSWORD)
//
// --preview KEY opens the preview of that report over all calls; --prompt opens the date/time
// range dialog; --call-id the call number box.
#include "AppSettings.h"
#include "DbError.h"
#include "Engine.h"
#include "LinkFile.h"
#include "ReportDocument.h"
#include "ReportPreviewDialog.h"
#include "ReportPrompts.h"
#include "ReportRun.h"
#include "RunGuarded.h"
#include "TKELDMainMDIForm.h"
#include "TReportsListForm.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const QString &name) {
        const int i = int(args.indexOf(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
    };
    QTemporaryDir settings;
    AppSettings::setStoreFile(settings.filePath(QStringLiteral("settings.ini")));

    std::unique_ptr<Engine> engine;
    try {
        ConnectionInfo info;
        engine = Engine::forLinkFile(option(QStringLiteral("--link")), &info);
        engine->open(info, option(QStringLiteral("--user")),
                     qEnvironmentVariable("VELLOMAR_PASSWORD"));
    } catch (const DbError &e) {
        std::fprintf(stderr, "vellomar-reports-demo: %s\n", qPrintable(e.message()));
        return 1;
    }
    Engine &db = *engine;
    const ReportDocumentFactory factory = [&db](const QString &className) {
        return createReportDocument(className, db);
    };

    TKELDMainMDIForm main;
    main.resize(1100, 760);
    main.show();
    ListReportsExecute(main, db, factory);

    if (const QString key = option(QStringLiteral("--preview")); !key.isEmpty()) {
        QTimer::singleShot(300, &main, [&] {
            runGuarded([&] {
                const ReportDispatchEntry *entry = ReportDispatch::find(key);
                if (!entry)
                    return;
                const auto parameters = entry->parameter == ReportParameter::CallId
                    ? ReportRunParameters::call(1)
                    : ReportRunParameters::range(QDateTime(QDate(1990, 1, 1), QTime(0, 0)),
                                                 QDateTime(QDate(2100, 1, 1), QTime(0, 0)));
                const auto document = ReportRun::prepare(*entry, parameters, factory);
                ReportPreviewDialog::preview(document->render(), &main);
            });
        });
    } else if (args.contains(QStringLiteral("--prompt"))) {
        QTimer::singleShot(300, &main, [&] { PromptDateTimeRange(&main); });
    } else if (args.contains(QStringLiteral("--call-id"))) {
        QTimer::singleShot(300, &main, [&] { PromptCallID(); });
    }
    return app.exec();
}
