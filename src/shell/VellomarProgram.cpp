#include "VellomarProgram.h"

#include "Clock.h"
#include "OptionsSetup.h"
#include "Prompter.h"
#include "RightsLevel.h"
#include "RunGuarded.h"
#include "TAboutInfo.h"
#include "THelpContentsForm.h"
#include "TKELDAboutForm.h"
#include "TKELDLoginDlg.h"
#include "TKELDSplashForm.h"
#include "TKELDStatusBar.h"
#include "TQuickHelpForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

VellomarProgram::VellomarProgram(const QString &programPath)
    : m_programPath(programPath), m_form(std::make_unique<TKELDMainMDIForm>())
{
    m_form->setWindowTitle(TAboutInfo::product().applicationName);
    m_form->setStatusBar(TKELDStatusBar::createMainWindowBar(m_form.get()));
    m_form->isReadOnly = [this] { return m_connection.isReadOnly(); };
    Prompter::setParentWidget(m_form.get());
    wireCommands();
}

VellomarProgram::~VellomarProgram()
{
    // Windows and datasets go before the connection they use.
    if (m_form)
        m_form->ReleaseChildWindows();
    m_dataModule.reset();
    m_form.reset();
}

namespace {

// The text of an error as the user sees it: the engine's own message where there is one.
QString errorText(const std::exception &e)
{
    if (const auto *db = dynamic_cast<const DbError *>(&e))
        return db->message();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

bool VellomarProgram::ShowLoginDialog(SessionState &session)
{
    TKELDLoginDlg dialog(Prompter::parentWidget());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    session.UserName = dialog.userName();
    session.Password = dialog.password();
    return true;
}

void VellomarProgram::wireCommands()
{
    TKELDMainMDIForm &f = *m_form;
    f.setCommandHandler(QStringLiteral("About1"), [this] { TKELDAboutForm::showAbout(m_form.get()); });
    f.setCommandHandler(QStringLiteral("QuickHelp"), [this] { TQuickHelpForm::showQuickHelp(m_form.get()); });
    f.setCommandHandler(QStringLiteral("HelpContents1"), [this] {
        auto *help = new THelpContentsForm(m_form.get());
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->showContents();
    });
    f.setCommandHandler(QStringLiteral("OptionsSetup"), [this] {
        if (!m_dataModule)
            return;
        OptionsSetupExecute(m_form.get(), *m_dataModule->ADOQuery1, m_parameters);
    });
    f.setCommandHandler(QStringLiteral("ViewArchiveAction"), [this] { ViewArchiveActionExecute(); });
    f.setCommandHandler(QStringLiteral("ReOpenMainDBAction"), [this] { ReOpenMainDBActionExecute(); });
}

void VellomarProgram::wireDataModule()
{
    m_dataModule->warn = [](const QString &text) { Prompter::instance().message(text, Prompter::Kind::Warning); };
}

bool VellomarProgram::FormShow(const DatabaseConnection::LoginDialog &login)
{
    TKELDMainMDIForm &f = *m_form;
    // 1. Connect (the settings are read first).
    f.ReadSettings();
    if (!m_connection.ConnectDatabase(f.Session, m_programPath, login)) {
        f.close();
        return false;
    }
    // 2.-3. The splash, and the moment loading began. No command runs against a half-loaded
    // program: the window takes no input until the loading steps are done.
    f.setEnabled(false);
    struct Enable
    {
        QWidget &w;
        ~Enable() { w.setEnabled(true); }
    } enableAgain{f};
    std::unique_ptr<TKELDSplashForm> splash = TKELDSplashForm::showSplash();
    const qint64 started = Clock::ticks();
    // 4. The shared datasets, bound to the open connection and closed.
    m_dataModule = std::make_unique<TDataModule1>(m_connection.engine());
    wireDataModule();
    // 5. Constants.
    try {
        LoadDBConstants(*m_dataModule->ValueCategoryADOTable, *m_dataModule->ValueListADOTable,
                        *m_dataModule->ValuesListOrgTypeADOQuery, m_constants);
    } catch (const std::exception &e) {
        splash.reset();
        Prompter::instance().message(errorText(e) + QStringLiteral(" in LoaddbConstants"));
        f.close();
        return false;
    }
    // 6. Every dataset but the scratch query and the two category tables.
    try {
        ConnectAll(m_dataModule->datasetsInOrder());
    } catch (const std::exception &e) {
        splash.reset();
        Prompter::instance().message(errorText(e) + QStringLiteral("\r\nConnectAll"));
        f.close();
        return false;
    }
    // 7.-8. Site options and the user's rights.
    runGuarded([&] { ReadSystemParameters(*m_dataModule->ADOQuery1, m_parameters); });
    runGuarded([&] {
        f.Session.RightsLevel = ComputeRightsLevel(m_connection.engine()->catalog(), f.Session.UserName);
        ApplyRightsToCommands(f.Session.RightsLevel, f.action(QStringLiteral("ValuesList1")),
                              f.action(QStringLiteral("UrgencyFormOpen")),
                              f.action(QStringLiteral("OptionsSetup")),
                              f.action(QStringLiteral("UsersGroupsAction")));
    });
    // 9. The calls and actions browser.
    f.setEnabled(true);
    f.execute(QStringLiteral("CallsActions1"));
    // 10.-11. Keep the splash up for its time, letting the program run meanwhile.
    const qint64 left = splashMilliseconds - (Clock::ticks() - started);
    if (left > 0 && splash) {
        QEventLoop wait;
        QTimer::singleShot(int(left), &wait, &QEventLoop::quit);
        wait.exec();
    }
    splash.reset();
    return true;
}

void VellomarProgram::reconnect(const QString &linkFile, Engine::Mode mode)
{
    TKELDMainMDIForm &f = *m_form;
    f.ReleaseChildWindows();
    if (m_dataModule)
        for (Dataset *d : m_dataModule->datasetsInOrder())
            d->close();
    m_connection.close();
    m_connection.openLinkFile(linkFile, f.Session, mode);
    ConnectAll(m_dataModule->datasetsInOrder());
}

void VellomarProgram::ViewArchiveActionExecute()
{
    TKELDMainMDIForm &f = *m_form;
    const QString chosen = Prompter::instance().openFileName(
        QStringLiteral("View Archive"), QDir::current().filePath(QStringLiteral("database")),
        QStringLiteral("Database Files (*.vdb);;All Files (*)"), QStringLiteral("vdb"));
    if (chosen.isEmpty())
        return;
    const QString archiveLink = DatabaseConnection::archiveLinkFile(m_programPath, chosen, f.Session.LinkFile);
    // The workgroup of the settings, or else the live connection's.
    QString systemDb = f.Session.SystemDb;
    if (systemDb.isEmpty() && m_connection.engine())
        systemDb = m_connection.engine()->connectionInfo().systemDb;
    try {
        DatabaseConnection::WriteLinkFile(archiveLink, m_connection.engine()->connectionInfo().provider,
                                          QFileInfo(chosen).absoluteFilePath(), systemDb);
        reconnect(archiveLink, Engine::Mode::ReadOnly);
        f.setWindowTitle(TAboutInfo::product().applicationName + QStringLiteral(" Viewing ") +
                         QFileInfo(chosen).absoluteFilePath() + QStringLiteral(" Read Only"));
        f.action(QStringLiteral("ReOpenMainDBAction"))->setVisible(true);
        f.execute(QStringLiteral("CallsActions1"));
    } catch (const std::exception &e) {
        Prompter::instance().message(errorText(e));
    }
    f.MainActionListUpdate();
}

void VellomarProgram::ReOpenMainDBActionExecute()
{
    TKELDMainMDIForm &f = *m_form;
    try {
        reconnect(f.Session.LinkFile, Engine::Mode::ReadWriteShared);
        f.setWindowTitle(TAboutInfo::product().applicationName);
        f.action(QStringLiteral("ReOpenMainDBAction"))->setVisible(false);
        f.execute(QStringLiteral("CallsActions1"));
    } catch (const std::exception &e) {
        Prompter::instance().message(errorText(e));
    }
    f.MainActionListUpdate();
}
