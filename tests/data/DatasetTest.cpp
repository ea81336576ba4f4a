#include "DataSource.h"
#include "Dataset.h"
#include "TestDatabase.h"

#include <QSet>
#include <QSignalSpy>
#include <QSqlQuery>

namespace {

// A seeded database with a few organisations, people and calls.
class DatasetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"Acme", "Bravo", "Charlie"})
            e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName) VALUES (:n)"),
                       {{QStringLiteral("n"), QString::fromLatin1(name)}});
        // people 1..3 belong to Acme, 4 to Bravo
        for (const auto &[org, first, last] : std::vector<std::tuple<int, const char *, const char *>>{
                 {1, "Ann", "Lee"}, {1, "Bob", "Ray"}, {1, "Cy", "Oakes"}, {2, "Di", "Moss"}})
            e->execute(QStringLiteral("INSERT INTO tblPerson (OrgID, FirstName, LastName) VALUES (:o, :f, :l)"),
                       {{QStringLiteral("o"), org}, {QStringLiteral("f"), QString::fromLatin1(first)},
                        {QStringLiteral("l"), QString::fromLatin1(last)}});
        addCall(1, 2, QDateTime(QDate(2026, 12, 20), QTime(9, 0)), QStringLiteral("late one"));
        addCall(1, 3, QDateTime(QDate(2026, 12, 12), QTime(9, 0)), QStringLiteral("early one"));
        addCall(2, 4, QDateTime(QDate(2026, 12, 15), QTime(9, 0)), QStringLiteral("bravo's"));
    }

    void addCall(int org, int contact, const QDateTime &due, const QString &notes)
    {
        e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, ContactID, OwnerID, DueDate, Notes) "
                                  "VALUES (:o, :c, 1, :d, :n)"),
                   {{QStringLiteral("o"), org}, {QStringLiteral("c"), contact}, {QStringLiteral("d"), due},
                    {QStringLiteral("n"), notes}});
    }

    void addManyOrgs(int n)
    {
        Engine::Transaction t(*e);
        for (int i = 0; i < n; ++i)
            e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName, Phone) VALUES (:n, :p)"),
                       {{QStringLiteral("n"), QStringLiteral("Org %1").arg(i, 5, 10, QLatin1Char('0'))},
                        {QStringLiteral("p"), QString::number(i)}});
        t.commit();
    }

    // Organisation i (0-based) gets OrgID i + 4: names repeat, also in other letter cases, and
    // phones repeat, every seventh missing.
    void addOrgsWithTies(int n)
    {
        static const char *const names[] = {"acme", "ACME", "Bravo", "bravo", "Charlie", "Delta"};
        Engine::Transaction t(*e);
        for (int i = 0; i < n; ++i)
            e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName, Phone) VALUES (:n, :p)"),
                       {{QStringLiteral("n"), QString::fromLatin1(names[i % 6])},
                        {QStringLiteral("p"), i % 7 == 0 ? QVariant() : QVariant(QString::number(i % 13))}});
        t.commit();
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();
};

TEST_F(DatasetTest, SmallResultIsReadWholeInOneStatement)
{
    Dataset calls(e.get());
    calls.setSql(QStringLiteral("Select * from tblCall\nWhere (OrgID = :OrgID)\nOrder by DueDate"));
    ASSERT_EQ(calls.params().size(), 1u);
    calls.setParamValue(QStringLiteral("OrgID"), 1);
    calls.open();
    EXPECT_EQ(calls.statementCount(), 1);
    EXPECT_EQ(calls.recordCount(), 2);
    EXPECT_EQ(calls.loadedRowCount(), 2);
    EXPECT_EQ(calls.field(QStringLiteral("notes")).asString(), QStringLiteral("early one"));
    // Fields are typed and found in any case; dates show as the program shows them.
    Field &due = calls.field(QStringLiteral("DUEDATE"));
    EXPECT_EQ(due.type(), FieldType::DateTime);
    due.setDisplayFormat(QStringLiteral("dd/mm/yyyy hh:nn:ss"));
    EXPECT_EQ(due.displayText(), QStringLiteral("12/12/2026 09:00:00"));
    EXPECT_EQ(calls.field(QStringLiteral("CallID")).type(), FieldType::Integer);
    EXPECT_TRUE(calls.field(QStringLiteral("CallID")).isReadOnly());
    EXPECT_EQ(calls.field(QStringLiteral("CallRef")).size(), 20);
    EXPECT_THROW(calls.field(QStringLiteral("NoSuchField")), DbError);
}

TEST_F(DatasetTest, CursorMovesLikeARecordset)
{
    Dataset orgs(e.get());
    orgs.setSql(QStringLiteral("SELECT OrgID, OrganizationName FROM tblOrganization ORDER BY OrganizationName"));
    orgs.open();
    QStringList seen;
    for (orgs.first(); !orgs.eof(); orgs.next())
        seen << orgs.field(QStringLiteral("OrganizationName")).asString();
    EXPECT_EQ(seen, (QStringList{"Acme", "Bravo", "Charlie"}));
    EXPECT_EQ(orgs.recNo(), 3);
    orgs.prior();
    EXPECT_EQ(orgs.recNo(), 2);
    EXPECT_FALSE(orgs.bof() || orgs.eof());
    orgs.first();
    orgs.prior();
    EXPECT_TRUE(orgs.bof());
    EXPECT_EQ(orgs.recNo(), 1);
    EXPECT_TRUE(orgs.locate(QStringLiteral("OrganizationName"), QStringLiteral("Charlie")));
    EXPECT_EQ(orgs.recNo(), 3);
    EXPECT_FALSE(orgs.locate(QStringLiteral("OrganizationName"), QStringLiteral("charlie")));   // exact
    EXPECT_FALSE(orgs.locate(QStringLiteral("OrgID"), QStringLiteral("not a number")));
    EXPECT_EQ(orgs.recNo(), 3);
}

TEST_F(DatasetTest, LargeResultReadsOnlyTheBlocksItNeeds)
{
    addManyOrgs(5000);
    Dataset orgs(e.get());
    orgs.setSql(QStringLiteral("Select OrgId, Phone, OrganizationName from tblOrganization\nORDER BY OrganizationName"));
    orgs.open();
    EXPECT_EQ(orgs.recordCount(), 5003);
    EXPECT_LE(orgs.loadedRowCount(), Dataset::kWholeReadRows + 1);
    orgs.last();
    EXPECT_EQ(orgs.field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Org 04999"));
    EXPECT_LE(orgs.loadedRowCount(), Dataset::kWholeReadRows + 1 + Dataset::kBlockRows);
    // Locate far away asks the engine for the position instead of reading every row.
    EXPECT_TRUE(orgs.locate(QStringLiteral("Phone"), QStringLiteral("2500")));
    EXPECT_EQ(orgs.field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Org 02500"));
    EXPECT_EQ(orgs.recNo(), 2500 + 3 + 1);
    EXPECT_LE(orgs.loadedRowCount(), Dataset::kWholeReadRows + 1 + 2 * Dataset::kBlockRows);
    // Rows once read stay as read until a re-query.
    e->execute(QStringLiteral("UPDATE tblOrganization SET OrganizationName = 'Zulu' WHERE Phone = '2500'"));
    EXPECT_EQ(orgs.field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Org 02500"));
    orgs.requery();
    EXPECT_EQ(orgs.recNo(), 1);
    orgs.last();
    EXPECT_EQ(orgs.field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Zulu"));
}

// Where locate lands in a large result, against a walk over every row: on the first row holding
// the value in the dataset's own order, whatever its ties, missing values and directions.
TEST_F(DatasetTest, LocateInALargeResultLandsOnTheFirstRowHoldingTheValue)
{
    addOrgsWithTies(600);
    const int bravo = 597 + 4, noPhone = 595 + 4, delta = 599 + 4;
    for (const char *first : {"Eve", "Fay", "Gus"})
        e->execute(QStringLiteral("INSERT INTO tblPerson (OrgID, FirstName, LastName) VALUES (:o, :f, 'Lee')"),
                   {{QStringLiteral("o"), delta}, {QStringLiteral("f"), QString::fromLatin1(first)}});
    const QString people = QStringLiteral(
        "SELECT tblOrganization.OrgID, OrganizationName, FirstName FROM tblOrganization "
        "LEFT JOIN tblPerson ON tblPerson.OrgID = tblOrganization.OrgID ORDER BY OrganizationName");
    struct Case
    {
        QString sql;
        QString field;
        QVariant value;
    };
    const Case cases[] = {
        {"SELECT OrgID, Phone, OrganizationName FROM tblOrganization ORDER BY OrganizationName",
         "OrgID", bravo},
        // Level with "acme" and "Acme" in the order, found to the letter.
        {"SELECT OrgID, Phone, OrganizationName FROM tblOrganization ORDER BY OrganizationName",
         "OrganizationName", QStringLiteral("ACME")},
        {"SELECT OrgID, Phone, OrganizationName FROM tblOrganization ORDER BY Phone", "OrgID", noPhone},
        {"SELECT OrgID, Phone, OrganizationName FROM tblOrganization ORDER BY Phone DESC", "OrgID", noPhone},
        {"SELECT OrgID, Phone, OrganizationName FROM tblOrganization ORDER BY Phone DESC", "Phone",
         QStringLiteral("5")},
        {"SELECT * FROM tblOrganization ORDER BY [OrganizationName] DESC, Phone", "OrgID", bravo},
        {"SELECT * FROM tblOrganization ORDER BY tblOrganization.Phone, OrgID DESC", "Phone",
         QStringLiteral("12")},
        {"SELECT * FROM tblOrganization WHERE OrgID > :Low ORDER BY OrganizationName", "OrgID", bravo},
        {"SELECT * FROM tblOrganization ORDER BY OrgID * -1", "OrgID", 300},
        // An organisation of three people: three rows level on the order and on the key.
        {people, "FirstName", QStringLiteral("Fay")},
        {people, "OrgID", delta},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql.toStdString() + " / " + c.field.toStdString());
        Dataset ds(e.get());
        ds.setSql(c.sql);
        if (!ds.params().empty())
            ds.setParamValue(QStringLiteral("Low"), 10);
        EXPECT_NO_DB_ERROR(ds.open());
        ASSERT_GT(ds.recordCount(), Dataset::kWholeReadRows);
        ASSERT_TRUE(ds.locate(c.field, c.value));
        const int landed = ds.recNo();
        EXPECT_LE(ds.loadedRowCount(), 2 * Dataset::kBlockRows + 1);   // not the whole result
        // Every row comes once, whatever the blocks it is read in.
        int firstHolding = 0;
        QSet<QString> rows;
        for (ds.first(); !ds.eof(); ds.next()) {
            QStringList values;
            for (const auto &f : ds.fields())
                values << f->asString();
            rows.insert(values.join(u'|'));
            if (firstHolding == 0 && ds.field(c.field).value() == c.value)
                firstHolding = ds.recNo();
        }
        EXPECT_EQ(rows.size(), ds.recordCount());
        EXPECT_EQ(landed, firstHolding);
    }

    // When no row holds the value to the letter, the cursor stays.
    Dataset orgs(e.get());
    orgs.setSql(cases[0].sql);
    orgs.open();
    orgs.setRecNo(7);
    EXPECT_FALSE(orgs.locate(QStringLiteral("OrganizationName"), QStringLiteral("aCmE")));
    EXPECT_FALSE(orgs.locate(QStringLiteral("OrgID"), 99999));
    EXPECT_EQ(orgs.recNo(), 7);
}

TEST_F(DatasetTest, PostWritesOneRowAndAFailedPostKeepsTheEdit)
{
    Dataset orgs(e.get());
    orgs.setSql(QStringLiteral("SELECT * FROM tblOrganization ORDER BY OrganizationName"));
    orgs.open();
    orgs.insert();
    EXPECT_EQ(orgs.state(), Dataset::State::Insert);
    EXPECT_EQ(orgs.recNo(), 0);
    orgs.field(QStringLiteral("OrganizationName")).setValue(QStringLiteral("Delta"));
    orgs.field(QStringLiteral("CountryID")).setValue(424242);   // no such value: the engine refuses
    EXPECT_DB_ERROR(orgs.post(), QStringLiteral("FOREIGN KEY constraint failed"));
    EXPECT_EQ(orgs.state(), Dataset::State::Insert);
    EXPECT_EQ(orgs.field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Delta"));
    orgs.field(QStringLiteral("CountryID")).clear();
    EXPECT_NO_DB_ERROR(orgs.post());
    EXPECT_EQ(orgs.state(), Dataset::State::Browse);
    EXPECT_EQ(orgs.field(QStringLiteral("OrgID")).asInteger(), 4);   // the engine's auto-number

    // Wrong types and over-long texts are refused before the engine sees them.
    orgs.edit();
    EXPECT_DB_ERROR(orgs.field(QStringLiteral("CountryID")).setValue(QStringLiteral("abc")),
                    QStringLiteral("whole number"));
    EXPECT_DB_ERROR(orgs.field(QStringLiteral("PostCode")).setValue(QStringLiteral("12345678901")),
                    QStringLiteral("at most 10 characters"));
    orgs.field(QStringLiteral("Town")).setValue(QStringLiteral("Leeds"));
    orgs.post();
    QSqlQuery q = e->select(QStringLiteral("SELECT Town, PostCode, IsNull(CountryID) FROM tblOrganization WHERE OrganizationName = 'Delta'")
                                .replace(QStringLiteral("IsNull(CountryID)"), QStringLiteral("CountryID IS NULL")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("Leeds"));
    EXPECT_TRUE(q.value(1).isNull());
    // Cancel of an insert leaves nothing behind.
    orgs.insert();
    orgs.cancel();
    EXPECT_EQ(orgs.recordCount(), 4);
}

TEST_F(DatasetTest, AnotherWorkstationsChangeIsNeverOverwritten)
{
    auto other = db.open();
    Dataset mine(e.get()), theirs(other.get());
    for (Dataset *d : {&mine, &theirs}) {
        d->setSql(QStringLiteral("SELECT * FROM tblOrganization ORDER BY OrganizationName"));
        d->open();
    }
    theirs.edit();
    theirs.field(QStringLiteral("Town")).setValue(QStringLiteral("York"));
    theirs.post();

    mine.edit();
    mine.field(QStringLiteral("Phone")).setValue(QStringLiteral("0113"));
    try {
        mine.post();
        ADD_FAILURE() << "overwrote";
    } catch (const DbError &err) {
        EXPECT_EQ(err.kind(), DbError::Kind::Conflict);
        EXPECT_TRUE(err.message().contains(QStringLiteral("Another user changed"))) << err.message().toStdString();
    }
    EXPECT_EQ(mine.state(), Dataset::State::Edit);
    mine.cancel();
    mine.refresh();
    EXPECT_EQ(mine.field(QStringLiteral("Town")).asString(), QStringLiteral("York"));
    EXPECT_TRUE(mine.field(QStringLiteral("Phone")).isNull());

    // A change of letter case alone is a change too.
    theirs.edit();
    theirs.field(QStringLiteral("Town")).setValue(QStringLiteral("YORK"));
    theirs.post();
    mine.edit();
    mine.field(QStringLiteral("Phone")).setValue(QStringLiteral("0113"));
    EXPECT_DB_ERROR(mine.post(), QStringLiteral("Another user changed"));
    mine.cancel();

    // A row deleted elsewhere says so.
    mine.refresh();
    theirs.last();
    e->execute(QStringLiteral("DELETE FROM tblOrganization WHERE OrganizationName = 'Charlie'"));
    theirs.edit();
    theirs.field(QStringLiteral("Town")).setValue(QStringLiteral("Hull"));
    EXPECT_DB_ERROR(theirs.post(), QStringLiteral("deleted"));
}

TEST_F(DatasetTest, DetailFollowsItsMasterAndNewRowsTakeTheMastersKey)
{
    Dataset orgs(e.get());
    orgs.setSql(QStringLiteral("Select OrgId, Phone, OrganizationName from tblOrganization\nORDER BY OrganizationName"));
    DataSource orgSource(&orgs);
    Dataset calls(e.get());
    calls.setSql(QStringLiteral("Select * from tblCall\nWhere (OrgID = :OrgID)\nOrder by DueDate"));
    calls.setMasterSource(&orgSource);
    orgs.open();
    calls.open();
    EXPECT_EQ(calls.recordCount(), 2);
    orgs.next();   // Bravo
    EXPECT_EQ(calls.recordCount(), 1);
    EXPECT_EQ(calls.field(QStringLiteral("Notes")).asString(), QStringLiteral("bravo's"));
    orgs.next();   // Charlie: no calls
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(calls.recNo(), 0);
    calls.insert();
    EXPECT_EQ(calls.field(QStringLiteral("OrgID")).asInteger(), 3);
    calls.field(QStringLiteral("Notes")).setValue(QStringLiteral("new"));
    calls.post();
    orgs.first();
    orgs.last();
    EXPECT_EQ(calls.recordCount(), 1);
    EXPECT_EQ(calls.field(QStringLiteral("Notes")).asString(), QStringLiteral("new"));

    // A table detail keeps the rows of the master's row.
    Dataset categories(e.get()), values(e.get());
    categories.setTableName(QStringLiteral("tblValueCategory"));
    DataSource categorySource(&categories);
    values.setTableName(QStringLiteral("tblValuesList"));
    values.setMasterFields({QStringLiteral("ValueCategoryID")});
    values.setMasterSource(&categorySource);
    values.setSortField(QStringLiteral("Description"));
    categories.open();
    values.open();
    EXPECT_EQ(values.field(QStringLiteral("Description")).asString(), QStringLiteral("Closed"));
    EXPECT_EQ(values.recordCount(), 3);
    EXPECT_TRUE(categories.locate(QStringLiteral("ValueCategory"), QStringLiteral("Person Type")));
    EXPECT_EQ(values.field(QStringLiteral("Description")).asString(), QStringLiteral("Contact"));
}

TEST_F(DatasetTest, PostedRowIsFoundAgainByItsInputTime)
{
    // The way the shared calls list re-finds a new call although it is ordered by due date.
    Dataset calls(e.get());
    calls.setSql(QStringLiteral("Select * from tblCall\nWhere (OrgID = :OrgID)\nOrder by DueDate"));
    calls.setParamValue(QStringLiteral("OrgID"), 1);
    const QDateTime stamp(QDate(2026, 12, 11), QTime(10, 15, 7));
    calls.afterPost = [&](Dataset &d) {
        d.requery();
        d.locate(QStringLiteral("InputDate"), stamp);
    };
    calls.open();
    calls.insert();
    calls.field(QStringLiteral("OrgID")).setValue(1);
    calls.field(QStringLiteral("InputDate")).setValue(stamp);
    calls.field(QStringLiteral("DueDate")).setValue(QDateTime(QDate(2026, 12, 14), QTime(9, 0)));
    calls.post();
    EXPECT_EQ(calls.recNo(), 2);
    EXPECT_EQ(calls.field(QStringLiteral("InputDate")).asDateTime(), stamp);
}

TEST_F(DatasetTest, LookupsResolveFromReadRowsOrOneQueryAndEditableOnesWriteTheKey)
{
    addManyOrgs(1000);
    Dataset allOrgs(e.get());
    allOrgs.setSql(QStringLiteral("Select OrgId, OrganizationName, Phone from tblOrganization\nORDER BY OrganizationName"));
    allOrgs.open();
    Dataset people(e.get());
    people.setSql(QStringLiteral("Select PersonID,[FirstName] +'  '+ [LastName] as Name,\nPhoneExternal , Email\nfrom tblPerson"));
    people.open();
    Dataset calls(e.get());
    calls.setSql(QStringLiteral("SELECT * FROM tblCall ORDER BY DueDate"));
    calls.addLookupField(QStringLiteral("ContactName"), QStringLiteral("ContactID"), &people,
                         QStringLiteral("PersonID"), QStringLiteral("Name"));
    Field &orgName = calls.addLookupField(QStringLiteral("OrgName"), QStringLiteral("OrgID"), &allOrgs,
                                          QStringLiteral("OrgId"), QStringLiteral("OrganizationName"), 32, true);
    calls.open();
    EXPECT_EQ(calls.field(QStringLiteral("ContactName")).asString(), QStringLiteral("Cy  Oakes"));
    EXPECT_EQ(orgName.asString(), QStringLiteral("Acme"));
    EXPECT_TRUE(calls.field(QStringLiteral("ContactName")).isReadOnly());

    // An organisation far down the list is found by one query, not by reading the list.
    e->execute(QStringLiteral("UPDATE tblCall SET OrgID = 1003 WHERE CallID = 1"));
    calls.requery();
    calls.last();
    const int loadedBefore = allOrgs.loadedRowCount();
    EXPECT_EQ(orgName.asString(), QStringLiteral("Org 00999"));
    EXPECT_EQ(allOrgs.loadedRowCount(), loadedBefore);

    calls.edit();
    orgName.setLookupKey(2);
    EXPECT_EQ(calls.field(QStringLiteral("OrgID")).asInteger(), 2);
    EXPECT_EQ(orgName.asString(), QStringLiteral("Bravo"));
    orgName.setValue(QStringLiteral("Charlie"));
    EXPECT_EQ(calls.field(QStringLiteral("OrgID")).asInteger(), 3);
    calls.post();

    // A renamed person shows after the lookup list is re-read.
    e->execute(QStringLiteral("UPDATE tblPerson SET FirstName = 'Cyrus' WHERE PersonID = 3"));
    calls.first();
    people.requery();
    EXPECT_EQ(calls.field(QStringLiteral("ContactName")).asString(), QStringLiteral("Cyrus  Oakes"));
}

TEST_F(DatasetTest, CalculatedFieldsAreWorkedOutPerRow)
{
    Dataset urgency(e.get());
    urgency.setTableName(QStringLiteral("tblUrgency"));
    urgency.setIndexName(QStringLiteral("ValueID"));
    urgency.addCalculatedField(QStringLiteral("CalcForDisplayThresholdTime"), FieldType::Text);
    urgency.onCalcFields = [](Dataset &d) {
        const double t = d.field(QStringLiteral("ThresholdTime")).asFloat();
        const int days = int(t);
        const int minutes = int((t - days) * 24 * 60 + 0.5);
        d.field(QStringLiteral("CalcForDisplayThresholdTime"))
            .setValue(QStringLiteral("%1, %2:%3").arg(days).arg(minutes / 60, 2, 10, QLatin1Char('0'))
                          .arg(minutes % 60, 2, 10, QLatin1Char('0')));
    };
    urgency.open();
    Field &calc = urgency.field(QStringLiteral("CalcForDisplayThresholdTime"));
    EXPECT_EQ(calc.asString(), QStringLiteral("0, 03:00"));
    EXPECT_EQ(urgency.displayTextAt(1, calc), QStringLiteral("1, 00:00"));
    urgency.edit();
    urgency.field(QStringLiteral("ThresholdTime")).setValue(2.75);
    EXPECT_EQ(calc.asString(), QStringLiteral("2, 18:00"));
    EXPECT_THROW(calc.setValue(QStringLiteral("x")), DbError);
    urgency.cancel();
}

TEST_F(DatasetTest, EventsComeInTheOrderTheWindowsRelyOn)
{
    Dataset orgs(e.get());
    orgs.setSql(QStringLiteral("SELECT * FROM tblOrganization ORDER BY OrganizationName"));
    QStringList log;
    orgs.afterOpen = [&](Dataset &) { log << "afterOpen"; };
    orgs.afterScroll = [&](Dataset &) { log << "afterScroll"; };
    orgs.beforeInsert = [&](Dataset &) { log << "beforeInsert"; };
    orgs.afterInsert = [&](Dataset &) { log << "afterInsert"; };
    orgs.beforeEdit = [&](Dataset &) { log << "beforeEdit"; };
    orgs.beforePost = [&](Dataset &) { log << "beforePost"; };
    orgs.afterPost = [&](Dataset &) { log << "afterPost"; };
    orgs.afterCancel = [&](Dataset &) { log << "afterCancel"; };
    orgs.afterDelete = [&](Dataset &) { log << "afterDelete"; };
    orgs.onFieldChange = [&](Field &f) { log << "change " + f.name(); };
    orgs.open();
    orgs.insert();
    orgs.field(QStringLiteral("OrganizationName")).setValue(QStringLiteral("Echo"));
    orgs.post();
    orgs.edit();
    orgs.cancel();
    EXPECT_EQ(log, (QStringList{"afterOpen", "afterScroll", "beforeInsert", "afterInsert", "afterScroll",
                                "change OrganizationName", "beforePost", "afterPost", "beforeEdit",
                                "afterCancel"}));

    // BeforeDelete may abandon; a refused delete reaches OnDeleteError, which may cancel it.
    log.clear();
    orgs.beforeDelete = [&](Dataset &) { log << "beforeDelete"; return false; };
    orgs.requery();   // a posted row stays where it was inserted until then
    ASSERT_EQ(orgs.field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Acme"));
    log.clear();
    orgs.remove();
    EXPECT_EQ(orgs.recordCount(), 4);
    orgs.beforeDelete = nullptr;
    orgs.onDeleteError = [&](Dataset &d, const DbError &err) {
        log << "deleteError " + err.message().left(10);
        d.cancelUpdates();
        return Dataset::DeleteErrorAction::Fail;
    };
    EXPECT_DB_ERROR(orgs.remove(), QStringLiteral("tblPerson"));   // Acme has people
    EXPECT_EQ(orgs.recordCount(), 4);
    orgs.onDeleteError = [&](Dataset &, const DbError &) { return Dataset::DeleteErrorAction::Abort; };
    EXPECT_NO_DB_ERROR(orgs.remove());
    orgs.onDeleteError = nullptr;
    EXPECT_TRUE(orgs.locate(QStringLiteral("OrganizationName"), QStringLiteral("Echo")));
    orgs.remove();
    EXPECT_EQ(orgs.recordCount(), 3);
    EXPECT_EQ(log.mid(0, 2), (QStringList{"beforeDelete", "deleteError The record"}));
    EXPECT_TRUE(log.contains(QStringLiteral("afterDelete")));
}

TEST_F(DatasetTest, SavedQueryAndParametersWithoutScanning)
{
    Dataset live(e.get());
    live.setSavedQueryName(QStringLiteral("QryLiveCallsByUser"));
    live.addParam(QStringLiteral("prmPersonID"), FieldType::Integer);
    live.setParamValue(QStringLiteral("prmPersonID"), QStringLiteral("1"));
    live.open();
    EXPECT_EQ(live.recordCount(), 3);
    EXPECT_FALSE(live.canModify());
    EXPECT_THROW(live.edit(), DbError);

    // With scanning off, the colons of a time are only text.
    Dataset report(e.get());
    report.setParamScanning(false);
    report.setSql(QStringLiteral("SELECT CallID FROM tblCall WHERE DueDate >= #12-13-2026 00:00:00# AND Notes <> ':x'"));
    EXPECT_TRUE(report.params().empty());
    report.open();
    EXPECT_EQ(report.recordCount(), 2);
}

TEST_F(DatasetTest, SuspendedControlsHearOneChangeAtTheEnd)
{
    Dataset orgs(e.get());
    orgs.setSql(QStringLiteral("SELECT * FROM tblOrganization ORDER BY OrganizationName"));
    orgs.open();
    DataSource source(&orgs);
    QSignalSpy records(&source, &DataSource::recordChanged);
    orgs.disableControls();
    orgs.next();
    orgs.next();
    EXPECT_EQ(records.count(), 0);
    orgs.enableControls();
    EXPECT_EQ(records.count(), 1);
    orgs.prior();
    EXPECT_EQ(records.count(), 2);
}

} // namespace

namespace {

TEST_F(DatasetTest, TableDetailWithItsMasterClosedShowsEveryRow)
{
    Dataset categories(e.get()), values(e.get());
    categories.setTableName(QStringLiteral("tblValueCategory"));
    DataSource categorySource(&categories);
    values.setTableName(QStringLiteral("tblValuesList"));
    values.setMasterFields({QStringLiteral("ValueCategoryID")});
    values.setMasterSource(&categorySource);
    values.open();
    QSqlQuery q = e->select(QStringLiteral("SELECT count(*) FROM tblValuesList"));
    q.next();
    EXPECT_EQ(values.recordCount(), q.value(0).toInt());
}

} // namespace
