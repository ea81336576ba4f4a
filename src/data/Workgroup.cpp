#include "Workgroup.h"

#include "DbError.h"
#include "PasswordHash.h"
#include "Permissions.h"
#include "SqlExec.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace {

const char kFormat[] = "Vellomar workgroup 1";
const char *const kBuiltInAccounts[] = {"Admin", "Engine", "Creator"};

QString key(const QString &name) { return name.toCaseFolded(); }

QSqlDatabase openFile(const QString &path, const QString &connection)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        const QString text = SqlExec::engineText(db.lastError());
        db = QSqlDatabase();
        SqlExec::removeConnection(connection);
        throw DbError(text);
    }
    return db;
}

// Runs a body inside one write transaction that other workstations wait for.
template <typename F>
void inTransaction(const QSqlDatabase &db, F body)
{
    SqlExec::run(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        body();
        SqlExec::run(db, QStringLiteral("COMMIT"));
    } catch (...) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

} // namespace

QString Workgroup::validateAccountName(const QString &name)
{
    if (name.isEmpty() || name.size() > 20)
        return QStringLiteral("An account name must be 1 to 20 characters long.");
    if (name.front().isSpace() || name.back().isSpace())
        return QStringLiteral("An account name cannot begin or end with a blank.");
    for (QChar c : name)
        if (c.category() == QChar::Other_Control || QStringLiteral("\"[]:;|<>=,?*/\\").contains(c))
            return QStringLiteral("The account name '%1' contains a character that is not "
                                  "allowed (control characters and \" [ ] : ; | < > = , ? * / \\).")
                .arg(name);
    return {};
}

void Workgroup::create(const QString &path, const QString &adminName, const QString &adminPassword)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("The file '%1' already exists.").arg(path));
    if (const QString bad = validateAccountName(adminName); !bad.isEmpty())
        throw DbError(bad, DbError::Kind::Usage);
    for (const char *builtIn : kBuiltInAccounts)
        if (adminName.compare(QLatin1String(builtIn), Qt::CaseInsensitive) == 0)
            throw DbError(QStringLiteral("'%1' is a built-in account and cannot be the "
                                         "administrator.").arg(adminName),
                          DbError::Kind::Usage);

    const QString connection = SqlExec::uniqueConnectionName(QStringLiteral("workgroup-create"));
    bool created = false;
    try {
        QSqlDatabase db = openFile(path, connection);
        created = true;
        inTransaction(db, [&] {
            SqlExec::run(db, QStringLiteral("CREATE TABLE wgInfo (Key TEXT PRIMARY KEY, Value TEXT)"));
            SqlExec::run(db, QStringLiteral(
                "CREATE TABLE wgAccount (AccountID INTEGER PRIMARY KEY AUTOINCREMENT, "
                "Name TEXT NOT NULL, NameKey TEXT NOT NULL UNIQUE, IsGroup INTEGER NOT NULL, "
                "CanLogin INTEGER NOT NULL, PasswordHash TEXT)"));
            SqlExec::run(db, QStringLiteral(
                "CREATE TABLE wgMembership (MembershipID INTEGER PRIMARY KEY AUTOINCREMENT, "
                "UserID INTEGER NOT NULL REFERENCES wgAccount ON DELETE CASCADE, "
                "GroupID INTEGER NOT NULL REFERENCES wgAccount ON DELETE CASCADE, "
                "UNIQUE (UserID, GroupID))"));
            SqlExec::run(db, QStringLiteral("INSERT INTO wgInfo VALUES ('format', ?)"),
                         {QString::fromLatin1(kFormat)});
            auto addAccount = [&](const QString &name, bool isGroup, bool canLogin,
                                  const QVariant &hash) {
                SqlExec::run(db, QStringLiteral("INSERT INTO wgAccount (Name, NameKey, IsGroup, "
                                                "CanLogin, PasswordHash) VALUES (?, ?, ?, ?, ?)"),
                             {name, key(name), isGroup ? 1 : 0, canLogin ? 1 : 0, hash});
            };
            for (const char *builtIn : kBuiltInAccounts)
                addAccount(QString::fromLatin1(builtIn), false, false, QVariant());
            for (const char *g : Permissions::kProgramGroups)
                addAccount(QString::fromLatin1(g), true, false, QVariant());
            addAccount(QString::fromLatin1(Permissions::kUsersGroup), true, false, QVariant());
            addAccount(QString::fromLatin1(Permissions::kAdminsGroup), true, false, QVariant());
            addAccount(adminName, false, true, PasswordHash::hash(adminPassword));
            for (const char *g : {"CallAdmins", "Users", "Admins"})
                SqlExec::run(db, QStringLiteral(
                    "INSERT INTO wgMembership (UserID, GroupID) SELECT u.AccountID, g.AccountID "
                    "FROM wgAccount u, wgAccount g WHERE u.NameKey = ? AND g.NameKey = ?"),
                    {key(adminName), key(QString::fromLatin1(g))});
        });
    } catch (...) {
        SqlExec::removeConnection(connection);
        if (created)
            QFile::remove(path);   // never leave a half-made workgroup behind
        throw;
    }
    SqlExec::removeConnection(connection);
}

Workgroup::Workgroup(const QString &path, const QString &userName, const QString &password)
    : m_path(path), m_connection(SqlExec::uniqueConnectionName(QStringLiteral("workgroup")))
{
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("Could not find the workgroup file '%1'.").arg(path),
                      DbError::Kind::NotFound);
    QSqlDatabase d = openFile(path, m_connection);
    try {
        QSqlQuery q = SqlExec::run(d, QStringLiteral("SELECT Value FROM wgInfo WHERE Key = 'format'"));
        if (!q.next() || q.value(0).toString() != QLatin1String(kFormat))
            throw DbError(QStringLiteral("The file '%1' is not a Vellomar workgroup file.").arg(path));
        const auto loginFailed = [] {
            return DbError(QStringLiteral("Not a valid account name or password."),
                           DbError::Kind::Login);
        };
        QSqlQuery a = SqlExec::run(d, QStringLiteral(
            "SELECT Name, CanLogin, PasswordHash FROM wgAccount WHERE NameKey = ? AND IsGroup = 0"),
            {key(userName)});
        if (!a.next())
            throw loginFailed();
        if (!a.value(1).toBool() || !PasswordHash::verify(a.value(2).toString(), password))
            throw loginFailed();
        m_userName = a.value(0).toString();
    } catch (const DbError &e) {
        d = QSqlDatabase();
        SqlExec::removeConnection(m_connection);
        if (e.message().contains(QLatin1String("no such table")))
            throw DbError(QStringLiteral("The file '%1' is not a Vellomar workgroup file.").arg(path));
        throw;
    }
}

Workgroup::~Workgroup() { SqlExec::removeConnection(m_connection); }

QSqlDatabase Workgroup::db() const { return QSqlDatabase::database(m_connection, false); }

Workgroup::Account Workgroup::findAccount(const QString &name, bool wantGroup)
{
    QSqlQuery q = SqlExec::run(db(), QStringLiteral(
        "SELECT AccountID, Name, IsGroup, CanLogin, PasswordHash FROM wgAccount WHERE NameKey = ?"),
        {key(name)});
    if (!q.next() || q.value(2).toBool() != wantGroup)
        throw DbError(wantGroup ? QStringLiteral("The group '%1' does not exist.").arg(name)
                                : QStringLiteral("The user '%1' does not exist.").arg(name),
                      DbError::Kind::NotFound);
    return Account{q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toBool(),
                   q.value(3).toBool(), q.value(4).toString()};
}

void Workgroup::requireAdministrator(const char *what)
{
    for (const QString &g : loggedInUserGroups())
        if (g.compare(QLatin1String("Admins"), Qt::CaseInsensitive) == 0 ||
            g.compare(QLatin1String("CallAdmins"), Qt::CaseInsensitive) == 0)
            return;
    throw DbError(QStringLiteral("You do not have permission to %1: only members of Admins or "
                                 "CallAdmins manage users and groups.").arg(QLatin1String(what)),
                  DbError::Kind::Permission);
}

QStringList Workgroup::loggedInUserGroups() { return groupsOf(m_userName); }

QStringList Workgroup::accountNames(bool groups)
{
    QStringList out;
    QSqlQuery q = SqlExec::run(db(), QStringLiteral(
        "SELECT Name FROM wgAccount WHERE IsGroup = ? ORDER BY AccountID"), {groups ? 1 : 0});
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QStringList Workgroup::users() { return accountNames(false); }

QStringList Workgroup::groups() { return accountNames(true); }

QStringList Workgroup::groupsOf(const QString &user)
{
    const Account u = findAccount(user, false);
    QStringList out;
    QSqlQuery q = SqlExec::run(db(), QStringLiteral(
        "SELECT g.Name FROM wgMembership m JOIN wgAccount g ON g.AccountID = m.GroupID "
        "WHERE m.UserID = ? ORDER BY m.MembershipID"), {u.id});
    while (q.next())
        out << q.value(0).toString();
    return out;
}

void Workgroup::addUser(const QString &name, const QString &password)
{
    requireAdministrator("add users");
    if (const QString bad = validateAccountName(name); !bad.isEmpty())
        throw DbError(bad);
    inTransaction(db(), [&] {
        QSqlQuery q = SqlExec::run(db(), QStringLiteral(
            "SELECT Name FROM wgAccount WHERE NameKey = ?"), {key(name)});
        if (q.next())
            throw DbError(QStringLiteral("The account name '%1' already exists.").arg(q.value(0).toString()),
                          DbError::Kind::Constraint);
        SqlExec::run(db(), QStringLiteral("INSERT INTO wgAccount (Name, NameKey, IsGroup, CanLogin, "
                                          "PasswordHash) VALUES (?, ?, 0, 1, ?)"),
                     {name, key(name), PasswordHash::hash(password)});
    });
}

void Workgroup::deleteUser(const QString &name)
{
    requireAdministrator("delete users");
    const Account u = findAccount(name, false);
    for (const char *builtIn : kBuiltInAccounts)
        if (u.name.compare(QLatin1String(builtIn), Qt::CaseInsensitive) == 0)
            throw DbError(QStringLiteral("The built-in account '%1' cannot be deleted.").arg(u.name));
    if (key(u.name) == key(m_userName))
        throw DbError(QStringLiteral("You cannot delete the user '%1': you are logged in as that "
                                     "user.").arg(u.name));
    inTransaction(db(), [&] {
        SqlExec::run(db(), QStringLiteral("DELETE FROM wgMembership WHERE UserID = ?"), {u.id});
        SqlExec::run(db(), QStringLiteral("DELETE FROM wgAccount WHERE AccountID = ?"), {u.id});
    });
}

void Workgroup::addToGroup(const QString &user, const QString &group)
{
    requireAdministrator("change group memberships");
    const Account u = findAccount(user, false);
    const Account g = findAccount(group, true);
    inTransaction(db(), [&] {
        QSqlQuery q = SqlExec::run(db(), QStringLiteral(
            "SELECT 1 FROM wgMembership WHERE UserID = ? AND GroupID = ?"), {u.id, g.id});
        if (q.next())
            throw DbError(QStringLiteral("The user '%1' is already a member of '%2'.")
                              .arg(u.name, g.name), DbError::Kind::Constraint);
        SqlExec::run(db(), QStringLiteral("INSERT INTO wgMembership (UserID, GroupID) VALUES (?, ?)"),
                     {u.id, g.id});
    });
}

void Workgroup::removeFromGroup(const QString &user, const QString &group)
{
    requireAdministrator("change group memberships");
    const Account u = findAccount(user, false);
    const Account g = findAccount(group, true);
    inTransaction(db(), [&] {
        QSqlQuery q = SqlExec::run(db(), QStringLiteral(
            "SELECT 1 FROM wgMembership WHERE UserID = ? AND GroupID = ?"), {u.id, g.id});
        if (!q.next())
            throw DbError(QStringLiteral("The user '%1' is not a member of '%2'.").arg(u.name, g.name),
                          DbError::Kind::NotFound);
        SqlExec::run(db(), QStringLiteral("DELETE FROM wgMembership WHERE UserID = ? AND GroupID = ?"),
                     {u.id, g.id});
    });
}

void Workgroup::writePassword(qint64 accountId, const QString &password)
{
    SqlExec::run(db(), QStringLiteral("UPDATE wgAccount SET PasswordHash = ? WHERE AccountID = ?"),
                 {PasswordHash::hash(password), accountId});
}

void Workgroup::changePassword(const QString &user, const QString &oldPassword,
                               const QString &newPassword)
{
    inTransaction(db(), [&] {
        // Read inside the transaction: another workstation may have changed it meanwhile.
        const Account u = findAccount(user, false);
        if (key(u.name) != key(m_userName))
            requireAdministrator("change another user's password");
        if (!u.canLogin)
            throw DbError(QStringLiteral("The password of the built-in account '%1' cannot be "
                                         "changed.").arg(u.name));
        if (!PasswordHash::verify(u.hash, oldPassword))
            throw DbError(QStringLiteral("Not a valid password: the old password does not match."),
                          DbError::Kind::Login);
        writePassword(u.id, newPassword);
    });
}

void Workgroup::setPassword(const QString &user, const QString &newPassword)
{
    requireAdministrator("reset passwords");
    inTransaction(db(), [&] {
        const Account u = findAccount(user, false);
        if (!u.canLogin)
            throw DbError(QStringLiteral("The password of the built-in account '%1' cannot be "
                                         "changed.").arg(u.name));
        writePassword(u.id, newPassword);
    });
}
