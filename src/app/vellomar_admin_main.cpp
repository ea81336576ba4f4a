#include "AdminCommandLine.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    // The tool never shows a window; reports still need fonts and painting, which the offscreen
    // platform gives without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vellomar-admin"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    AdminCommandLine cli(out, err, &AdminCommandLine::readSecretFromTerminal);
    return cli.run(app.arguments().mid(1));
}
