#include "TestDatabase.h"

#include <QSqlQuery>

namespace {

int count(Engine &e, const QString &table)
{
    QSqlQuery q = e.select(QStringLiteral("SELECT count(*) FROM ") + table);
    q.next();
    return q.value(0).toInt();
}

// What each group may change, enforced by the engine whatever program sends the statement.
TEST(Rights, EachGroupChangesOnlyItsTables)
{
    TestDatabase db;
    const struct { const char *user; QStringList groups; } users[] = {
        {"reader", {"CallReadUsers"}}, {"nogroup", {}}, {"worker", {"CallUsers"}},
        {"manager", {"CallManagers", "CallReadUsers"}}, {"chief", {"CallAdmins"}}};
    for (const auto &u : users)
        db.addUser(QString::fromLatin1(u.user), QString(), u.groups);

    // table -> the users allowed to insert into it
    const struct { const char *insert; QStringList allowed; } tables[] = {
        {"INSERT INTO tblOrganization (OrganizationName) VALUES ('x')", {"worker", "manager", "chief"}},
        {"INSERT INTO tblPerson (LastName) VALUES ('x')", {"worker", "manager", "chief"}},
        {"INSERT INTO tblCall (Notes) VALUES ('x')", {"worker", "manager", "chief"}},
        {"INSERT INTO tblAction (Notes) VALUES ('x')", {"worker", "manager", "chief"}},
        {"INSERT INTO tblValuesList (ValueCategoryID, Description) VALUES (2, 'x')", {"manager", "chief"}},
        {"INSERT INTO tblUrgency (Description) VALUES ('x')", {"manager", "chief"}},
        {"INSERT INTO tblSysParms (DueDateDuration) VALUES (1)", {"manager", "chief"}},
        {"INSERT INTO tblReport (ReportID, ReportName) VALUES (99, 'x')", {"chief"}},
        {"INSERT INTO tblValueCategory (ValueCategoryID, ValueCategory) VALUES (99, 'x')", {"chief"}},
    };
    for (const auto &u : users) {
        auto e = db.open(QString::fromLatin1(u.user));
        for (const auto &t : tables) {
            SCOPED_TRACE(std::string(u.user) + ": " + t.insert);
            const QString sql = QString::fromLatin1(t.insert);
            const QString table = sql.section(u' ', 2, 2);
            const int before = count(*e, table);
            const bool allowed = t.allowed.contains(QString::fromLatin1(u.user));
            try {
                e->execute(sql);
                EXPECT_TRUE(allowed) << "the write went through";
            } catch (const DbError &err) {
                EXPECT_FALSE(allowed) << err.message().toStdString();
                EXPECT_EQ(err.kind(), DbError::Kind::Permission) << err.message().toStdString();
                EXPECT_TRUE(err.message().contains(table)) << err.message().toStdString();
                EXPECT_EQ(count(*e, table), before);
            }
        }
        // Only administrators change the design or attach other files.
        if (QString::fromLatin1(u.user) != QLatin1String("chief")) {
            EXPECT_DB_ERROR(e->execute(QStringLiteral("DROP TABLE tblReport")), QStringLiteral("not authorized"));
            EXPECT_DB_ERROR(e->execute(QStringLiteral("PRAGMA foreign_keys=OFF")), QStringLiteral("not authorized"));
        }
        EXPECT_DB_ERROR(e->execute(QStringLiteral("ATTACH 'x.db' AS other")), QStringLiteral("not authorized"));
    }
}

TEST(Catalog, ManagesUsersGroupsAndMemberships)
{
    TestDatabase db;
    auto e = db.open();
    Catalog &c = e->catalog();
    EXPECT_EQ(c.users(), (QStringList{"Admin", "Engine", "Creator", "Boss"}));
    EXPECT_EQ(c.groups(), (QStringList{"CallAdmins", "CallManagers", "CallUsers", "CallReadUsers", "Users", "Admins"}));
    EXPECT_EQ(c.groupsOf(QStringLiteral("boss")), (QStringList{"CallAdmins", "Users", "Admins"}));

    c.addUser(QStringLiteral("Dave"), QString());
    c.addToGroup(QStringLiteral("dave"), QStringLiteral("callusers"));
    c.addToGroup(QStringLiteral("Dave"), QStringLiteral("Users"));
    EXPECT_EQ(c.groupsOf(QStringLiteral("Dave")), (QStringList{"CallUsers", "Users"}));
    c.removeFromGroup(QStringLiteral("Dave"), QStringLiteral("CallUsers"));
    EXPECT_EQ(c.groupsOf(QStringLiteral("Dave")), (QStringList{"Users"}));

    // A new user logs in with an empty password.
    EXPECT_NO_DB_ERROR(db.open(QStringLiteral("Dave")));

    EXPECT_DB_ERROR(c.addUser(QStringLiteral("DAVE"), QString()), QStringLiteral("already exists"));
    EXPECT_DB_ERROR(c.addUser(QStringLiteral("Users"), QString()), QStringLiteral("already exists"));
    EXPECT_DB_ERROR(c.addUser(QStringLiteral("a[b]"), QString()), QStringLiteral("not allowed"));
    EXPECT_DB_ERROR(c.addUser(QStringLiteral("TwentyOneCharactersXX"), QString()), QStringLiteral("1 to 20"));
    EXPECT_DB_ERROR(c.addToGroup(QStringLiteral("Dave"), QStringLiteral("NoSuchGroup")), QStringLiteral("does not exist"));
    EXPECT_DB_ERROR(c.addToGroup(QStringLiteral("Dave"), QStringLiteral("Users")), QStringLiteral("already a member"));
    EXPECT_DB_ERROR(c.deleteUser(QStringLiteral("Boss")), QStringLiteral("logged in"));
    EXPECT_DB_ERROR(c.deleteUser(QStringLiteral("Engine")), QStringLiteral("built-in"));
    EXPECT_EQ(c.users().size(), 5);   // nothing half-made

    c.deleteUser(QStringLiteral("dave"));
    EXPECT_FALSE(c.users().contains(QStringLiteral("Dave")));
    EXPECT_THROW(db.open(QStringLiteral("Dave")), DbError);
}

TEST(Catalog, OnlyAdministratorsManageOthersButAnyoneChangesTheirOwnPassword)
{
    TestDatabase db;
    db.addUser(QStringLiteral("erin"), QStringLiteral("first1"), {QStringLiteral("CallManagers")});
    auto e = db.open(QStringLiteral("erin"), QStringLiteral("first1"));
    Catalog &c = e->catalog();
    EXPECT_DB_ERROR(c.addUser(QStringLiteral("mallory"), QString()), QStringLiteral("permission"));
    EXPECT_DB_ERROR(c.addToGroup(QStringLiteral("erin"), QStringLiteral("CallAdmins")), QStringLiteral("permission"));
    EXPECT_DB_ERROR(c.setPassword(QStringLiteral("Boss"), QStringLiteral("owned!")), QStringLiteral("permission"));

    EXPECT_DB_ERROR(c.changePassword(QStringLiteral("erin"), QStringLiteral("FIRST1"), QStringLiteral("second2")),
                    QStringLiteral("old password"));
    EXPECT_NO_DB_ERROR(c.changePassword(QStringLiteral("erin"), QStringLiteral("first1"), QStringLiteral("second2")));
    EXPECT_THROW(db.open(QStringLiteral("erin"), QStringLiteral("first1")), DbError);
    EXPECT_NO_DB_ERROR(db.open(QStringLiteral("erin"), QStringLiteral("second2")));
    // Changed meanwhile elsewhere: the stale old password no longer works.
    EXPECT_DB_ERROR(c.changePassword(QStringLiteral("erin"), QStringLiteral("first1"), QStringLiteral("third3")),
                    QStringLiteral("old password"));
}

TEST(Catalog, PasswordsAreStoredOnlyAsArgon2idHashes)
{
    TestDatabase db;
    db.addUser(QStringLiteral("frank"), QStringLiteral("plain-text-secret"), {});
    QFile f(db.workgroupPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(bytes.contains("plain-text-secret"));
    EXPECT_TRUE(bytes.contains("$argon2id$"));
}

} // namespace
