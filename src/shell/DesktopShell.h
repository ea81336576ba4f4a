#pragma once

#include <QString>
#include <functional>

class QUrl;

// Opening an address or a file, and starting a program, through the desktop. The about box
// opens its web and e-mail links and the system-information tool here. Tests replace the
// opener and the starter so that nothing is launched.
namespace DesktopShell {

// Opens the url with the desktop's handler; false when none could.
using UrlOpener = std::function<bool(const QUrl &url)>;
// Starts the program detached; false with *error set when it could not.
using ProgramStarter = std::function<bool(const QString &program, QString *error)>;

void setUrlOpener(UrlOpener opener);            // nullptr: QDesktopServices
void setProgramStarter(ProgramStarter starter); // nullptr: QProcess::startDetached

// "Opens" an address (https:, mailto:, ...) or a local file. Throws std::runtime_error with
// the reason when nothing could open it.
void open(const QString &target);
// Starts a program in its own window. Throws std::runtime_error with the system's text.
void start(const QString &program);

// The desktop's system-information tool found on the search path, or empty when there is none.
QString systemInformationTool();

} // namespace DesktopShell
