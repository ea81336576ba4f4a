#include "AdminCommandLine.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vellomar-admin"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    AdminCommandLine cli(out, err, &AdminCommandLine::readSecretFromTerminal);
    return cli.run(app.arguments().mid(1));
}
