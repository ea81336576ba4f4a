#include "DateTimeText.h"
#include "TestDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QVariant scalar(Engine &e, const QString &jet, const QVariantMap &params = {})
{
    QSqlQuery q = e.select(jet, params);
    return q.next() ? q.value(0) : QVariant();
}

QStringList column(Engine &e, const QString &jet)
{
    QStringList out;
    QSqlQuery q = e.select(jet);
    while (q.next())
        out << q.value(0).toString();
    return out;
}

class Schema : public ::testing::Test
{
protected:
    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();

    int addOrg(const QString &name)
    {
        e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName) VALUES (:n)"),
                   {{QStringLiteral("n"), name}});
        return scalar(*e, QStringLiteral("SELECT max(OrgID) FROM tblOrganization")).toInt();
    }
    int addPerson(int org, const QString &first, const QString &last)
    {
        e->execute(QStringLiteral("INSERT INTO tblPerson (OrgID, FirstName, LastName) VALUES (:o, :f, :l)"),
                   {{QStringLiteral("o"), org}, {QStringLiteral("f"), first}, {QStringLiteral("l"), last}});
        return scalar(*e, QStringLiteral("SELECT max(PersonID) FROM tblPerson")).toInt();
    }
    int valueId(const QString &category, const QString &description)
    {
        return scalar(*e, QStringLiteral(
                              "SELECT ValueID FROM tblValuesList INNER JOIN tblValueCategory ON "
                              "tblValuesList.ValueCategoryID = tblValueCategory.ValueCategoryID "
                              "WHERE ValueCategory = :c AND Description = :d"),
                      {{QStringLiteral("c"), category}, {QStringLiteral("d"), description}})
            .toInt();
    }
};

TEST_F(Schema, SeedRowsAreThoseTheProgramLooksUp)
{
    EXPECT_EQ(column(*e, QStringLiteral("SELECT ValueCategory FROM tblValueCategory ORDER BY ValueCategoryID")),
              (QStringList{"Status", "Call Method", "Call Type", "Country", "Person Type",
                           "Organization Type", "Relationship Type", "Organization User Fields",
                           "Person User Fields", "Action User Fields", "Call User Fields",
                           "Resolution Type"}));
    EXPECT_GT(valueId("Status", "Open"), 0);
    EXPECT_GT(valueId("Status", "Closed"), 0);
    EXPECT_GT(valueId("Person Type", "User"), 0);
    for (const char *c : {"Organization User Fields", "Person User Fields", "Action User Fields",
                          "Call User Fields"}) {
        SCOPED_TRACE(c);
        EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblValuesList v INNER JOIN tblValueCategory c "
                                            "ON v.ValueCategoryID = c.ValueCategoryID WHERE c.ValueCategory = :c"),
                         {{QStringLiteral("c"), QString::fromLatin1(c)}}).toInt(), 5);
    }
    // One default in each category that proposes one, "Open" among the statuses.
    for (const char *c : {"Status", "Call Method", "Call Type", "Country", "Organization Type"}) {
        SCOPED_TRACE(c);
        EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblValuesList v INNER JOIN tblValueCategory c "
                                            "ON v.ValueCategoryID = c.ValueCategoryID "
                                            "WHERE c.ValueCategory = :c AND IsDefault = true"),
                         {{QStringLiteral("c"), QString::fromLatin1(c)}}).toInt(), 1);
    }
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT Description FROM tblValuesList WHERE IsDefault = true "
                                        "AND ValueCategoryID = 1")).toString(), QStringLiteral("Open"));
    EXPECT_GE(scalar(*e, QStringLiteral("SELECT count(*) FROM tblValuesList WHERE ValueCategoryID = 12")).toInt(), 1);
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblSysParms")).toInt(), 1);
    EXPECT_GT(scalar(*e, QStringLiteral("SELECT count(*) FROM tblUrgency WHERE IsSys = true")).toInt(), 0);
    EXPECT_GT(scalar(*e, QStringLiteral("SELECT count(*) FROM tblUrgency WHERE IsSys = false")).toInt(), 0);
    EXPECT_EQ(column(*e, QStringLiteral("SELECT ReportName FROM tblReport ORDER BY ReportID")),
              (QStringList{"CallStat", "OrgCallStat", "Turnaround", "LiveCallsByDate",
                           "LiveCallsByOwner", "CallsActions", "OverallCallStatistics",
                           "CallStatisticsByMonth", "CallByID"}));
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblReport WHERE ListName IS NULL OR ListName = ''")).toInt(), 0);
    EXPECT_EQ(e->run(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' "
                                    "AND name = 'ValueID' AND tbl_name = 'tblUrgency'"))
                  .next(), true);
}

TEST_F(Schema, TextComparisonIgnoresCaseInEveryAlphabet)
{
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblValuesList WHERE Description = 'closed'")).toInt(), 1);
    const int org = addOrg(QStringLiteral("ÅSA Ölund Ltd"));
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT OrgID FROM tblOrganization WHERE OrganizationName = 'åsa ölund ltd'")).toInt(), org);
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT OrgID FROM tblOrganization WHERE OrganizationName LIKE '%SA ÖL%'")).toInt(), org);
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblOrganization WHERE OrganizationName LIKE 'asa%'")).toInt(), 0);
    // Ordering follows the same rule: "b" sorts between "A" and "C".
    addOrg(QStringLiteral("b")); addOrg(QStringLiteral("A")); addOrg(QStringLiteral("C"));
    EXPECT_EQ(column(*e, QStringLiteral("SELECT OrganizationName FROM tblOrganization WHERE length(OrganizationName) = 1 "
                                        "ORDER BY OrganizationName")),
              (QStringList{"A", "b", "C"}));
}

TEST_F(Schema, IdentifiersInAnyCaseNameTheSameColumn)
{
    const int org = addOrg(QStringLiteral("Acme"));
    e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, Notes) VALUES (:o, 'x')"), {{QStringLiteral("o"), org}});
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblCall WHERE CallId > 0")),
              scalar(*e, QStringLiteral("SELECT count(*) FROM tblCall WHERE CallID > 0")));
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT orgid FROM TBLCALL WHERE [callID] > 0")).toInt(), org);
}

TEST_F(Schema, OverlongTextIsRefusedNamingTheColumn)
{
    const int org = addOrg(QStringLiteral("Acme"));
    EXPECT_DB_ERROR(e->execute(QStringLiteral("UPDATE tblOrganization SET PostCode = '12345678901' WHERE OrgID = :o"),
                               {{QStringLiteral("o"), org}}),
                    QStringLiteral("tblOrganization.PostCode holds at most 10 characters"));
    EXPECT_TRUE(scalar(*e, QStringLiteral("SELECT PostCode FROM tblOrganization WHERE OrgID = :o"),
                       {{QStringLiteral("o"), org}}).isNull());
    // Ten characters fit, whatever their alphabet.
    EXPECT_NO_DB_ERROR(e->execute(QStringLiteral("UPDATE tblOrganization SET PostCode = 'ÅÄÖÜ ÉÈÊ12' WHERE OrgID = :o"),
                                  {{QStringLiteral("o"), org}}));
}

TEST_F(Schema, RowsOthersReferToCannotBeDeleted)
{
    const int org = addOrg(QStringLiteral("Acme"));
    const int owner = addPerson(org, QStringLiteral("Ann"), QStringLiteral("Owner"));
    e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, OwnerID) VALUES (:o, :p)"),
               {{QStringLiteral("o"), org}, {QStringLiteral("p"), owner}});
    EXPECT_DB_ERROR(e->execute(QStringLiteral("DELETE FROM tblPerson WHERE PersonID = :p"), {{QStringLiteral("p"), owner}}),
                    QStringLiteral("tblCall"));
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblPerson")).toInt(), 1);
    // A list value in use is kept too; an unused one can go.
    e->execute(QStringLiteral("UPDATE tblCall SET StatusID = :s"), {{QStringLiteral("s"), valueId("Status", "Open")}});
    EXPECT_DB_ERROR(e->execute(QStringLiteral("DELETE FROM tblValuesList WHERE Description = 'Open'")),
                    QStringLiteral("cannot be deleted"));
    EXPECT_NO_DB_ERROR(e->execute(QStringLiteral("DELETE FROM tblValuesList WHERE Description = 'On Hold'")));
}

TEST_F(Schema, AutoNumbersAreNeverReused)
{
    const int first = addOrg(QStringLiteral("One"));
    e->execute(QStringLiteral("DELETE FROM tblOrganization WHERE OrgID = :o"), {{QStringLiteral("o"), first}});
    EXPECT_GT(addOrg(QStringLiteral("Two")), first);
}

TEST_F(Schema, DateTimesRoundTripAndSubtractAsDays)
{
    const int org = addOrg(QStringLiteral("Acme"));
    const QDateTime input(QDate(2026, 6, 1), QTime(10, 0, 0));
    const QDateTime resolved(QDate(2026, 6, 2), QTime(22, 0, 0));
    e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, InputDate, ResolvedDate) VALUES (:o, :i, :r)"),
               {{QStringLiteral("o"), org}, {QStringLiteral("i"), input}, {QStringLiteral("r"), resolved}});
    EXPECT_DOUBLE_EQ(scalar(*e, QStringLiteral("SELECT tblCall.[ResolvedDate]-tblCall.[InputDate] FROM tblCall")).toDouble(), 1.5);
    // Found again by equality, as a literal and as a bound value.
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblCall WHERE InputDate = #06-01-2026 10:00:00#")).toInt(), 1);
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblCall WHERE InputDate = :i"),
                     {{QStringLiteral("i"), input}}).toInt(), 1);
    const QVariant back = e->fromEngine(scalar(*e, QStringLiteral("SELECT InputDate FROM tblCall")),
                                        SchemaCatalog::ColumnType::DateTime);
    EXPECT_EQ(back.toDateTime(), input);
    // A bound fraction of a second is kept, and a range bound to the second includes it.
    const QDateTime withMs(QDate(2026, 6, 1), QTime(23, 59, 0, 250));
    e->execute(QStringLiteral("UPDATE tblCall SET DueDate = :d"), {{QStringLiteral("d"), withMs}});
    EXPECT_EQ(e->fromEngine(scalar(*e, QStringLiteral("SELECT DueDate FROM tblCall")),
                            SchemaCatalog::ColumnType::DateTime).toDateTime(), withMs);
    EXPECT_EQ(scalar(*e, QStringLiteral("SELECT count(*) FROM tblCall WHERE DueDate >= #06-01-2026 23:59:00#")).toInt(), 1);
}

TEST_F(Schema, LiveCallsOfAnOwnerFromTheSavedQuery)
{
    const int org = addOrg(QStringLiteral("Acme"));
    const int owner = addPerson(org, QStringLiteral("Ann"), QStringLiteral("Owner"));
    const int other = addPerson(org, QStringLiteral("Bob"), QStringLiteral("Other"));
    const int open = valueId("Status", "Open");
    const int closed = valueId("Status", "Closed");
    auto addCall = [&](int who, int status, const QString &due) {
        e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, OwnerID, ContactID, StatusID, DueDate) "
                                  "VALUES (:o, :w, :c, :s, :d)"),
                   {{QStringLiteral("o"), org}, {QStringLiteral("w"), who}, {QStringLiteral("c"), other},
                    {QStringLiteral("s"), status}, {QStringLiteral("d"), due}});
    };
    addCall(owner, open, QStringLiteral("2026-12-20 00:00:00.000"));
    addCall(owner, closed, QStringLiteral("2026-12-01 00:00:00.000"));
    addCall(owner, open, QStringLiteral("2026-12-10 00:00:00.000"));
    addCall(other, open, QStringLiteral("2026-12-05 00:00:00.000"));

    const QString sql = e->savedQuerySql(QStringLiteral("QryLiveCallsByUser"));
    QSqlQuery q = e->select(sql, {{QStringLiteral("prmPersonID"), owner}});
    QStringList names;
    const QSqlRecord r = q.record();
    for (int i = 0; i < r.count(); ++i)
        names << r.fieldName(i);
    EXPECT_EQ(names, (QStringList{"CallID", "CallRef", "InputDate", "DueDate", "ResolvedDate", "Notes",
                                  "StatusID", "OwnerName", "ContactName", "OrganizationName", "Method",
                                  "Type", "Status", "Resolution", "FirstName", "LastName", "OrgID"}));
    QStringList due;
    while (q.next()) {
        due << q.value(QStringLiteral("DueDate")).toString().left(10);
        EXPECT_EQ(q.value(QStringLiteral("OwnerName")).toString(), QStringLiteral("Ann Owner"));
        EXPECT_EQ(q.value(QStringLiteral("ContactName")).toString(), QStringLiteral("Bob Other"));
    }
    EXPECT_EQ(due, (QStringList{"2026-12-10", "2026-12-20"}));
    // No owner chosen: nothing.
    QSqlQuery none = e->select(sql, {{QStringLiteral("prmPersonID"), QVariant()}});
    EXPECT_FALSE(none.next());
    EXPECT_DB_ERROR(e->savedQuerySql(QStringLiteral("QryNoSuchThing")), QStringLiteral("does not exist"));
}

} // namespace
