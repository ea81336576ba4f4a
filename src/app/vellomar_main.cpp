#include "AdminCommands.h"
#include "CallsCommands.h"
#include "ReportsCommands.h"
#include "TAboutInfo.h"
#include "VellomarProgram.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char *argv[])
{
    // Without TZ, glibc looks at /etc/localtime again on every local-time conversion, and the
    // lists convert dates by the thousand as they paint. Naming the file lets it read the zone
    // once (a change of the machine's zone then shows at the next start).
    if (!qEnvironmentVariableIsSet("TZ") && QFileInfo::exists(QStringLiteral("/etc/localtime")))
        qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QApplication::setApplicationName(TAboutInfo::product().applicationName);
    VellomarProgram program(QCoreApplication::applicationFilePath());
    installCallsCommands(program);
    installAdminCommands(program);
    installReportsCommands(program);
    // The main window is shown, then loads; the program ends when it closes.
    program.form().show();
    QTimer::singleShot(0, &program, [&program] { program.FormShow(&VellomarProgram::ShowLoginDialog); });
    return app.exec();
}
