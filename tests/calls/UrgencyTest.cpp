#include "ControlColors.h"
#include "DBNavigator.h"
#include "DataSource.h"
#include "Dataset.h"
#include "Prompter.h"
#include "TDBGridPlus.h"
#include "TDataModule1.h"
#include "TKELDMainMDIForm.h"
#include "TUrgencyForm.h"
#include "TestDatabase.h"
#include "UrgencyColour.h"

#include <QApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <limits>
#include <optional>

namespace {

QString S(const char *text) { return QString::fromUtf8(text); }

// ---- the colour rule ------------------------------------------------------------------------

const QColor kRed(Qt::red), kYellow(Qt::yellow), kGreen(Qt::green);

struct MarkCase
{
    const char *name;
    bool closed;
    double daysLeft;            // NAN: no due date
    UrgencyMark expected;
};

TEST(UrgencyMark, FollowsTheSmallestThresholdAboveTheTimeLeft)
{
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30));
    // Given out of order: the rule orders them itself.
    const std::vector<UrgencyLevel> levels = {{7, kGreen}, {1, kRed}, {3, kYellow}};
    using K = UrgencyMark::Kind;
    const MarkCase cases[] = {
        {"12 hours left", false, 0.5, {K::Colour, kRed}},
        {"2 days left", false, 2, {K::Colour, kYellow}},
        {"exactly 1 day counts as beyond it", false, 1, {K::Colour, kYellow}},
        {"exactly 3 days counts as beyond it", false, 3, {K::Colour, kGreen}},
        {"beyond every threshold: the largest", false, 10, {K::Colour, kGreen}},
        {"a second left", false, 1.0 / 86400, {K::Colour, kRed}},
        {"due this very moment", false, 0, {K::Overdue, {}}},
        {"5 minutes overdue", false, -5.0 / 1440, {K::Overdue, {}}},
        {"closed, not yet due", true, 2, {K::Closed, {}}},
        {"closed and overdue", true, -3, {K::Closed, {}}},
        {"closed without a due date", true, NAN, {K::Closed, {}}},
        {"open without a due date", false, NAN, {K::Empty, {}}},
    };
    for (const MarkCase &c : cases) {
        const QDateTime due = std::isnan(c.daysLeft)
                                  ? QDateTime()
                                  : now.addMSecs(qint64(std::llround(c.daysLeft * 86400000.0)));
        EXPECT_EQ(urgencyMarkFor(c.closed, due, now, levels), c.expected) << c.name;
    }
}

TEST(UrgencyMark, EdgesOfTheLevelList)
{
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30));
    const QDateTime inTwoDays = now.addDays(2);
    // No levels: the grids' cream.
    EXPECT_EQ(urgencyMarkFor(false, inTwoDays, now, {}),
              (UrgencyMark{UrgencyMark::Kind::Colour, ControlColors::kCream}));
    // Equal thresholds: the first of them above the time left, the last of them beyond all.
    const std::vector<UrgencyLevel> ties = {{3, kRed}, {3, kYellow}};
    EXPECT_EQ(urgencyMarkFor(false, inTwoDays, now, ties).colour, kRed);
    EXPECT_EQ(urgencyMarkFor(false, now.addDays(5), now, ties).colour, kYellow);
    // A level without a threshold never catches a row unless it is all there is.
    const double noThreshold = -std::numeric_limits<double>::infinity();
    EXPECT_EQ(urgencyMarkFor(false, inTwoDays, now, {{noThreshold, kGreen}, {1, kRed}}).colour,
              kRed);
    // Day zero of the date arithmetic is no due date.
    EXPECT_EQ(urgencyMarkFor(false, QDateTime(QDate(1899, 12, 30), QTime(0, 0)), now,
                             {{1, kRed}}).kind,
              UrgencyMark::Kind::Empty);
}

TEST(UrgencyMark, ThresholdSplitsIntoDaysHoursMinutesAndSecondsAndBack)
{
    using P = TUrgencyTimeEditForm::Parts;
    const std::pair<double, P> cases[] = {
        {2 + 3.25 / 24, {2, 3, 15, 0}},         // 2.135416...
        {2.75, {2, 18, 0, 0}},
        {0.5 + 20.0 / 86400, {0, 12, 0, 20}},   // seconds survive a round trip
        {1000 + (23 * 60 + 59) / 1440.0, {1000, 23, 59, 0}},
        {0, {0, 0, 0, 0}},
    };
    for (const auto &[days, parts] : cases) {
        EXPECT_EQ(TUrgencyTimeEditForm::split(days), parts) << days;
        EXPECT_NEAR(TUrgencyTimeEditForm::join(parts), days, 1e-9) << days;
    }
}

// ---- the window ------------------------------------------------------------------------------

// The seeded levels (Critical 0.125, Urgent 1, Due Soon 3, This Week 7, Not Urgent 30; the
// first two and the last required by the system) plus "Half Day" at 12 hours and 20 seconds,
// added last.
class UrgencyWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto p = std::make_unique<ScriptedPrompter>();
        prompter = p.get();
        Prompter::install(std::move(p));
        e->execute(S("INSERT INTO tblUrgency (Description, Color, IsSys, ThresholdTime) "
                     "VALUES ('Half Day', 255, 0, :t)"),
                   {{S("t"), 0.5 + 20.0 / 86400}});
        m = std::make_unique<TDataModule1>(e.get());
        m->warn = [](const QString &text) {
            Prompter::instance().message(text, Prompter::Kind::Warning);
        };
        m->UrgencyADOTable->open();
    }

    void TearDown() override
    {
        delete form.data();
        Prompter::install(std::make_unique<QtPrompter>());
    }

    TUrgencyForm &openForm(bool archive = false)
    {
        form = new TUrgencyForm(*m, archive);
        form->show();
        return *form;
    }

    Dataset &table() { return *m->UrgencyADOTable; }

    QVariant stored(const char *column, const char *description)
    {
        QSqlQuery q = e->select(S("SELECT %1 FROM tblUrgency WHERE Description = :d").arg(S(column)),
                                {{S("d"), S(description)}});
        return q.next() ? q.value(0) : QVariant();
    }

    int levelCount()
    {
        QSqlQuery q = e->select(S("SELECT COUNT(*) FROM tblUrgency"));
        return q.next() ? q.value(0).toInt() : -1;
    }

    // Clicks a cell of the row holding the level.
    void clickCell(const char *description, int column)
    {
        int row = -1;
        for (int r = 0; r < table().recordCount(); ++r)
            if (table().valueAt(r, table().field(S("Description"))).toString() == S(description))
                row = r;
        ASSERT_GE(row, 0) << description;
        TDBGridPlus *grid = form->DBGrid1;
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }

    // Works the threshold dialog once it is up: records what it offered, then sets the fields
    // and answers OK (or Cancel when parts is empty).
    void answerThreshold(std::optional<TUrgencyTimeEditForm::Parts> parts)
    {
        QTimer::singleShot(0, [this, parts] {
            auto *d = qobject_cast<TUrgencyTimeEditForm *>(QApplication::activeModalWidget());
            if (!d) {
                ADD_FAILURE() << "no threshold dialog";
                return;
            }
            offered = {d->DaysSpinEdit->value(), d->HoursSpinEdit->value(),
                       d->MinsSpinEdit->value(), 0};
            if (!parts) {
                d->reject();
                return;
            }
            d->DaysSpinEdit->setValue(parts->days);
            d->HoursSpinEdit->setValue(parts->hours);
            d->MinsSpinEdit->setValue(parts->mins);
            d->accept();
        });
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();
    std::unique_ptr<TDataModule1> m;
    ScriptedPrompter *prompter = nullptr;
    QPointer<TUrgencyForm> form;
    TUrgencyTimeEditForm::Parts offered;
};

TEST_F(UrgencyWindow, ListsTheLevelsFromTheShortestThreshold)
{
    openForm();
    QStringList order;
    for (int r = 0; r < table().recordCount(); ++r)
        order << form->DBGrid1->model()->index(r, TUrgencyForm::DescriptionColumn).data().toString();
    EXPECT_EQ(order, (QStringList{"Critical", "Half Day", "Urgent", "Due Soon", "This Week",
                                  "Not Urgent"}));
    EXPECT_EQ(form->DBGrid1->model()->headerData(2, Qt::Horizontal).toString(), S("Days  h:m"));
    EXPECT_EQ(form->DBGrid1->model()->index(1, TUrgencyForm::ThresholdColumn).data().toString(),
              S("0, 12:00"));
}

TEST_F(UrgencyWindow, ThresholdDialogWritesDaysAndTheTimeOfDayAndPostsAtOnce)
{
    openForm();
    answerThreshold(TUrgencyTimeEditForm::Parts{2, 3, 15, 0});
    clickCell("Due Soon", TUrgencyForm::ThresholdColumn);
    EXPECT_EQ(offered, (TUrgencyTimeEditForm::Parts{3, 0, 0, 0}));
    EXPECT_NEAR(stored("ThresholdTime", "Due Soon").toDouble(), 2 + 3.25 / 24, 1e-9);
    EXPECT_EQ(table().state(), Dataset::State::Browse);
    ASSERT_TRUE(table().locate(S("Description"), S("Due Soon")));
    EXPECT_EQ(table().field(S("CalcForDisplayThresholdTime")).asString(), S("2, 03:15"));

    // Opened again it offers what was stored; Cancel changes nothing.
    answerThreshold(std::nullopt);
    clickCell("Due Soon", TUrgencyForm::ThresholdColumn);
    EXPECT_EQ(offered, (TUrgencyTimeEditForm::Parts{2, 3, 15, 0}));
    EXPECT_NEAR(stored("ThresholdTime", "Due Soon").toDouble(), 2 + 3.25 / 24, 1e-9);
    EXPECT_FALSE(table().isEditing());

    // Seconds the dialog does not show are kept.
    answerThreshold(TUrgencyTimeEditForm::Parts{0, 13, 0, 0});
    clickCell("Half Day", TUrgencyForm::ThresholdColumn);
    EXPECT_EQ(offered, (TUrgencyTimeEditForm::Parts{0, 12, 0, 0}));
    EXPECT_NEAR(stored("ThresholdTime", "Half Day").toDouble(), (13 * 3600 + 20) / 86400.0, 1e-9);
}

TEST_F(UrgencyWindow, ChosenColourIsStoredAsBgrAndPostedWhenTheWindowCloses)
{
    openForm();
    bool told = false;
    form->onClosed = [&] { told = true; };
    prompter->colorAnswers = {0x00123456};
    clickCell("This Week", TUrgencyForm::ColourColumn);
    EXPECT_EQ(table().state(), Dataset::State::Edit);
    EXPECT_EQ(stored("Color", "This Week").toLongLong(), 0x0080FF80);   // not posted yet
    form->CloseButton->click();
    EXPECT_EQ(stored("Color", "This Week").toLongLong(), 0x00123456);
    EXPECT_TRUE(told);
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(UrgencyWindow, EnterOnTheColourCellChoosesAndEscDiscardsTheChoice)
{
    openForm();
    form->DBGrid1->setFocus();
    form->DBGrid1->setCurrentIndex(form->DBGrid1->model()->index(0, TUrgencyForm::ColourColumn));
    prompter->colorAnswers = {0x00ABCDEF};
    QTest::keyClick(form->DBGrid1, Qt::Key_Return);
    EXPECT_EQ(table().field(S("Color")).asInteger(), 0x00ABCDEF);
    EXPECT_EQ(table().field(S("Description")).asString(), S("Critical"));

    // Nothing chosen: nothing changes.
    QTest::keyClick(form->DBGrid1, Qt::Key_Return);
    EXPECT_EQ(table().field(S("Color")).asInteger(), 0x00ABCDEF);

    QTest::keyClick(form->DBGrid1, Qt::Key_Escape);
    EXPECT_TRUE(form.isNull() || !form->isVisible());
    EXPECT_FALSE(table().isEditing());
    EXPECT_EQ(stored("Color", "Critical").toLongLong(), 0x000000FF);
}

TEST_F(UrgencyWindow, RequiredLevelsStayAndNewOnesCanBeDeletedAgain)
{
    openForm();
    DBNavigator &nav = *form->DBNavigator1;
    ASSERT_TRUE(table().locate(S("Description"), S("Urgent")));
    nav.button(DBNavigator::Delete)->click();
    EXPECT_EQ(prompter->texts(),
              QStringList{S("Sorry, that record is required by the system\n") + QString(13, u' ') +
                          S("You can't delete that")});
    EXPECT_EQ(levelCount(), 6);

    nav.button(DBNavigator::Insert)->click();
    table().field(S("Description")).setValue(S("Fresh"));
    table().field(S("ThresholdTime")).setValue(14.0);
    nav.button(DBNavigator::Post)->click();
    EXPECT_EQ(levelCount(), 7);
    EXPECT_TRUE(stored("IsSys", "Fresh").isNull() || !stored("IsSys", "Fresh").toBool());
    ASSERT_TRUE(table().locate(S("Description"), S("Fresh")));
    nav.button(DBNavigator::Delete)->click();
    EXPECT_EQ(levelCount(), 6);
    EXPECT_EQ(prompter->messages.size(), 1);
    EXPECT_EQ(table().recNo(), 1);
}

TEST_F(UrgencyWindow, ANewLevelRecoloursTheTimeLeftBelowItsThreshold)
{
    // 2.5 days left falls under "Due Soon" (3 days, yellow) until a 2.75-day level comes in.
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 0));
    const QDateTime due = now.addSecs(60 * 60 * 60);
    EXPECT_EQ(urgencyMarkFor(false, due, now, urgencyLevelsOf(table())).colour,
              ControlColors::fromBgr(0x0000FFFF));
    openForm();
    table().insert();
    table().field(S("Description")).setValue(S("Between"));
    table().field(S("Color")).setValue(0x00FF0000);
    table().field(S("ThresholdTime")).setValue(2.75);
    table().post();
    table().last();
    const int at = table().recNo();
    EXPECT_EQ(urgencyMarkFor(false, due, now, urgencyLevelsOf(table())).colour, QColor(Qt::blue));
    EXPECT_EQ(table().recNo(), at);   // read without moving the cursor
}

TEST_F(UrgencyWindow, ArchiveOffersNoChanges)
{
    openForm(true);
    for (auto b : {DBNavigator::Insert, DBNavigator::Delete, DBNavigator::Edit, DBNavigator::Post})
        EXPECT_TRUE(form->DBNavigator1->button(b)->isHidden()) << b;
    EXPECT_FALSE(form->DBNavigator1->button(DBNavigator::Next)->isHidden());
}

TEST_F(UrgencyWindow, CommandOpensOneWindowAndItsClosingClearsTheReference)
{
    TKELDMainMDIForm main;
    main.show();
    UrgencyFormOpenExecute(main, *m);
    QPointer<QWidget> first = main.UrgencyForm;
    ASSERT_TRUE(qobject_cast<TUrgencyForm *>(first));
    EXPECT_EQ(first->windowTitle(), S("Urgency Values"));
    UrgencyFormOpenExecute(main, *m);
    EXPECT_EQ(main.UrgencyForm, first);
    first->close();
    EXPECT_TRUE(main.UrgencyForm.isNull());
    UrgencyFormOpenExecute(main, *m);
    EXPECT_TRUE(main.UrgencyForm);
    EXPECT_NE(main.UrgencyForm, first);
}

} // namespace
