#include "JetStatementTable.h"
#include "TestDatabase.h"

#include <QSqlQuery>

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
