#include "DemoDataGenerator.h"
#include "SchemaCatalog.h"
#include "TestDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <vector>

namespace {

const QDate kUntil(2026, 6, 30);

DemoDataOptions options(int orgs, int people, int calls, int actionsPerCall, quint64 seed)
{
    DemoDataOptions o;
    o.orgs = orgs;
    o.people = people;
    o.calls = calls;
    o.actionsPerCall = actionsPerCall;
    o.seed = seed;
    o.until = kUntil;
    return o;
}

qint64 scalar(Engine &e, const QString &sql)
{
    QSqlQuery q = e.run(sql);
    return q.next() ? q.value(0).toLongLong() : -1;
}

// Every row of a table in key order, each as one line of its values.
QStringList dump(Engine &e, const char *table, const char *key)
{
    QSqlQuery q = e.run(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(QLatin1String(table),
                                                                            QLatin1String(key)));
    QStringList rows;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            values << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString());
        rows << values.join(u'|');
    }
    return rows;
}

const char kClosed[] = "(SELECT v.ValueID FROM tblValuesList v JOIN tblValueCategory k "
                       "ON k.ValueCategoryID = v.ValueCategoryID "
                       "WHERE k.ValueCategory = 'Status' AND v.Description = 'Closed')";

QString keysOf(const char *category)
{
    return QStringLiteral("(SELECT v.ValueID FROM tblValuesList v JOIN tblValueCategory k "
                          "ON k.ValueCategoryID = v.ValueCategoryID WHERE k.ValueCategory = '%1')")
        .arg(QLatin1String(category));
}

// The rules every generated row keeps, each as a count of the rows that break it.
void expectConsistent(Engine &e)
{
    const QString closed = QLatin1String(kClosed);
    const QString stored = QStringLiteral(
        "[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9].000");
    const std::pair<const char *, QString> rules[] = {
        {"call contact belongs to another organisation",
         "SELECT count(*) FROM tblCall c JOIN tblPerson p ON p.PersonID = c.ContactID "
         "WHERE p.OrgID <> c.OrgID"},
        {"action contact belongs to another organisation",
         "SELECT count(*) FROM tblAction a JOIN tblPerson p ON p.PersonID = a.ContactID "
         "WHERE p.OrgID <> a.OrgID"},
        {"call or action owned by someone who is not staff",
         "SELECT count(*) FROM (SELECT OwnerID FROM tblCall UNION ALL SELECT OwnerID FROM tblAction) o "
         "JOIN tblPerson p ON p.PersonID = o.OwnerID JOIN tblValuesList v ON v.ValueID = p.PersonTypeID "
         "WHERE v.Description <> 'User'"},
        {"closed call without a resolution, or resolved before it came in",
         "SELECT count(*) FROM tblCall WHERE StatusID = " + closed +
             " AND (ResolvedDate IS NULL OR ResolvedDate < InputDate OR ResolutionID IS NULL)"},
        {"open call with a resolution",
         "SELECT count(*) FROM tblCall WHERE StatusID <> " + closed +
             " AND (ResolvedDate IS NOT NULL OR ResolutionID IS NOT NULL)"},
        {"call due before it came in, or stamped apart from its input",
         "SELECT count(*) FROM tblCall WHERE DueDate <= InputDate OR TimeStamp <> InputDate"},
        {"action of a closed call left open or resolved after the call",
         "SELECT count(*) FROM tblAction a JOIN tblCall c ON c.CallID = a.CallID WHERE c.StatusID = " +
             closed + " AND (a.StatusID <> " + closed + " OR a.ResolvedDate > c.ResolvedDate)"},
        {"action closed without a resolved date, or open with one",
         "SELECT count(*) FROM tblAction WHERE (StatusID = " + closed +
             ") <> (ResolvedDate IS NOT NULL)"},
        {"action dated before its call, or due or resolved before its input",
         "SELECT count(*) FROM tblAction a JOIN tblCall c ON c.CallID = a.CallID "
         "WHERE a.InputDate < c.InputDate OR a.DueDate <= a.InputDate OR a.ResolvedDate < a.InputDate"},
        {"call without actions", "SELECT count(*) FROM tblCall c WHERE NOT EXISTS "
                                 "(SELECT 1 FROM tblAction a WHERE a.CallID = c.CallID)"},
        {"someone who is not staff in the staff's organisation",
         "SELECT count(*) FROM tblPerson p JOIN tblValuesList v ON v.ValueID = p.PersonTypeID "
         "WHERE v.Description <> 'User' AND p.OrgID IN (SELECT s.OrgID FROM tblPerson s "
         "JOIN tblValuesList t ON t.ValueID = s.PersonTypeID WHERE t.Description = 'User')"},
        {"date-time not in the stored form or not whole seconds",
         "SELECT count(*) FROM (SELECT InputDate AS d FROM tblCall UNION ALL SELECT DueDate FROM tblCall "
         "UNION ALL SELECT ResolvedDate FROM tblCall UNION ALL SELECT InputDate FROM tblAction "
         "UNION ALL SELECT DueDate FROM tblAction UNION ALL SELECT ResolvedDate FROM tblAction "
         "UNION ALL SELECT InputDate FROM tblOrganization UNION ALL SELECT InputDate FROM tblPerson) "
         "WHERE d IS NOT NULL AND d NOT GLOB '" + stored + "'"},
    };
    for (const auto &[what, sql] : rules)
        EXPECT_EQ(scalar(e, sql), 0) << what;

    // Keys come from the right category of the values lists.
    const struct { const char *table, *column, *category; } refs[] = {
        {"tblCall", "MethodID", "Call Method"},     {"tblCall", "TypeID", "Call Type"},
        {"tblCall", "StatusID", "Status"},          {"tblCall", "ResolutionID", "Resolution Type"},
        {"tblAction", "MethodID", "Call Method"},   {"tblAction", "StatusID", "Status"},
        {"tblPerson", "PersonTypeID", "Person Type"},
        {"tblOrganization", "OrgTypeID", "Organization Type"},
        {"tblOrganization", "CountryID", "Country"},
    };
    for (const auto &r : refs)
        EXPECT_EQ(scalar(e, QStringLiteral("SELECT count(*) FROM %1 WHERE %2 NOT IN %3")
                                .arg(QLatin1String(r.table), QLatin1String(r.column), keysOf(r.category))),
                  0)
            << r.table << '.' << r.column;

    // Texts fit their columns.
    for (const char *table : {"tblOrganization", "tblPerson", "tblCall", "tblAction"}) {
        for (const auto &c : SchemaCatalog::findTable(QLatin1String(table))->columns) {
            if (c.type != SchemaCatalog::ColumnType::Text)
                continue;
            EXPECT_LE(scalar(e, QStringLiteral("SELECT coalesce(max(length(%1)), 0) FROM %2")
                                    .arg(QLatin1String(c.name), QLatin1String(table))),
                      c.size)
                << table << '.' << c.name;
        }
    }
}

TEST(DemoData, AddsConsistentRowsToWhatIsThere)
{
    TestDatabase db;
    auto e = db.open();

    QStringList stages;
    DemoDataOptions first = options(20, 60, 200, 3, 1);
    first.progress = [&](const QString &stage, qint64 done, qint64 total) {
        if (done == total)
            stages << QStringLiteral("%1 %2").arg(stage).arg(total);
    };
    DemoDataSummary s;
    EXPECT_NO_DB_ERROR(s = DemoDataGenerator::generate(*e, first));
    EXPECT_EQ(s.orgs, 20);
    EXPECT_EQ(s.people, 60);
    EXPECT_EQ(s.calls, 200);
    EXPECT_EQ(s.actions, 600);
    EXPECT_EQ(stages, QStringList({"Organisations 20", "People 60", "Calls 200", "Actions 600"}));
    const char staffOrgs[] = "SELECT count(DISTINCT p.OrgID) FROM tblPerson p JOIN tblValuesList v "
                             "ON v.ValueID = p.PersonTypeID WHERE v.Description = 'User'";
    EXPECT_EQ(scalar(*e, staffOrgs), 1);

    // A second run adds to the first with keys of its own.
    EXPECT_NO_DB_ERROR(DemoDataGenerator::generate(*e, options(10, 30, 51, 2, 2)));
    EXPECT_EQ(scalar(*e, "SELECT count(*) FROM tblOrganization"), 30);
    EXPECT_EQ(scalar(*e, "SELECT count(*) FROM tblPerson"), 90);
    EXPECT_EQ(scalar(*e, "SELECT count(*) FROM tblCall"), 251);
    EXPECT_EQ(scalar(*e, "SELECT count(*) FROM tblAction"), 702);
    // Staff: about one in a hundred people, but never fewer than five per run.
    EXPECT_EQ(scalar(*e, "SELECT count(*) FROM tblPerson p JOIN tblValuesList v "
                         "ON v.ValueID = p.PersonTypeID WHERE v.Description = 'User'"),
              10);
    EXPECT_EQ(scalar(*e, staffOrgs), 2);
    // Actions per call vary around the asked number.
    QSqlQuery spread = e->run(QStringLiteral(
        "SELECT min(n), max(n) FROM (SELECT count(*) AS n FROM tblAction GROUP BY CallID)"));
    ASSERT_TRUE(spread.next());
    EXPECT_GE(spread.value(0).toInt(), 1);
    EXPECT_GT(spread.value(1).toInt(), 3);

    expectConsistent(*e);
}

TEST(DemoData, OlderCallsAreMostlyClosedAndSomeNotesMentionABoiler)
{
    TestDatabase db;
    auto e = db.open();
    EXPECT_NO_DB_ERROR(DemoDataGenerator::generate(*e, options(15, 40, 4000, 1, 3)));

    const QString closed = QLatin1String(kClosed);
    auto closedShare = [&](const QString &from, const QString &to) {
        const QString where = QStringLiteral(" WHERE InputDate >= '%1' AND InputDate < '%2'").arg(from, to);
        const double all = double(scalar(*e, "SELECT count(*) FROM tblCall" + where));
        EXPECT_GT(all, 0) << from.toStdString();
        return double(scalar(*e, "SELECT count(*) FROM tblCall" + where + " AND StatusID = " + closed)) / all;
    };
    EXPECT_GT(closedShare("2021-01-01", "2026-04-01"), 0.95);
    EXPECT_LT(closedShare("2026-06-24", "2026-07-01"), 0.5);

    // The history spans years and ends on the last day asked for.
    EXPECT_LT(scalar(*e, "SELECT count(*) FROM tblCall WHERE InputDate < '2022-01-01'"), 4000);
    EXPECT_GT(scalar(*e, "SELECT count(*) FROM tblCall WHERE InputDate < '2022-01-01'"), 0);
    EXPECT_EQ(scalar(*e, "SELECT count(*) FROM tblCall WHERE InputDate >= '2026-07-01'"), 0);
    EXPECT_EQ(scalar(*e, "SELECT count(*) FROM tblCall WHERE ResolvedDate >= '2026-07-01'"), 0);

    const qint64 boilers = scalar(*e, "SELECT count(*) FROM tblCall WHERE Notes LIKE '%boiler%'");
    EXPECT_GE(boilers, 20);
    EXPECT_LE(boilers, 160);
    EXPECT_LT(scalar(*e, "SELECT min(length(Notes)) FROM tblCall"), 30);
    EXPECT_GT(scalar(*e, "SELECT max(length(Notes)) FROM tblCall"), 500);
}

TEST(DemoData, SameSeedGivesTheSameRows)
{
    std::vector<std::unique_ptr<TestDatabase>> dbs;
    std::vector<std::unique_ptr<SqliteEngine>> engines;
    for (quint64 seed : {7, 7, 8}) {
        dbs.push_back(std::make_unique<TestDatabase>());
        engines.push_back(dbs.back()->open());
        EXPECT_NO_DB_ERROR(DemoDataGenerator::generate(*engines.back(), options(20, 60, 200, 3, seed)));
    }
    const std::pair<const char *, const char *> tables[] = {
        {"tblOrganization", "OrgID"}, {"tblPerson", "PersonID"},
        {"tblCall", "CallID"}, {"tblAction", "ActionID"}};
    for (const auto &[table, key] : tables) {
        SCOPED_TRACE(table);
        const QStringList rows = dump(*engines[0], table, key);
        EXPECT_FALSE(rows.isEmpty());
        EXPECT_EQ(rows, dump(*engines[1], table, key));
        EXPECT_NE(rows, dump(*engines[2], table, key));
    }
}

TEST(DemoData, RefusesBeforeWritingAnything)
{
    struct Case
    {
        const char *what;
        DemoDataOptions options;
        const char *prepare;   // a change to the values lists first, or nullptr
        DbError::Kind kind;
        const char *message;
    };
    const Case cases[] = {
        {"too few people for calls", options(3, 5, 10, 1, 1), nullptr, DbError::Kind::Usage,
         "at least 6 people"},
        {"negative count", options(3, 20, -1, 1, 1), nullptr, DbError::Kind::Usage, "negative"},
        {"no staff person type", options(3, 20, 10, 1, 1),
         "UPDATE tblValuesList SET Description = 'Staff' WHERE Description = 'User'",
         DbError::Kind::NotFound, "\"User\""},
        {"no closed status", options(3, 20, 10, 1, 1),
         "UPDATE tblValuesList SET Description = 'Done' WHERE Description = 'Closed'",
         DbError::Kind::NotFound, "\"Closed\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestDatabase db;
        auto e = db.open();
        if (c.prepare)
            e->run(QLatin1String(c.prepare));
        try {
            DemoDataGenerator::generate(*e, c.options);
            ADD_FAILURE() << "generated";
        } catch (const DbError &err) {
            EXPECT_EQ(err.kind(), c.kind);
            EXPECT_TRUE(err.message().contains(QLatin1String(c.message))) << err.message().toStdString();
        }
        EXPECT_EQ(scalar(*e, "SELECT count(*) FROM tblOrganization"), 0);
    }
}

} // namespace
