#include "DataSource.h"
#include "Dataset.h"
#include "LoadedConstants.h"
#include "OptionsSetup.h"
#include "Prompter.h"
#include "RightsLevel.h"
#include "SqlDateTimeLiteral.h"
#include "SystemParameters.h"
#include "TSetupForm.h"
#include "TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <cmath>

namespace {

ScriptedPrompter &scriptedPrompter()
{
    auto p = std::make_unique<ScriptedPrompter>();
    ScriptedPrompter &ref = *p;
    Prompter::install(std::move(p));
    return ref;
}

// The seeded database with the datasets the data module gives these routines: the category
// table, the values table as its detail, the organisation-type list and the scratch query.
class ParametersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ValueCategoryADOTable.setTableName(QStringLiteral("tblValueCategory"));
        ValueCategoryADOTable.setReadOnly(true);
        ValueListADOTable.setTableName(QStringLiteral("tblValuesList"));
        ValueListADOTable.setSortField(QStringLiteral("ValueCategoryID"));
        ValueListADOTable.setMasterFields({QStringLiteral("ValueCategoryID")});
        ValueListADOTable.setMasterSource(&categorySource);
        ValuesListOrgTypeADOQuery.setSql(
            QStringLiteral("SELECT Description, ValueID\nFROM tblValuesList\nWHERE ValueCategoryID "
                           "= :OrgTypeCategory"));
    }

    int scalar(const QString &sql, const QVariantMap &params = {})
    {
        QSqlQuery q = e->select(sql, params);
        return q.next() ? q.value(0).toInt() : -99;
    }
    int valueId(const char *category, const char *description)
    {
        return scalar(
            QStringLiteral("SELECT v.ValueID FROM tblValuesList v INNER JOIN tblValueCategory c "
                           "ON c.ValueCategoryID = v.ValueCategoryID "
                           "WHERE c.ValueCategory = :c AND v.Description = :d"),
            {{QStringLiteral("c"), QString::fromLatin1(category)},
             {QStringLiteral("d"), QString::fromLatin1(description)}});
    }
    int categoryId(const char *name)
    {
        return scalar(
            QStringLiteral("SELECT ValueCategoryID FROM tblValueCategory WHERE ValueCategory = :c"),
            {{QStringLiteral("c"), QString::fromLatin1(name)}});
    }
    void setDefault(const char *category, const char *description, bool isDefault)
    {
        e->execute(QStringLiteral("UPDATE tblValuesList SET IsDefault = :d WHERE ValueID = :v"),
                   {{QStringLiteral("d"), isDefault},
                    {QStringLiteral("v"), valueId(category, description)}});
    }
    void load()
    {
        LoadDBConstants(ValueCategoryADOTable, ValueListADOTable, ValuesListOrgTypeADOQuery, c);
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();
    Dataset ValueCategoryADOTable{e.get()};
    DataSource categorySource{&ValueCategoryADOTable};
    Dataset ValueListADOTable{e.get()};
    Dataset ValuesListOrgTypeADOQuery{e.get()};
    Dataset ADOQuery1{e.get()};
    LoadedConstants c;
    ScriptedPrompter &prompter = scriptedPrompter();
};

// ------------------------------------------------------------------------- loaded constants

TEST_F(ParametersTest, LoadsCategoryKeysDefaultsAndNamedValuesFromTheSeededDatabase)
{
    setDefault("Call Type", "Fault", false); // a category without a default
    load();

    EXPECT_EQ(c.StatusCategoryID, categoryId("Status"));
    EXPECT_EQ(c.CallMethodCategoryID, categoryId("Call Method"));
    EXPECT_EQ(c.CallTypeCategoryID, categoryId("Call Type"));
    EXPECT_EQ(c.CountryCategoryID, categoryId("Country"));
    EXPECT_EQ(c.PersonTypeCategoryID, categoryId("Person Type"));
    EXPECT_EQ(c.OrganizationTypeCategoryID, categoryId("Organization Type"));

    EXPECT_EQ(c.DefaultStatusID, valueId("Status", "Open"));
    EXPECT_EQ(c.DefaultCallMethodID, valueId("Call Method", "Phone"));
    EXPECT_EQ(c.DefaultCallTypeID, -1);
    EXPECT_EQ(c.DefaultCountryID, valueId("Country", "United Kingdom"));
    EXPECT_EQ(c.DefaultPersonTypeID, valueId("Person Type", "Contact"));
    EXPECT_EQ(c.DefaultOrganizationTypeID, valueId("Organization Type", "Customer"));

    EXPECT_EQ(c.StatusClosedID, valueId("Status", "Closed"));
    EXPECT_EQ(c.StatusOpenID, valueId("Status", "Open"));
    EXPECT_EQ(c.PersonTypeUserID, valueId("Person Type", "User"));
    EXPECT_TRUE(prompter.messages.isEmpty());

    EXPECT_FALSE(ValueCategoryADOTable.isActive());
    EXPECT_FALSE(ValueListADOTable.isActive());
    // the organisation-type list now lists the values of its category
    ValuesListOrgTypeADOQuery.open();
    EXPECT_EQ(ValuesListOrgTypeADOQuery.recordCount(), 4);
    EXPECT_TRUE(ValuesListOrgTypeADOQuery.locate(QStringLiteral("Description"),
                                                 QStringLiteral("Supplier")));
}

TEST_F(ParametersTest, FirstOfSeveralDefaultsInTableOrderWins)
{
    setDefault("Status", "Open", false);
    setDefault("Status", "Closed", true);
    setDefault("Status", "On Hold", true);
    load();
    EXPECT_EQ(c.DefaultStatusID, valueId("Status", "Closed"));
}

TEST_F(ParametersTest, MissingNamedValueIsReportedAndLoadingGoesOn)
{
    struct Case
    {
        const char *change;
        const char *message;
        int LoadedConstants::*left;
    };
    const Case cases[] = {
        // a longer name is not the value: names match whole
        {"UPDATE tblValuesList SET Description = 'Closed Calls' WHERE Description = 'Closed'",
         "Failed to get Status Closed Value in LoadDBConstants", &LoadedConstants::StatusClosedID},
        {"DELETE FROM tblValuesList WHERE Description = 'Open'",
         "Failed to get Status Open Value in LoadDBConstants", &LoadedConstants::StatusOpenID},
        // "User" under another category does not count
        {"UPDATE tblValuesList SET ValueCategoryID = 6 WHERE Description = 'User'",
         "Failed to get PersonType User Value in LoadDBConstants",
         &LoadedConstants::PersonTypeUserID},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.message);
        TestDatabase fresh;
        auto engine = fresh.open();
        engine->execute(QString::fromLatin1(k.change));
        Dataset categories(engine.get()), values(engine.get()), orgTypes(engine.get());
        categories.setTableName(QStringLiteral("tblValueCategory"));
        DataSource source(&categories);
        values.setTableName(QStringLiteral("tblValuesList"));
        values.setMasterFields({QStringLiteral("ValueCategoryID")});
        values.setMasterSource(&source);
        orgTypes.setSql(
            QStringLiteral("SELECT * FROM tblValuesList WHERE ValueCategoryID = :OrgTypeCategory"));
        prompter.messages.clear();

        LoadedConstants loaded;
        loaded.*k.left = 77;
        LoadDBConstants(categories, values, orgTypes, loaded);

        EXPECT_EQ(prompter.texts(), QStringList{QString::fromLatin1(k.message)});
        EXPECT_EQ(prompter.messages.value(0).kind, Prompter::Kind::Plain);
        EXPECT_EQ(loaded.*k.left, 77); // left as it was
        // the other named values and the later steps were still done
        for (int LoadedConstants::*named :
             {&LoadedConstants::StatusClosedID, &LoadedConstants::StatusOpenID,
              &LoadedConstants::PersonTypeUserID})
            if (named != k.left) {
                EXPECT_GT(loaded.*named, 0);
            }
        EXPECT_GT(loaded.PersonTypeCategoryID, 0);
        EXPECT_EQ(orgTypes.paramValue(QStringLiteral("OrgTypeCategory")).toInt(),
                  loaded.OrganizationTypeCategoryID);
    }
}

TEST_F(ParametersTest, LoadingErrorsCloseBothTablesAndReachTheCaller)
{
    // a missing category stops loading like an engine error
    e->execute(QStringLiteral("UPDATE tblValueCategory SET ValueCategory = 'Countries' "
                              "WHERE ValueCategory = 'Country'"));
    EXPECT_DB_ERROR(load(), "Country");
    EXPECT_FALSE(ValueCategoryADOTable.isActive());
    EXPECT_FALSE(ValueListADOTable.isActive());

    ValueListADOTable.setTableName(QStringLiteral("tblNoSuchValues"));
    ValueListADOTable.setMasterFields({QStringLiteral("ValueCategoryID")});
    EXPECT_THROW(load(), DbError);
    EXPECT_FALSE(ValueCategoryADOTable.isActive());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(ParametersTest, ReloadDefaultValuesPicksUpChangedDefaults)
{
    load();
    setDefault("Call Method", "Phone", false);
    setDefault("Call Method", "Email", true);
    setDefault("Country", "United Kingdom", false);
    setDefault("Call Type", "Fault", false);
    setDefault("Call Type", "Training", true);

    ReloadDefaultValues(ValueCategoryADOTable, ValueListADOTable, c);

    EXPECT_EQ(c.DefaultCallMethodID, valueId("Call Method", "Email"));
    EXPECT_EQ(c.DefaultCountryID, -1);
    EXPECT_EQ(c.DefaultCallTypeID, valueId("Call Type", "Training"));
    EXPECT_EQ(c.DefaultStatusID, valueId("Status", "Open"));
    EXPECT_EQ(c.DefaultOrganizationTypeID, valueId("Organization Type", "Customer"));
    EXPECT_EQ(c.StatusClosedID, valueId("Status", "Closed")); // untouched
    EXPECT_FALSE(ValueCategoryADOTable.isActive());
    EXPECT_FALSE(ValueListADOTable.isActive());
}

// ------------------------------------------------------------------------- system parameters

TEST_F(ParametersTest, SystemParametersRoundTripThroughTheFirstRow)
{
    SystemParameters p;
    ReadSystemParameters(ADOQuery1, p);
    EXPECT_DOUBLE_EQ(p.DueDateDuration, 2.0); // as seeded
    EXPECT_TRUE(p.AutoGenerateAction);
    EXPECT_FALSE(p.AllowCompleteCall);
    EXPECT_FALSE(ADOQuery1.isActive());
    EXPECT_TRUE(ADOQuery1.sql().isEmpty());

    // a second row is never read or written
    e->execute(QStringLiteral("INSERT INTO tblSysParms (DueDateDuration, AutoGenerateAction, "
                              "AllowCompleteCall) VALUES (9, false, true)"));
    WriteSystemParameters(ADOQuery1, {1.5, false, true});
    EXPECT_FALSE(ADOQuery1.isActive());
    EXPECT_TRUE(ADOQuery1.sql().isEmpty());
    SystemParameters back;
    ReadSystemParameters(ADOQuery1, back);
    EXPECT_DOUBLE_EQ(back.DueDateDuration, 1.5);
    EXPECT_FALSE(back.AutoGenerateAction);
    EXPECT_TRUE(back.AllowCompleteCall);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM tblSysParms WHERE DueDateDuration = 9")),
              1);
}

TEST_F(ParametersTest, EmptyOrNullParametersReadAsZeroAndTheFirstWriteCreatesTheRow)
{
    e->execute(
        QStringLiteral("UPDATE tblSysParms SET DueDateDuration = NULL, AutoGenerateAction = NULL"));
    SystemParameters p{5, true, true};
    ReadSystemParameters(ADOQuery1, p);
    EXPECT_DOUBLE_EQ(p.DueDateDuration, 0);
    EXPECT_FALSE(p.AutoGenerateAction);

    e->execute(QStringLiteral("DELETE FROM tblSysParms"));
    p = {5, true, true};
    ReadSystemParameters(ADOQuery1, p);
    EXPECT_DOUBLE_EQ(p.DueDateDuration, 0);
    EXPECT_FALSE(p.AutoGenerateAction);
    EXPECT_FALSE(p.AllowCompleteCall);

    WriteSystemParameters(ADOQuery1, {3.25, true, false});
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM tblSysParms")), 1);
    ReadSystemParameters(ADOQuery1, p);
    EXPECT_DOUBLE_EQ(p.DueDateDuration, 3.25);
    EXPECT_TRUE(p.AutoGenerateAction);
}

TEST_F(ParametersTest, ScratchQueryIsLeftEmptyWhenReadingFails)
{
    e->execute(QStringLiteral("DROP TABLE tblSysParms"));
    ADOQuery1.setSql(QStringLiteral("SELECT * FROM tblReport WHERE ReportID = :Id"));
    SystemParameters p{4, true, true};
    EXPECT_THROW(ReadSystemParameters(ADOQuery1, p), DbError);
    EXPECT_DOUBLE_EQ(p.DueDateDuration, 4);
    EXPECT_TRUE(ADOQuery1.sql().isEmpty());
    EXPECT_TRUE(ADOQuery1.params().empty());
    EXPECT_THROW(WriteSystemParameters(ADOQuery1, p), DbError);
    EXPECT_TRUE(ADOQuery1.sql().isEmpty());
}

TEST(ParametersSqlDateTimeLiteral, MonthFirstWithFixedSeparatorsAndABlankEachSide)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(SqlDateTimeLiteral(QDateTime(QDate(2000, 7, 31), QTime(13, 36, 5))),
              QStringLiteral(" #07-31-2000 13:36:05# "));
    EXPECT_EQ(SqlDateTimeLiteral(QDateTime(QDate(2001, 1, 1), QTime(0, 0))),
              QStringLiteral(" #01-01-2001 00:00:00# "));
    // milliseconds are dropped, not rounded
    EXPECT_EQ(SqlDateTimeLiteral(QDateTime(QDate(2004, 1, 31), QTime(23, 59, 59, 999))),
              QStringLiteral(" #01-31-2004 23:59:59# "));
    QLocale::setDefault(saved);
}

// ------------------------------------------------------------------------- the Options window

// Runs the Setup command, working its window from inside its loop.
bool runOptions(Dataset &scratch, SystemParameters &params,
                const std::function<void(TSetupForm &)> &work, const OptionsSetupHooks &hooks = {})
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *form = qobject_cast<TSetupForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        seen = true;
        work(*form);
    });
    const bool ok = OptionsSetupExecute(nullptr, scratch, params, hooks);
    EXPECT_TRUE(seen) << "the Options window was not shown modally";
    return ok;
}

constexpr double kSecond = 1.0 / 86400;

TEST_F(ParametersTest, OptionsWindowShowsAndWritesTheDueDateDuration)
{
    struct Case
    {
        const char *what;
        double stored;
        int days, hours, mins;          // shown
        int setDays, setHours, setMins; // typed; -1 leaves the field
        double written;
    };
    const Case cases[] = {
        {"two and a half days, unchanged", 2.5, 2, 12, 0, -1, -1, -1, 2.5},
        {"one day and one second: the second survives", 1 + kSecond, 1, 0, 0, -1, -1, -1,
         1 + kSecond},
        {"seconds survive a change of minutes", 0.5 + 30 * kSecond, 0, 12, 0, -1, -1, 45,
         0.5 + 45 * 60 * kSecond + 30 * kSecond},
        {"1500 days show as the limit", 1500, 1000, 0, 0, -1, -1, -1, 1000},
        {"a negative span shows no days", -2, 0, 0, 0, -1, -1, -1, 0},
        // a keystroke that would leave the range is refused
        {"typed values beyond the limits", 1, 1, 0, 0, 5000, 30, 75, 500 + 3.0 / 24 + 7.0 / 1440},
        {"everything set", 0, 0, 0, 0, 3, 4, 5, 3 + 4.0 / 24 + 5.0 / 1440},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        SystemParameters params{k.stored, false, false};
        int shown[3] = {-1, -1, -1};
        const bool ok = runOptions(ADOQuery1, params, [&](TSetupForm &f) {
            shown[0] = f.DaysUpDown->value();
            shown[1] = f.HoursUpDown->value();
            shown[2] = f.MinsUpDown->value();
            const std::pair<QSpinBox *, int> typed[] = {
                {f.DaysUpDown, k.setDays}, {f.HoursUpDown, k.setHours}, {f.MinsUpDown, k.setMins}};
            for (auto [box, value] : typed)
                if (value >= 0) {
                    box->setFocus();
                    box->selectAll();
                    QTest::keyClicks(box, QString::number(value));
                    box->interpretText();
                }
            QTest::keyClick(&f, Qt::Key_Return); // OK is the default button
        });
        ASSERT_TRUE(ok);
        EXPECT_EQ(shown[0], k.days);
        EXPECT_EQ(shown[1], k.hours);
        EXPECT_EQ(shown[2], k.mins);
        EXPECT_NEAR(params.DueDateDuration, k.written, 1e-9);
        SystemParameters stored;
        ReadSystemParameters(ADOQuery1, stored);
        EXPECT_NEAR(stored.DueDateDuration, k.written, 1e-9);
    }
}

TEST_F(ParametersTest, OptionsWindowArrowsStopAtTheLimits)
{
    SystemParameters params{1000 + 23.0 / 24 + 59.0 / 1440, false, false};
    runOptions(ADOQuery1, params, [&](TSetupForm &f) {
        for (QSpinBox *box : {f.DaysUpDown, f.HoursUpDown, f.MinsUpDown})
            QTest::keyClick(box, Qt::Key_Up);
        f.OKButton->click();
    });
    EXPECT_NEAR(params.DueDateDuration, 1000 + 23.0 / 24 + 59.0 / 1440, 1e-9);

    params = {0, false, false};
    runOptions(ADOQuery1, params, [&](TSetupForm &f) {
        for (QSpinBox *box : {f.DaysUpDown, f.HoursUpDown, f.MinsUpDown})
            QTest::keyClick(box, Qt::Key_Down);
        f.OKButton->click();
    });
    EXPECT_DOUBLE_EQ(params.DueDateDuration, 0);
}

TEST_F(ParametersTest, OptionsWindowOkSavesTheCheckBoxesAndTellsOpenWindows)
{
    SystemParameters params{2, true, false};
    int browserTold = 0;
    std::vector<double> panelTold;
    OptionsSetupHooks hooks{[&] { ++browserTold; }, [&](double d) { panelTold.push_back(d); }};
    bool shownAuto = false, shownAllow = true;
    const bool ok = runOptions(
        ADOQuery1, params,
        [&](TSetupForm &f) {
            shownAuto = f.AutoAddFirstActionCheckBox->isChecked();
            shownAllow = f.AllowCompleteIfActionsOpenCheckBox->isChecked();
            f.AutoAddFirstActionCheckBox->setFocus();
            QTest::keyClick(f.AutoAddFirstActionCheckBox, Qt::Key_Space);
            QTest::keyClick(f.AllowCompleteIfActionsOpenCheckBox, Qt::Key_Space);
            f.HoursUpDown->setValue(6);
            f.OKButton->click();
        },
        hooks);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(shownAuto);
    EXPECT_FALSE(shownAllow);
    EXPECT_FALSE(params.AutoGenerateAction);
    EXPECT_TRUE(params.AllowCompleteCall);
    EXPECT_EQ(browserTold, 1);
    EXPECT_EQ(panelTold, std::vector<double>{2.25});

    SystemParameters stored;
    ReadSystemParameters(ADOQuery1, stored);
    EXPECT_DOUBLE_EQ(stored.DueDateDuration, 2.25);
    EXPECT_FALSE(stored.AutoGenerateAction);
    EXPECT_TRUE(stored.AllowCompleteCall);
}

TEST_F(ParametersTest, OptionsWindowCancelChangesNothing)
{
    for (const bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape ? "Esc" : "Cancel button");
        SystemParameters params{2, true, false};
        int told = 0;
        const bool ok = runOptions(ADOQuery1, params,
                                   [&](TSetupForm &f) {
                                       f.DaysUpDown->setValue(9);
                                       f.AllowCompleteIfActionsOpenCheckBox->setChecked(true);
                                       if (byEscape)
                                           QTest::keyClick(&f, Qt::Key_Escape);
                                       else
                                           f.CancelButton->click();
                                   },
                                   {[&] { ++told; }, [&](double) { ++told; }});
        EXPECT_FALSE(ok);
        EXPECT_DOUBLE_EQ(params.DueDateDuration, 2);
        EXPECT_FALSE(params.AllowCompleteCall);
        EXPECT_EQ(told, 0);
        EXPECT_EQ(
            scalar(QStringLiteral("SELECT COUNT(*) FROM tblSysParms WHERE DueDateDuration = 2")),
            1);
    }
}

TEST_F(ParametersTest, OptionsWindowOnAnEmptyTableCreatesTheRow)
{
    e->execute(QStringLiteral("DELETE FROM tblSysParms"));
    SystemParameters params;
    ReadSystemParameters(ADOQuery1, params);
    runOptions(ADOQuery1, params, [&](TSetupForm &f) {
        f.DaysUpDown->setValue(4);
        f.OKButton->click();
    });
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM tblSysParms WHERE DueDateDuration = 4")),
              1);
}

TEST_F(ParametersTest, OptionsWriteFailureKeepsTheRecordAndTellsNoWindow)
{
    SystemParameters params{2, true, false};
    e->execute(QStringLiteral("DROP TABLE tblSysParms"));
    int told = 0;
    EXPECT_THROW(runOptions(ADOQuery1, params,
                            [&](TSetupForm &f) {
                                f.DaysUpDown->setValue(7);
                                f.OKButton->click();
                            },
                            {[&] { ++told; }, [&](double) { ++told; }}),
                 DbError);
    EXPECT_DOUBLE_EQ(params.DueDateDuration, 2);
    EXPECT_EQ(told, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // the window is gone
}

TEST(ParametersSetupForm, FixedDialogWithNamedControls)
{
    TSetupForm f;
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_EQ(f.DaysUpDown->accessibleName(), QStringLiteral("Days"));
    EXPECT_EQ(f.HoursUpDown->accessibleName(), QStringLiteral("Hours"));
    EXPECT_EQ(f.MinsUpDown->accessibleName(), QStringLiteral("Mins"));
    EXPECT_FALSE(f.DaysUpDown->wrapping());
    EXPECT_EQ(f.AutoAddFirstActionCheckBox->text(),
              QStringLiteral("Automatically add the first action for a Call"));
    EXPECT_EQ(f.AllowCompleteIfActionsOpenCheckBox->text(),
              QStringLiteral("Allow Call to complete when actions are still open"));
}

// ------------------------------------------------------------------------- rights

// A catalog that lists what it is told, for group names in any letter case.
class ListedCatalog final : public Catalog
{
public:
    QStringList userList;
    QStringList memberships;
    QStringList users() override { return userList; }
    QStringList groups() override { return {}; }
    QStringList groupsOf(const QString &) override { return memberships; }
    void addUser(const QString &, const QString &) override {}
    void deleteUser(const QString &) override {}
    void addToGroup(const QString &, const QString &) override {}
    void removeFromGroup(const QString &, const QString &) override {}
    void changePassword(const QString &, const QString &, const QString &) override {}
    void setPassword(const QString &, const QString &) override {}
};

TEST(ParametersRights, LevelIsTheHighestProgramGroupInAnyOrder)
{
    struct Case
    {
        QStringList groups;
        int level;
    };
    const Case cases[] = {
        {{"Users", "CallReadUsers", "CallManagers"}, 3},
        {{"CallManagers", "CallReadUsers", "Users"}, 3},
        {{"CallAdmins", "CallUsers"}, 4},
        {{"CallUsers", "CALLADMINS"}, 4},
        {{"callusers"}, 2},
        {{"CallReadUsers"}, 1},
        {{"Users", "Admins", "CallAdministrators", "Call"}, 0},
        {{}, 0},
    };
    auto &prompter = scriptedPrompter();
    for (const Case &k : cases) {
        SCOPED_TRACE(k.groups.join(u',').toStdString());
        ListedCatalog catalog;
        catalog.userList = {"Boss", "ann"};
        catalog.memberships = k.groups;
        EXPECT_EQ(ComputeRightsLevel(catalog, QStringLiteral("Ann")), k.level);
    }
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST(ParametersRights, UserMissingFromTheWorkgroupIsToldAndGetsLevelZero)
{
    TestDatabase db;
    db.addUser(QStringLiteral("ann"), QStringLiteral("pw123"), {QStringLiteral("CallManagers")});
    auto e = db.open(QStringLiteral("ann"), QStringLiteral("pw123"));
    auto &prompter = scriptedPrompter();

    EXPECT_EQ(ComputeRightsLevel(e->catalog(), QStringLiteral("ANN")), 3);
    EXPECT_TRUE(prompter.messages.isEmpty());

    EXPECT_EQ(ComputeRightsLevel(e->catalog(), QStringLiteral("nobody")), 0);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Error);
    EXPECT_EQ(prompter.messages[0].text,
              QStringLiteral(
                  "Sorry, you have no group memberships\r\n   Please contact your administrator"));
}

TEST(ParametersRights, CommandsShownForEachLevel)
{
    struct Case
    {
        int level;
        bool initiallyVisible;
        bool values, urgency, setup, users;
    };
    const Case cases[] = {
        {0, false, false, false, false, false},
        {1, false, false, false, false, false},
        {2, false, false, false, false, false},
        {3, false, true, true, true, false},
        {4, false, true, true, true, true},
        // levels 0 and 1 leave the commands alone; level 2 hides them
        {0, true, true, true, true, true},
        {1, true, true, true, true, true},
        {2, true, false, false, false, false},
        {3, true, true, true, true, false},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(testing::Message()
                     << "level " << k.level << (k.initiallyVisible ? " from shown" : ""));
        QAction values(QStringLiteral("Values List")), urgency(QStringLiteral("Urgency Values")),
            setup(QStringLiteral("Setup")), users(QStringLiteral("User Group Membership"));
        for (QAction *a : {&values, &urgency, &setup, &users})
            a->setVisible(k.initiallyVisible);
        ApplyRightsToCommands(k.level, &values, &urgency, &setup, &users);
        EXPECT_EQ(values.isVisible(), k.values);
        EXPECT_EQ(urgency.isVisible(), k.urgency);
        EXPECT_EQ(setup.isVisible(), k.setup);
        EXPECT_EQ(users.isVisible(), k.users);
    }
}

} // namespace
