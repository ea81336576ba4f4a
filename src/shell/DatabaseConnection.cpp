#include "DatabaseConnection.h"

#include "Dataset.h"
#include "LinkFile.h"
#include "Prompter.h"

#include <QDir>
#include <QFileInfo>

DatabaseConnection::DatabaseConnection() = default;

DatabaseConnection::~DatabaseConnection() = default;

QString DatabaseConnection::liveLinkFile(const QString &programPath)
{
    const QFileInfo program(programPath);
    return program.absoluteDir().filePath(program.completeBaseName() + QStringLiteral(".udl"));
}

void DatabaseConnection::WriteLinkFile(const QString &linkFile, const QString &provider,
                                       const QString &dataSource, const QString &systemDb)
{
    LinkFile::write(linkFile, ConnectionInfo{provider, dataSource, systemDb});
}

bool DatabaseConnection::ConnectDatabase(SessionState &session, const QString &programPath,
                                         const LoginDialog &login)
{
    session.LinkFile = liveLinkFile(programPath);
    if (!QFileInfo::exists(session.LinkFile)) {
        if (session.DataSource.isEmpty() || session.SystemDb.isEmpty()) {
            Prompter::instance().message(
                QStringLiteral("Did not find registry entries for the database\r\n        Please "
                               "contact your administrator\r\n     You may need to reinstall Vellomar"),
                Prompter::Kind::Error);
            return false;
        }
        WriteLinkFile(session.LinkFile, QString::fromLatin1(LinkFile::kSqliteProvider),
                      session.DataSource, session.SystemDb);
    }
    close();
    for (;;) {
        if (isOpen())
            return true;
        if (!login(session))
            return false;
        try {
            openLinkFile(session.LinkFile, session, Engine::Mode::ReadWriteShared);
        } catch (const std::exception &) {
            Prompter::instance().message(QString::fromLatin1(kLoginFailedText));
        }
    }
}

void DatabaseConnection::openLinkFile(const QString &linkFile, const SessionState &session,
                                      Engine::Mode mode)
{
    ConnectionInfo info = LinkFile::read(linkFile);
    // Relative paths in a link file are taken from the link file's folder.
    const QDir base = QFileInfo(linkFile).absoluteDir();
    if (info.provider.compare(QLatin1String(LinkFile::kSqliteProvider), Qt::CaseInsensitive) == 0) {
        info.dataSource = base.absoluteFilePath(info.dataSource);
        if (!info.systemDb.isEmpty())
            info.systemDb = base.absoluteFilePath(info.systemDb);
    }
    if (!m_engine) {
        m_engine = Engine::forProvider(info.provider);
    } else if (info.provider.compare(m_engine->connectionInfo().provider.isEmpty()
                                         ? info.provider : m_engine->connectionInfo().provider,
                                     Qt::CaseInsensitive) != 0) {
        throw DbError(QStringLiteral("The link file %1 names the provider %2; this connection uses %3.")
                          .arg(linkFile, info.provider, m_engine->connectionInfo().provider));
    }
    m_engine->open(info, session.UserName, session.Password, mode);
}

void DatabaseConnection::close()
{
    if (m_engine)
        m_engine->close();
}

QString DatabaseConnection::archiveLinkFile(const QString &programPath, const QString &archivePath,
                                            const QString &liveLinkFile)
{
    const QDir folder = QFileInfo(programPath).absoluteDir();
    QString path = folder.filePath(QFileInfo(archivePath).completeBaseName() + QStringLiteral(".udl"));
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(liveLinkFile).absoluteFilePath())
        path = folder.filePath(QFileInfo(archivePath).completeBaseName() + QStringLiteral(".archive.udl"));
    return path;
}

void ConnectAll(const QList<Dataset *> &datasets)
{
    for (Dataset *d : datasets) {
        const QString name = d->objectName();
        if (name == QLatin1String("ADOQuery1") || name == QLatin1String("ValueCategoryADOTable") ||
            name == QLatin1String("ValueListADOTable"))
            continue;
        if (!d->isActive())
            d->open();
    }
}
