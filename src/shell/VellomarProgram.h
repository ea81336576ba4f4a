#pragma once

#include "DatabaseConnection.h"
#include "LoadedConstants.h"
#include "SystemParameters.h"
#include "TKELDMainMDIForm.h"
#include "TDataModule1.h"

#include <QObject>
#include <memory>

// The running program: the main window and what it owns beside its widgets (the connection, the
// shared data module, the loaded constants and site options), the loading sequence run when the
// window is first shown, and the commands that switch between the live database and an archive.
class VellomarProgram : public QObject
{
    Q_OBJECT
public:
    explicit VellomarProgram(const QString &programPath);
    ~VellomarProgram() override;

    TKELDMainMDIForm &form() { return *m_form; }
    DatabaseConnection &connection() { return m_connection; }
    TDataModule1 *dataModule() const { return m_dataModule.get(); }
    const LoadedConstants &constants() const { return m_constants; }
    SystemParameters &parameters() { return m_parameters; }

    // The loading sequence; false when the program must end (the window is then closed).
    bool FormShow(const DatabaseConnection::LoginDialog &login);
    // How long the splash stays up at the least, counted from just after it was painted.
    int splashMilliseconds = 3000;

    void ViewArchiveActionExecute();
    void ReOpenMainDBActionExecute();

    // The dialog asking for user name and password.
    static bool ShowLoginDialog(SessionState &session);

private:
    void wireCommands();
    void wireDataModule();
    void reconnect(const QString &linkFile, Engine::Mode mode);

    QString m_programPath;
    std::unique_ptr<TKELDMainMDIForm> m_form;
    DatabaseConnection m_connection;
    std::unique_ptr<TDataModule1> m_dataModule;
    LoadedConstants m_constants;
    SystemParameters m_parameters;
};
