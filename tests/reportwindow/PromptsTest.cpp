#include "ReportPrompts.h"
#include "ReportWindowFixture.h"
#include "TDateTimePromptForm.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <functional>

namespace {

using PromptsTest = ReportWindowTest;

// Works the range dialog from inside its own loop once it is up.
void whenDialogShows(const std::function<void(TDateTimePromptForm &)> &work)
{
    QTimer::singleShot(0, [work] {
        auto *dialog = qobject_cast<TDateTimePromptForm *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(*dialog);
    });
}

TEST_F(PromptsTest, RangeDialogOpensOnTodayFromOneMinutePastMidnightToOneMinuteBefore)
{
    TDateTimePromptForm dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set date/time range for report"));
    EXPECT_EQ(dialog.FromDatePicker->date(), kNow.date());
    EXPECT_EQ(dialog.ToDatePicker->date(), kNow.date());
    EXPECT_EQ(dialog.FromTimePicker->time(), QTime(0, 1, 0));
    EXPECT_EQ(dialog.ToTimePicker->time(), QTime(23, 59, 0));
    EXPECT_EQ(dialog.from(), QDateTime(kNow.date(), QTime(0, 1, 0)));
    EXPECT_EQ(dialog.to(), QDateTime(kNow.date(), QTime(23, 59, 0)));
    EXPECT_TRUE(dialog.FromLabel->font().bold());
    EXPECT_TRUE(dialog.ToLabel->font().bold());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowContextHelpButtonHint);
}

TEST_F(PromptsTest, TabWalksFromDateFromTimeToDateToTimeOkCancel)
{
    TDateTimePromptForm dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const QList<QWidget *> order{dialog.FromDatePicker, dialog.FromTimePicker, dialog.ToDatePicker,
                                 dialog.ToTimePicker, dialog.Buttons->button(QDialogButtonBox::Ok),
                                 dialog.Buttons->button(QDialogButtonBox::Cancel)};
    // The control holding the focus, whichever inner editor of it has the keyboard.
    auto focused = [&]() -> QWidget * {
        for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (order.contains(w))
                return w;
        return nullptr;
    };
    EXPECT_EQ(focused(), dialog.FromDatePicker) << "the dialog opens on the From date";
    for (int i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focused(), order[i % order.size()]) << "after " << i << " Tab(s)";
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), order.last());
}

TEST_F(PromptsTest, OkGivesEachPickersDateWithItsTimeAndTheLiterals)
{
    whenDialogShows([](TDateTimePromptForm &d) {
        d.FromDatePicker->setDate(QDate(2004, 1, 5));
        d.ToDatePicker->setDate(QDate(2004, 1, 31));
        d.ToTimePicker->setTime(QTime(18, 30, 45));
        d.Buttons->button(QDialogButtonBox::Ok)->click();
    });
    const auto range = PromptDateTimeRange(nullptr);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->from, QDateTime(QDate(2004, 1, 5), QTime(0, 1)));
    EXPECT_EQ(range->to, QDateTime(QDate(2004, 1, 31), QTime(18, 30, 45)));
    EXPECT_EQ(range->fromLiteral, QStringLiteral(" #01-05-2004 00:01:00# "));
    EXPECT_EQ(range->toLiteral, QStringLiteral(" #01-31-2004 18:30:45# "));
}

TEST_F(PromptsTest, FromAfterToIsTakenAsItStands)
{
    whenDialogShows([](TDateTimePromptForm &d) {
        d.FromDatePicker->setDate(QDate(2004, 2, 1));
        d.ToDatePicker->setDate(QDate(2004, 1, 1));
        QTest::keyClick(d.Buttons->button(QDialogButtonBox::Ok), Qt::Key_Space);
    });
    const auto range = PromptDateTimeRange(nullptr);
    ASSERT_TRUE(range);
    EXPECT_GT(range->from, range->to);
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(PromptsTest, CancelOrEscGivesNothing)
{
    whenDialogShows([](TDateTimePromptForm &d) { d.Buttons->button(QDialogButtonBox::Cancel)->click(); });
    EXPECT_FALSE(PromptDateTimeRange(nullptr));
    whenDialogShows([](TDateTimePromptForm &d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_FALSE(PromptDateTimeRange(nullptr));
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(PromptsTest, CallIdMustBeAWholeThirtyTwoBitNumber)
{
    struct Case
    {
        const char *typed;
        std::optional<int> number;
    };
    const Case cases[] = {
        {"42", 42},           {"-3", -3},       {"+7", 7},          {"0", 0},
        {"007", 7},           {"2147483647", 2147483647},           {"-2147483648", -2147483647 - 1},
        {"12a", {}},          {"1.5", {}},      {"", {}},           {" 4", {}},
        {"4 ", {}},           {"+", {}},        {"-", {}},          {"1e3", {}},
        {"2147483648", {}},   {"0x10", {}},     {"+-1", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        prompter->messages.clear();
        prompter->questions.clear();
        prompter->inputAnswers = {{true, QString::fromLatin1(c.typed)}};
        EXPECT_EQ(PromptCallID(), c.number);
        EXPECT_EQ(prompter->questions, QStringList{QStringLiteral("Enter CallID")});
        if (c.number)
            EXPECT_TRUE(prompter->messages.isEmpty());
        else
            EXPECT_EQ(prompter->texts(), QStringList{QStringLiteral("Please enter a valid whole number")});
    }
}

TEST_F(PromptsTest, CancelledCallIdIsSilent)
{
    prompter->inputAnswers = {{false, QStringLiteral("12")}};
    EXPECT_FALSE(PromptCallID());
    EXPECT_TRUE(prompter->messages.isEmpty());
}

} // namespace
