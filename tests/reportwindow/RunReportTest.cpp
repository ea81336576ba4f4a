#include "ReportError.h"
#include "ReportWindowFixture.h"

#include <optional>

namespace {

// RunReport's steps with fake definitions and stand-in prompts, preview and printer.
class RunReportTest : public ReportWindowTest
{
protected:
    ReportRun::Services services()
    {
        ReportRun::Services s;
        s.createDocument = [this, make = fakes(designSql)](const QString &className) {
            cursorWhileCreating = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                                 : Qt::ArrowCursor;
            return make(className);
        };
        s.promptRange = [this] {
            ++rangePrompts;
            return range;
        };
        s.promptCallId = [this] {
            ++callPrompts;
            return callId;
        };
        s.preview = [this](const RenderedReport &report) {
            cursorInPreview = QApplication::overrideCursor() != nullptr;
            previewed.push_back(report);
            if (outputError)
                throw ReportError(*outputError);
        };
        s.print = [this](const RenderedReport &report) {
            printed.push_back(report);
            if (outputError)
                throw ReportError(*outputError);
        };
        return s;
    }

    ReportRun::Outcome run(const QString &name, bool preview = true)
    {
        return ReportRun::run(name, preview, services());
    }

    QString designSql = kCallsSql;
    std::optional<ReportRunParameters> range = ReportRunParameters::range(
        QDateTime(QDate(2004, 1, 5), QTime(0, 1)), QDateTime(QDate(2004, 1, 31), QTime(23, 59)));
    std::optional<int> callId = 2;
    std::optional<QString> outputError;
    int rangePrompts = 0, callPrompts = 0;
    Qt::CursorShape cursorWhileCreating = Qt::ArrowCursor;
    bool cursorInPreview = true;
    std::vector<RenderedReport> previewed, printed;
};

TEST_F(RunReportTest, RangeReportAppendsItsClauseOnceAndSetsTheRangeLabels)
{
    addCall(QDateTime(QDate(2004, 1, 5), QTime(0, 0, 59)));   // before From
    addCall(QDateTime(QDate(2004, 1, 5), QTime(0, 1)));
    addCall(QDateTime(QDate(2004, 1, 31), QTime(23, 59)));
    addCall(QDateTime(QDate(2004, 2, 1), QTime(9, 0)));       // after To

    EXPECT_EQ(run(QStringLiteral("CallStat")), ReportRun::Outcome::Shown);
    EXPECT_EQ(rangePrompts, 1);
    EXPECT_EQ(callPrompts, 0);
    EXPECT_EQ(log.classNames, QStringList{QStringLiteral("TQuickReport1")});
    EXPECT_EQ(log.finalSql, QStringList{kCallsSql + QStringLiteral(
        "\n WHERE tblCall.InputDate >=  #01-05-2004 00:01:00#  AND tblCall.InputDate <=  "
        "#01-31-2004 23:59:00#  ORDER BY tblCall.statusID, tblOrganization.OrganizationName")});
    EXPECT_EQ(log.titles, QStringList{QStringLiteral("Fake Report")});
    ASSERT_EQ(log.ranges.size(), 1);
    EXPECT_TRUE(log.ranges[0].contains(QStringLiteral("00:01")) &&
                log.ranges[0].contains(QStringLiteral("23:59")))
        << log.ranges[0].toStdString();
    EXPECT_EQ(log.destroyed, 1);
    ASSERT_EQ(previewed.size(), 1u);
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(previewed[0].csv().rows.size(), 2u) << "the two calls inside the range";
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(RunReportTest, EachRunMakesAFreshDefinitionSoTheClauseIsNeverAppendedTwice)
{
    ASSERT_EQ(run(QStringLiteral("OrgCallStat")), ReportRun::Outcome::Shown);
    ASSERT_EQ(run(QStringLiteral("OrgCallStat")), ReportRun::Outcome::Shown);
    ASSERT_EQ(log.finalSql.size(), 2);
    EXPECT_EQ(log.finalSql[0], log.finalSql[1]);
    EXPECT_EQ(log.finalSql[0].count(QStringLiteral("WHERE")), 1);
    EXPECT_EQ(log.titles, QStringList(2, QStringLiteral("Calls By Organisation in Date Range")));
    EXPECT_EQ(previewed.at(1).title(), QStringLiteral("Calls By Organisation in Date Range"));
}

TEST_F(RunReportTest, FixedAndCallNumberReportsAskOnlyWhatTheyNeed)
{
    EXPECT_EQ(run(QStringLiteral("LiveCallsByDate"), false), ReportRun::Outcome::Shown);
    EXPECT_EQ(rangePrompts + callPrompts, 0);
    EXPECT_EQ(log.finalSql.value(0), kCallsSql + QStringLiteral("\n ORDER BY tblCall.InputDate"));
    EXPECT_EQ(log.ranges.value(0), QStringLiteral("|")) << "no range labels";

    callId = -3;
    EXPECT_EQ(run(QStringLiteral("CallByID"), false), ReportRun::Outcome::Shown);
    EXPECT_EQ(callPrompts, 1);
    EXPECT_EQ(rangePrompts, 0);
    EXPECT_EQ(log.classNames.value(1), QStringLiteral("TQRCallByID"));
    EXPECT_EQ(log.finalSql.value(1), kCallsSql + QStringLiteral("\n WHERE tblCall.CallID = -3"));
    EXPECT_EQ(printed.size(), 2u);
    EXPECT_TRUE(previewed.empty());
}

TEST_F(RunReportTest, NoKeyOrACancelledPromptEndsSilentlyWithoutAReport)
{
    EXPECT_EQ(run(QStringLiteral("callstat")), ReportRun::Outcome::NotAReport);
    EXPECT_EQ(run(QStringLiteral("Something Else")), ReportRun::Outcome::NotAReport);
    EXPECT_EQ(rangePrompts, 0);

    range.reset();
    EXPECT_EQ(run(QStringLiteral("CallsActions")), ReportRun::Outcome::Cancelled);
    callId.reset();
    EXPECT_EQ(run(QStringLiteral("CallByID")), ReportRun::Outcome::Cancelled);
    EXPECT_EQ(rangePrompts, 1);
    EXPECT_EQ(callPrompts, 1);
    EXPECT_TRUE(log.classNames.isEmpty());
    EXPECT_TRUE(previewed.empty() && printed.empty());
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(RunReportTest, HourglassWhileTheDataIsReadNormalCursorForThePreview)
{
    ASSERT_EQ(run(QStringLiteral("CallStat")), ReportRun::Outcome::Shown);
    EXPECT_EQ(cursorWhileCreating, Qt::WaitCursor);
    EXPECT_FALSE(cursorInPreview);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RunReportTest, AnOpenErrorGoesToTheCallerWithTheEngineTextAndTheCursorBack)
{
    designSql = QStringLiteral("SELECT tblCall.CallID FROM tblNoSuchTable");
    try {
        run(QStringLiteral("CallStat"));
        ADD_FAILURE() << "expected the engine's error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("tblNoSuchTable"))) << e.message().toStdString();
    }
    EXPECT_EQ(log.destroyed, 1) << "the definition is discarded";
    EXPECT_TRUE(previewed.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RunReportTest, APreviewOrPrintErrorIsShownWithItsOwnText)
{
    outputError = QStringLiteral("The printer Office cannot be opened.");
    for (bool preview : {true, false}) {
        prompter->messages.clear();
        EXPECT_EQ(run(QStringLiteral("CallStat"), preview), ReportRun::Outcome::OutputFailed);
        ASSERT_EQ(prompter->messages.size(), 1);
        EXPECT_EQ(prompter->messages[0].text, *outputError);
        EXPECT_EQ(prompter->messages[0].kind, Prompter::Kind::Error);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(log.destroyed, 2);
}

} // namespace
