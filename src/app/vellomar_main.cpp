#include "AdminCommands.h"
#include "CallsCommands.h"
#include "ReportsCommands.h"
#include "TAboutInfo.h"
#include "VellomarProgram.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
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
