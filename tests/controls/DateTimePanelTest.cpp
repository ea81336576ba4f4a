#include "DataSource.h"
#include "Dataset.h"
#include "TDBDateTimePanel.h"
#include "TestDatabase.h"

#include <QDateEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTimeEdit>

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(14, 25, 30));
const QDateTime kDue(QDate(2026, 5, 20), QTime(9, 15, 0));

// Three calls by CallID: the first with no due date, the second due 20/05/2026 09:15, the
// third due a day later; a panel on DueDate with a clock standing at 10/03/2026 14:25:30 and
// an offset of one day.
class DateTimePanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine = db.open();
        engine->execute("INSERT INTO tblOrganization (OrganizationName) VALUES ('Acme Ltd')");
        const QVariant org = scalar("SELECT max(OrgID) FROM tblOrganization");
        for (const QVariant &due : {QVariant(), QVariant(kDue), QVariant(kDue.addDays(1))})
            engine->execute("INSERT INTO tblCall (OrgID, CallRef, DueDate) VALUES (:o, 'C', :d)",
                            {{"o", org}, {"d", due}});
        ds = std::make_unique<Dataset>(engine.get());
        ds->setSql("SELECT CallID, OrgID, CallRef, DueDate FROM tblCall ORDER BY CallID");
        ds->open();
        source.setDataset(ds.get());

        panel.now = [] { return kNow; };
        panel.SetDefaultOffset(1.0);
        panel.setDataSource(&source);
        panel.setDataField("DueDate");
    }

    QVariant scalar(const QString &sql)
    {
        QSqlQuery q = engine->select(sql);
        return q.next() ? q.value(0) : QVariant();
    }

    QDateTime shown() const
    {
        return QDateTime(panel.datePicker()->date(), panel.timePicker()->time());
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> engine;
    std::unique_ptr<Dataset> ds;
    DataSource source;
    TDBDateTimePanel panel;
};

TEST_F(DateTimePanel, NewRecordTakesNowPlusOffsetBeforeTheUserTouchesIt)
{
    ds->append();
    ds->field("OrgID").setValue(scalar("SELECT max(OrgID) FROM tblOrganization"));

    const QDateTime tomorrow(QDate(2026, 3, 11), QTime(14, 25, 30));
    EXPECT_EQ(ds->field("DueDate").asDateTime(), tomorrow);
    EXPECT_EQ(panel.dateTime(), tomorrow);
    EXPECT_EQ(shown(), tomorrow);

    ds->post();
    EXPECT_EQ(engine->fromEngine(scalar("SELECT DueDate FROM tblCall WHERE CallID = "
                                        "(SELECT max(CallID) FROM tblCall)"),
                                 SchemaCatalog::ColumnType::DateTime)
                  .toDateTime(),
              tomorrow);
}

TEST_F(DateTimePanel, BrowsingAnEmptyFieldShowsTheProposalOnly)
{
    QSignalSpy failures(&panel, &TDBDateTimePanel::writeFailed);
    ds->first();
    EXPECT_EQ(shown(), kNow.addDays(1));
    EXPECT_EQ(failures.count(), 0) << "no attempt to write while browsing";
    EXPECT_EQ(ds->state(), Dataset::State::Browse);
    EXPECT_TRUE(ds->field("DueDate").isNull());
    EXPECT_FALSE(ds->isModified());

    // A record with a value shows it, and a record being edited with an empty field takes the
    // proposal.
    ds->next();
    EXPECT_EQ(shown(), kDue);
    EXPECT_EQ(panel.dateTime(), kDue);
    ds->first();
    ds->edit();
    ds->field("DueDate").clear();
    EXPECT_EQ(ds->field("DueDate").asDateTime(), kNow.addDays(1));
}

TEST_F(DateTimePanel, DateChangeKeepsTheTimeAndTimeChangeKeepsTheDate)
{
    ds->setRecNo(2);
    ASSERT_EQ(shown(), kDue);

    panel.datePicker()->setDate(QDate(2026, 6, 1));
    EXPECT_EQ(ds->state(), Dataset::State::Edit) << "the link put the record into Edit";
    EXPECT_EQ(ds->field("DueDate").asDateTime(), QDateTime(QDate(2026, 6, 1), kDue.time()));
    EXPECT_EQ(panel.timePicker()->time(), kDue.time());

    panel.timePicker()->setTime(QTime(11, 45, 10));
    EXPECT_EQ(ds->field("DueDate").asDateTime(), QDateTime(QDate(2026, 6, 1), QTime(11, 45, 10)));
    EXPECT_EQ(panel.datePicker()->date(), QDate(2026, 6, 1));
    EXPECT_EQ(panel.dateTime(), QDateTime(QDate(2026, 6, 1), QTime(11, 45, 10)));

    // A change made elsewhere shows in the panel.
    ds->field("DueDate").setValue(kDue.addDays(7));
    EXPECT_EQ(shown(), kDue.addDays(7));
}

TEST_F(DateTimePanel, NewOffsetShowsOnlyWhenTheRecordMoves)
{
    ds->first();
    ASSERT_EQ(shown(), kNow.addDays(1));
    panel.SetDefaultOffset(2.5);
    EXPECT_EQ(panel.defaultOffset(), 2.5);
    EXPECT_EQ(shown(), kNow.addDays(1));
    EXPECT_EQ(panel.dateTime(), kNow.addDays(1));

    ds->next();
    ds->prior();
    EXPECT_EQ(panel.dateTime(), QDateTime(QDate(2026, 3, 13), QTime(2, 25, 30)));
    EXPECT_EQ(shown(), panel.dateTime());
}

TEST_F(DateTimePanel, RefusedWriteReportsTheMessageAndKeepsFollowingTheRecord)
{
    struct Case
    {
        const char *what;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"read-only panel", [&] { panel.setReadOnly(true); }},
        {"read-only dataset", [&] { ds->setReadOnly(true); }},
    };
    for (const Case &c : cases) {
        panel.setReadOnly(false);
        ds->setReadOnly(false);
        ds->setRecNo(2);
        c.arrange();
        QSignalSpy failures(&panel, &TDBDateTimePanel::writeFailed);

        panel.datePicker()->setDate(QDate(2027, 1, 1));
        ASSERT_EQ(failures.count(), 1) << c.what;
        EXPECT_FALSE(failures.at(0).at(0).toString().isEmpty()) << c.what;
        EXPECT_EQ(ds->state(), Dataset::State::Browse) << c.what;
        EXPECT_EQ(ds->field("DueDate").asDateTime(), kDue) << c.what;
        EXPECT_EQ(shown(), kDue) << c.what << ": the record's value again";

        ds->next();
        EXPECT_EQ(shown(), kDue.addDays(1)) << c.what << ": still following the record";
    }
}

TEST_F(DateTimePanel, PickersShareTheWidthAndTheColour)
{
    panel.show();
    panel.resize(201, 24);
    EXPECT_EQ(panel.datePicker()->geometry(), QRect(0, 0, 99, 24));
    EXPECT_EQ(panel.timePicker()->geometry(), QRect(102, 0, 99, 24));
    panel.resize(120, 30);
    EXPECT_EQ(panel.datePicker()->geometry(), QRect(0, 0, 59, 30));
    EXPECT_EQ(panel.timePicker()->geometry(), QRect(61, 0, 59, 30));

    EXPECT_EQ(panel.color(), QColor(Qt::white));
    panel.setColor(QColor(0xFF, 0xFF, 0xF0));
    EXPECT_EQ(panel.datePicker()->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xF0));
    EXPECT_EQ(panel.timePicker()->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xF0));
}

} // namespace
