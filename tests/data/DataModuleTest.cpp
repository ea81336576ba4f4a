#include "DataSource.h"
#include "Dataset.h"
#include "TDataModule1.h"
#include "TestDatabase.h"

#include <QSqlQuery>

namespace {

QString S(const char *text) { return QString::fromUtf8(text); }

// A seeded database with three organisations, their people, three calls and two actions, and
// the shared datasets opened as connecting opens them.
//
//   Acme (1):    Ann Lee (staff), Bob Ray, Cy Oakes    calls 1 (due 20 Dec), 2 (due 12 Dec)
//   Bravo (2):   Di Moss                               call 3 (due 15 Dec)
//   Charlie (3): Eve Ng, typed "User" of another category
class DataModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const int userType = valueId("Person Type", "User");
        const int contactType = valueId("Person Type", "Contact");
        // A value described "User" in a category that has nothing to do with people.
        e->execute(S("INSERT INTO tblValuesList (ValueCategoryID, Description) "
                     "VALUES (6, 'User')"));
        const int otherUserType = valueId("Organization Type", "User");

        const std::tuple<const char *, const char *> orgs[] = {
            {"Acme", "0100"}, {"Bravo", "0200"}, {"Charlie", "0300"}};
        for (const auto &[name, phone] : orgs)
            e->execute(S("INSERT INTO tblOrganization (OrganizationName, Phone) VALUES (:n, :p)"),
                       {{S("n"), S(name)}, {S("p"), S(phone)}});
        const std::tuple<int, const char *, const char *, int, const char *> people[] = {
            {1, "Ann", "Lee", userType, "111"},     {1, "Bob", "Ray", contactType, "222"},
            {1, "Cy", "Oakes", contactType, "333"}, {2, "Di", "Moss", contactType, "444"},
            {3, "Eve", "Ng", otherUserType, "555"}};
        for (const auto &[org, first, last, type, phone] : people)
            e->execute(S("INSERT INTO tblPerson (OrgID, FirstName, LastName, PersonTypeID, "
                         "PhoneExternal, EMail) VALUES (:o, :f, :l, :t, :p, :m)"),
                       {{S("o"), org}, {S("f"), S(first)}, {S("l"), S(last)}, {S("t"), type},
                        {S("p"), S(phone)}, {S("m"), S(first).toLower() + S("@example.com")}});
        addCall(1, 2, day(20), day(1), S("late one"));
        addCall(1, 3, day(12), day(2), S("early one"));
        addCall(2, 4, day(15), day(3), S("bravo's"));
        addAction(1, 1, day(4));
        addAction(1, 1, day(5));

        m = std::make_unique<TDataModule1>(e.get());
        m->ValuesListOrgTypeADOQuery->setParamValue(S("OrgTypeCategory"), 6);
        connectAll();
    }

    static QDateTime day(int d, int h = 9) { return QDateTime(QDate(2026, 12, d), QTime(h, 0)); }

    int valueId(const char *category, const char *description)
    {
        QSqlQuery q = e->select(S("SELECT ValueID FROM tblValuesList INNER JOIN tblValueCategory "
                                  "ON tblValuesList.ValueCategoryID = "
                                  "tblValueCategory.ValueCategoryID "
                                  "WHERE ValueCategory = :c AND Description = :d"),
                                {{S("c"), S(category)}, {S("d"), S(description)}});
        return q.next() ? q.value(0).toInt() : -1;
    }

    int count(const char *sql)
    {
        QSqlQuery q = e->select(S(sql));
        return q.next() ? q.value(0).toInt() : -1;
    }

    void addCall(int org, int contact, const QDateTime &due, const QDateTime &input,
                 const QString &notes)
    {
        e->execute(S("INSERT INTO tblCall (OrgID, ContactID, OwnerID, MethodID, StatusID, DueDate, "
                     "InputDate, Notes) VALUES (:o, :c, 1, :m, :s, :d, :i, :n)"),
                   {{S("o"), org}, {S("c"), contact}, {S("m"), valueId("Call Method", "Fax")},
                    {S("s"), valueId("Status", "On Hold")}, {S("d"), due}, {S("i"), input},
                    {S("n"), notes}});
    }

    void addAction(int call, int contact, const QDateTime &input)
    {
        e->execute(S("INSERT INTO tblAction (CallID, OrgID, ContactID, OwnerID, MethodID, "
                     "StatusID, InputDate) VALUES (:c, 1, :p, 1, :m, :s, :i)"),
                   {{S("c"), call}, {S("p"), contact}, {S("m"), valueId("Call Method", "Visit")},
                    {S("s"), valueId("Status", "Open")}, {S("i"), input}});
    }

    // What the main window does after the login.
    void connectAll()
    {
        for (Dataset *d : m->datasetsInOrder())
            if (d != m->ADOQuery1 && d != m->ValueCategoryADOTable && d != m->ValueListADOTable)
                d->open();
    }

    static QStringList column(Dataset &d, const char *field)
    {
        QStringList out;
        for (d.first(); !d.eof(); d.next())
            out << d.field(S(field)).asString();
        return out;
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();
    std::unique_ptr<TDataModule1> m;
};

TEST_F(DataModuleTest, ConnectingOpensEveryDatasetInOrderAndDetailsCatchUpWithTheirMasters)
{
    // The calls open before the organisations they depend on, and still show Acme's calls.
    EXPECT_EQ(m->CallsByOrgIDADOQuery->recordCount(), 2);
    EXPECT_EQ(m->CallsByOrgIDADOQuery->field(S("Notes")).asString(), S("early one"));
    EXPECT_EQ(m->ActionsByCallIDADOQuery->recordCount(), 0);   // call 2 has no actions
    EXPECT_EQ(column(*m->PersonNameByOrgIDADOQuery, "Name"),
              (QStringList{"Ann  Lee", "Bob  Ray", "Cy  Oakes"}));

    const std::pair<const char *, const char *> expected[] = {
        {"CallsByOrgIDADOQuery", "CallsByOrgIDDataSource"},
        {"AllPeopleNameADOQuery", "AllPeopleNameDataSource"},
        {"OrgADOQuery", "OrgDataSource"},
        {"ValuesListResolutionTypeADOQuery", "ValuesListResolutionTypeDataSource"},
        {"ActionsByCallIDADOQuery", "ActionsByCallIDDataSource"},
        {"ValuesListStatusADOQuery", "ValuesListStatusDataSource"},
        {"OwnerADOQuery", "OwnerDataSource"},
        {"ValuesListMethodADOQuery", "ValuesListMethodDataSource"},
        {"PersonNameByOrgIDADOQuery", "PersonNameByOrgIDDataSource"},
        {"ValuesListCountryADOQuery", "ValuesListCountryDataSource"},
        {"ValuesListOrgTypeADOQuery", "ValuesListOrgTypeDataSource"},
        {"ValuesListPersonTypeADOQuery", "ValuesListPersonTypeDataSource"},
        {"AllOrgsNameADOQuery", "AllOrgsNameDataSource"},
        {"UrgencyADOTable", "UrgencyDataSource"},
        {"ADOQuery1", "DataSource1"},
        {"ValuesListCallTypeADOQuery", "ValuesListCallTypeDataSource"},
        {"ValueCategoryADOTable", "ValueCategoryDataSource"},
        {"ValueListADOTable", "ValueListDataSource"},
        {"PersonNameByActionOrgIDADOQuery", "PersonNameByActionOrgIDDataSource"},
    };
    const QList<Dataset *> all = m->datasetsInOrder();
    ASSERT_EQ(all.size(), int(std::size(expected)));
    for (int i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(all[i]->objectName(), S(expected[i].first));
        DataSource *source = m->dataSourceOf(all[i]);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->objectName(), S(expected[i].second));
        EXPECT_EQ(source->dataset(), all[i]);
        const bool connected = S(expected[i].first) != S("ADOQuery1") &&
                               !S(expected[i].first).startsWith(S("ValueCategory")) &&
                               !S(expected[i].first).startsWith(S("ValueList"));
        EXPECT_EQ(all[i]->isActive(), connected);
    }

    // The choosers list their own category's values, the organisation types by parameter.
    QStringList statuses = column(*m->ValuesListStatusADOQuery, "Description");
    statuses.sort();
    EXPECT_EQ(statuses, (QStringList{"Closed", "On Hold", "Open"}));
    EXPECT_EQ(m->ValuesListResolutionTypeADOQuery->recordCount(), 6);
    QStringList orgTypes = column(*m->ValuesListOrgTypeADOQuery, "Description");   // engine's order
    orgTypes.sort();
    EXPECT_EQ(orgTypes, (QStringList{"Customer", "Internal", "Partner", "Supplier", "User"}));

    // The category tables, read at start-up: the values follow the current category.
    m->ValueCategoryADOTable->open();
    m->ValueListADOTable->open();
    EXPECT_FALSE(m->ValueCategoryADOTable->canModify());
    ASSERT_TRUE(m->ValueCategoryADOTable->locate(S("ValueCategory"), S("Person Type")));
    QStringList personTypes = column(*m->ValueListADOTable, "Description");
    personTypes.sort();
    EXPECT_EQ(personTypes, (QStringList{"Contact", "Supplier Contact", "User"}));
}

TEST_F(DataModuleTest, LookupFieldsTurnKeysIntoNames)
{
    // Acme: calls 2 then 1; call 1 has two actions.
    m->CallsByOrgIDADOQuery->last();
    ASSERT_EQ(m->ActionsByCallIDADOQuery->recordCount(), 2);

    struct Case
    {
        Dataset *dataset;
        const char *field;
        const char *text;
        int size;
    };
    const Case cases[] = {
        {m->CallsByOrgIDADOQuery, "CallOwner", "Ann  Lee", 0},
        {m->CallsByOrgIDADOQuery, "ContactName", "Bob  Ray", 0},
        {m->CallsByOrgIDADOQuery, "PhoneExternal", "222", 0},
        {m->CallsByOrgIDADOQuery, "Email", "bob@example.com", 0},
        {m->CallsByOrgIDADOQuery, "Method", "Fax", 32},
        {m->CallsByOrgIDADOQuery, "Status", "On Hold", 0},
        {m->CallsByOrgIDADOQuery, "OrganizationNameLookUp", "Acme", 32},
        {m->CallsByOrgIDADOQuery, "DueDate", "20/12/2026 09:00:00", 0},
        {m->CallsByOrgIDADOQuery, "InputDate", "01/12/2026 09:00:00", 0},
        {m->ActionsByCallIDADOQuery, "ActionOwner", "Ann  Lee", 0},
        {m->ActionsByCallIDADOQuery, "ContactName", "Ann  Lee", 0},
        {m->ActionsByCallIDADOQuery, "Method", "Visit", 40},
        {m->ActionsByCallIDADOQuery, "Status", "Open", 0},
        {m->ActionsByCallIDADOQuery, "OrgName", "Acme", 32},
        {m->ActionsByCallIDADOQuery, "OrgPhoneLookUp", "0100", 0},
        {m->ActionsByCallIDADOQuery, "InputDate", "04/12/2026 09:00:00", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        Field &f = c.dataset->field(S(c.field));
        EXPECT_EQ(f.displayText(), S(c.text));
        if (f.kind() == Field::Kind::Lookup) {
            EXPECT_EQ(f.size(), c.size);
            EXPECT_EQ(f.canModify(), S(c.field) == S("OrgName"));
        }
    }

    // A key nobody holds shows nothing.
    m->CallsByOrgIDADOQuery->edit();
    m->CallsByOrgIDADOQuery->field(S("OwnerID")).setValue(999);
    EXPECT_TRUE(m->CallsByOrgIDADOQuery->field(S("CallOwner")).isNull());
    m->CallsByOrgIDADOQuery->cancel();
}

TEST_F(DataModuleTest, PostedCallOrActionIsFoundAgainByItsInputTime)
{
    Dataset &calls = *m->CallsByOrgIDADOQuery;
    EXPECT_FALSE(m->LastInputTime().isValid());

    // An edit with no input time to look for: the re-query's position stands.
    calls.last();
    calls.edit();
    calls.field(S("Notes")).setValue(S("edited"));
    calls.post();
    EXPECT_EQ(calls.recNo(), 1);

    // A new call sorts between the others by due date and is still the one shown.
    const QDateTime stamp(QDate(2026, 12, 9), QTime(10, 15, 7));
    calls.insert();
    EXPECT_EQ(calls.field(S("OrgID")).asInteger(), 1);   // the current organisation's
    calls.field(S("InputDate")).setValue(stamp);
    calls.field(S("DueDate")).setValue(day(16));
    m->setLastInputTime(stamp);
    EXPECT_NO_DB_ERROR(calls.post());
    EXPECT_EQ(calls.recordCount(), 3);
    EXPECT_EQ(calls.recNo(), 2);
    EXPECT_EQ(calls.field(S("InputDate")).asDateTime(), stamp);

    // The same for an action of call 1, listed by input time: the new one is the last.
    calls.last();
    Dataset &actions = *m->ActionsByCallIDADOQuery;
    ASSERT_EQ(actions.recordCount(), 2);
    const QDateTime actionStamp(QDate(2026, 12, 10), QTime(8, 0, 1));
    actions.insert();
    EXPECT_EQ(actions.field(S("CallID")).asInteger(), 1);
    actions.field(S("InputDate")).setValue(actionStamp);
    m->setLastInputTime(actionStamp);
    EXPECT_NO_DB_ERROR(actions.post());
    EXPECT_EQ(actions.recordCount(), 3);
    EXPECT_EQ(actions.recNo(), 3);
    EXPECT_EQ(actions.field(S("InputDate")).asDateTime(), actionStamp);
}

TEST_F(DataModuleTest, WithAllOrgsTickedTheOrganisationFollowsTheCurrentCall)
{
    bool allOrgs = true;
    QStringList log;
    m->browserAllOrgsChecked = [&] { return allOrgs; };
    m->browserOrganisationsScrolled = [&] {
        log << S("org ") + m->OrgADOQuery->field(S("OrganizationName")).asString();
    };
    m->browserCallsScrolled = [&] { log << S("calls"); };
    m->callEditorScrolled = [&] { log << S("editor"); };

    // What the browser does when the box is ticked: every organisation's calls, by due date.
    Dataset &calls = *m->CallsByOrgIDADOQuery;
    m->linkCallsToOrganisations(false);
    EXPECT_FALSE(m->callsLinkedToOrganisations());
    calls.setSql(S("Select * from tblCall\nOrder by DueDate"));
    calls.open();
    ASSERT_EQ(calls.recordCount(), 3);

    log.clear();
    calls.next();   // call 3, of Bravo
    EXPECT_EQ(m->OrgADOQuery->field(S("OrganizationName")).asString(), S("Bravo"));
    EXPECT_EQ(log, (QStringList{"editor", "org Bravo", "calls"}));
    EXPECT_EQ(calls.recordCount(), 3);   // no longer a detail: not re-queried by the move

    log.clear();
    calls.prior();   // back to Acme's call
    EXPECT_EQ(m->OrgADOQuery->field(S("OrganizationName")).asString(), S("Acme"));
    EXPECT_EQ(log, (QStringList{"editor", "org Acme", "calls"}));

    // Unticked, the calls never move the organisation.
    allOrgs = false;
    log.clear();
    calls.next();
    calls.next();
    EXPECT_EQ(m->OrgADOQuery->field(S("OrganizationName")).asString(), S("Acme"));
    EXPECT_EQ(log, (QStringList{"editor", "calls", "editor", "calls"}));
}

TEST_F(DataModuleTest, ActionEditorOrganisationChangeEmptiesTheContactChooserAndOffersItsPeople)
{
    bool editorOpen = false;
    int resets = 0;
    m->actionEditorOpen = [&] { return editorOpen; };
    m->resetActionContactChooser = [&] { ++resets; };
    m->CallsByOrgIDADOQuery->last();   // call 1 with its two actions
    Dataset &actions = *m->ActionsByCallIDADOQuery;
    ASSERT_EQ(actions.recordCount(), 2);
    EXPECT_EQ(column(*m->PersonNameByActionOrgIDADOQuery, "Name").size(), 3);   // Acme's people

    // Without the editor, a changed organisation touches neither chooser.
    actions.first();
    actions.edit();
    actions.field(S("OrgID")).setValue(3);
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(m->AllOrgsNameADOQuery->field(S("OrganizationName")).asString(), S("Acme"));
    actions.cancel();
    EXPECT_EQ(actions.recNo(), 1);

    editorOpen = true;
    actions.edit();
    actions.field(S("ContactID")).setValue(2);
    actions.field(S("OrgName")).setValue(S("Bravo"));
    EXPECT_EQ(actions.field(S("OrgID")).asInteger(), 2);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(actions.field(S("ContactID")).asInteger(), 2);   // kept until a contact is chosen
    EXPECT_EQ(m->AllOrgsNameADOQuery->field(S("OrganizationName")).asString(), S("Bravo"));
    EXPECT_EQ(column(*m->PersonNameByActionOrgIDADOQuery, "Name"), QStringList{"Di  Moss"});
    EXPECT_EQ(actions.field(S("OrgPhoneLookUp")).asString(), S("0200"));

    // Cancelling in the open editor moves to the last action.
    actions.cancel();
    EXPECT_EQ(actions.recNo(), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblAction WHERE OrgID = 1"), 2);
}

TEST_F(DataModuleTest, SystemUrgencyLevelIsNeverDeleted)
{
    QStringList warnings;
    m->warn = [&](const QString &text) { warnings << text; };
    Dataset &urgency = *m->UrgencyADOTable;
    ASSERT_EQ(urgency.recordCount(), 5);

    // "Critical", required by the system, with a pending edit.
    urgency.edit();
    urgency.field(S("Description")).setValue(S("Renamed"));
    EXPECT_NO_DB_ERROR(urgency.remove());
    const QString refusal = S("Sorry, that record is required by the system\n") +
                            QString(13, u' ') + S("You can't delete that");
    EXPECT_EQ(warnings, QStringList{refusal});
    EXPECT_EQ(urgency.state(), Dataset::State::Browse);
    EXPECT_EQ(urgency.recordCount(), 5);
    EXPECT_EQ(urgency.field(S("Description")).asString(), S("Critical"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblUrgency WHERE Description = 'Critical'"), 1);

    // An ordinary level goes, and the list starts again at its first row.
    ASSERT_TRUE(urgency.locate(S("Description"), S("Due Soon")));
    urgency.remove();
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_EQ(urgency.recordCount(), 4);
    EXPECT_EQ(urgency.recNo(), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM tblUrgency"), 4);
}

TEST_F(DataModuleTest, ThresholdShowsAsDaysAndTimeOfDay)
{
    const std::pair<double, const char *> cases[] = {
        {2.75, "2, 18:00"},  {1.25, "1, 06:00"}, {0.125, "0, 03:00"}, {0.0, "0, 00:00"},
        {30.0, "30, 00:00"}, {0.999, "0, 23:58"},   // 23:58:33.6: the minutes are cut
        {1.0 / 3, "0, 08:00"},
    };
    for (const auto &[days, text] : cases)
        EXPECT_EQ(TDataModule1::thresholdDisplayText(days), S(text)) << days;

    // On the urgency list, as the urgency window shows it; a post re-reads the list.
    Dataset &urgency = *m->UrgencyADOTable;
    EXPECT_EQ(urgency.field(S("ThresholdTime")).displayLabel(), S("Threshold Time"));
    ASSERT_TRUE(urgency.locate(S("Description"), S("Due Soon")));
    Field &calc = urgency.field(S("CalcForDisplayThresholdTime"));
    EXPECT_EQ(calc.asString(), S("3, 00:00"));
    urgency.edit();
    urgency.field(S("ThresholdTime")).setValue(2.75);
    EXPECT_EQ(calc.asString(), S("2, 18:00"));
    urgency.post();
    EXPECT_EQ(urgency.recNo(), 1);
    ASSERT_TRUE(urgency.locate(S("Description"), S("Due Soon")));
    EXPECT_EQ(calc.asString(), S("2, 18:00"));
}

TEST_F(DataModuleTest, OwnersArePeopleTypedUserOfAnyCategory)
{
    QStringList owners = column(*m->OwnerADOQuery, "Name");
    owners.sort();
    EXPECT_EQ(owners, (QStringList{"Ann  Lee", "Eve  Ng"}));
}

} // namespace
