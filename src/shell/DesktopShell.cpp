#include "DesktopShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <stdexcept>

namespace DesktopShell {
namespace {

UrlOpener &opener()
{
    static UrlOpener o;
    return o;
}

ProgramStarter &starter()
{
    static ProgramStarter s;
    return s;
}

QString tr(const char *text) { return QCoreApplication::translate("DesktopShell", text); }

} // namespace

void setUrlOpener(UrlOpener o) { opener() = std::move(o); }

void setProgramStarter(ProgramStarter s) { starter() = std::move(s); }

void open(const QString &target)
{
    const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(target)
                                               : QUrl::fromUserInput(target);
    const bool opened = opener() ? opener()(url) : QDesktopServices::openUrl(url);
    if (!opened)
        throw std::runtime_error(
            tr("No program on this computer could open \"%1\".").arg(target).toStdString());
}

void start(const QString &program)
{
    QString error;
    bool started = false;
    if (starter()) {
        started = starter()(program, &error);
    } else {
        QProcess process;
        process.setProgram(program);
        started = process.startDetached();
        error = process.errorString();
    }
    if (!started)
        throw std::runtime_error(
            tr("Could not start \"%1\": %2").arg(program, error).toStdString());
}

QString systemInformationTool()
{
    // Hardware and system summaries first, then the desktops' system monitors.
    static const char *const candidates[] = {
        "hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "mate-system-monitor",
    };
    for (const char *name : candidates) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace DesktopShell
