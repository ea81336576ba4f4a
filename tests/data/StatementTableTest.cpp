#include "JetStatementTable.h"
#include "TestDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// Every statement the windows and reports send must translate for both engines and run on
// SQLite against a real schema (parameters bound as 1).
TEST(StatementTable, EveryStatementTranslatesAndRuns)
{
    TestDatabase db;
    auto engine = db.open();
    for (const JetStatementCase &c : kJetStatements) {
        SCOPED_TRACE(c.name);
        const QString jet = QString::fromUtf8(c.sql);
        QString postgres;
        EXPECT_NO_DB_ERROR(postgres = SqlDialect::translate(jet, SqlTarget::PostgreSQL));
        EXPECT_FALSE(postgres.contains(u'[') || postgres.contains(u'#')) << postgres.toStdString();
        QVariantMap params;
        for (const QString &name : SqlDialect::parameterNames(jet))
            params.insert(name, 1);
        EXPECT_NO_DB_ERROR({
            QSqlQuery q = engine->select(jet, params);
            while (q.next()) {
            }
        });
    }
}

} // namespace

namespace {

QString statement(const char *name)
{
    for (const JetStatementCase &c : kJetStatements)
        if (qstrcmp(c.name, name) == 0)
            return QString::fromUtf8(c.sql);
    ADD_FAILURE() << "no statement " << name;
    return {};
}

// The reports' nested outer joins list every call, also one without owner, contact or values,
// and join names with the null-propagating concatenation.
TEST(StatementTable, ReportJoinsKeepCallsWithMissingParts)
{
    TestDatabase db;
    auto e = db.open();
    e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName) VALUES ('Acme')"));
    e->execute(QStringLiteral("INSERT INTO tblPerson (OrgID, FirstName, LastName) VALUES (1, 'Ann', 'Lee')"));
    e->execute(QStringLiteral("INSERT INTO tblPerson (OrgID, FirstName) VALUES (1, 'Cher')"));
    e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, OwnerID, ContactID, MethodID, StatusID, InputDate) "
                              "VALUES (1, 1, 2, 7, 1, #01-10-2004 10:00:00#)"));
    e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, InputDate) VALUES (1, #01-11-2004 10:00:00#)"));
    QSqlQuery q = e->select(statement("calls by status report"));
    // Columns that several of the joined tables have keep their names.
    for (const char *name : {"InputDate", "User1", "User5", "Notes"})
        EXPECT_GE(q.record().indexOf(QString::fromLatin1(name)), 0) << name;
    int rows = 0;
    while (q.next()) {
        ++rows;
        if (q.value(QStringLiteral("CallID")).toInt() == 1) {
            EXPECT_EQ(q.value(QStringLiteral("OwnerName")).toString(), QStringLiteral("Ann Lee"));
            EXPECT_TRUE(q.value(QStringLiteral("ContactName")).isNull());   // no last name
            EXPECT_EQ(q.value(QStringLiteral("OrganizationName")).toString(), QStringLiteral("Acme"));
            EXPECT_EQ(q.value(QStringLiteral("Status")).toString(), QStringLiteral("Open"));
        } else {
            EXPECT_TRUE(q.value(QStringLiteral("OwnerName")).isNull());
            EXPECT_TRUE(q.value(QStringLiteral("Method")).isNull());
        }
    }
    EXPECT_EQ(rows, 2);
}

} // namespace
