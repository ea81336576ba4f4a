#include "AdminCommandLine.h"
#include "TestDatabase.h"

#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// vellomar-admin report, run in-process over a seeded database (user Boss, empty password).
class ReportCommandTest : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("VELLOMAR_PASSWORD", ""); }
    void TearDown() override { qunsetenv("VELLOMAR_PASSWORD"); }

    int run(QStringList args)
    {
        out.clear();
        err.clear();
        prompted = false;
        QTextStream o(&out), e(&err);
        AdminCommandLine cli(o, e, [this](const QString &, QString *) {
            prompted = true;
            return false;
        });
        return cli.run(args);
    }
    QStringList report(const QString &key, const QStringList &more = {})
    {
        return QStringList{"report", "--database", db.databasePath(), "--workgroup",
                           db.workgroupPath(), "--user", "Boss", "--name", key} + more;
    }
    QStringList csvLines(const QString &file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    int callsBetween(const QString &fromIso, const QString &toIso)
    {
        auto e = db.open();
        QSqlQuery q = e->select(QStringLiteral("SELECT COUNT(*) FROM tblCall WHERE InputDate >= :f "
                                               "AND InputDate <= :t"),
                                {{QStringLiteral("f"), QDateTime::fromString(fromIso, Qt::ISODate)},
                                 {QStringLiteral("t"), QDateTime::fromString(toIso, Qt::ISODate)}});
        return q.next() ? q.value(0).toInt() : -1;
    }
    void addDemoCalls()
    {
        ASSERT_EQ(run({"demo-data", "--database", db.databasePath(), "--workgroup", db.workgroupPath(),
                       "--user", "Boss", "--orgs", "3", "--people", "6", "--calls", "40",
                       "--actions-per-call", "1", "--seed", "7", "--until", "2004-06-30"}),
                  0)
            << err.toStdString();
    }

    TestDatabase db;
    QString csv = db.path(QStringLiteral("report.csv"));
    QString out, err;
    bool prompted = false;
};

TEST_F(ReportCommandTest, RefusesBadArgumentsBeforeAskingForThePassword)
{
    qunsetenv("VELLOMAR_PASSWORD");
    const QString from = QStringLiteral("2004-01-05 00:01:00");
    const QString to = QStringLiteral("2004-01-31 23:59:00");
    struct Case
    {
        QStringList args;
        int exit;
        const char *says;
    };
    const Case cases[] = {
        {report("callstat", {"--csv", csv}), 1, "There is no report called 'callstat'"},
        {report("Nonesuch", {"--from", from, "--to", to, "--csv", csv}), 1, "CallStat, OrgCallStat"},
        {report("CallStat", {"--from", from, "--to", to}), 2, "--pdf FILE or --csv FILE"},
        {report("CallStat", {"--from", from, "--to", to, "--csv", csv, "--pdf", "x.pdf"}), 2,
         "one of them"},
        {report("CallStat", {"--csv", csv}), 2, "give --from and --to"},
        {report("CallStat", {"--from", from, "--csv", csv}), 2, "give --from and --to"},
        {report("CallStat", {"--from", "2004-01-05", "--to", to, "--csv", csv}), 2,
         "--from needs a date and time"},
        {report("CallStat", {"--from", from, "--to", "31/01/2004 23:59:00", "--csv", csv}), 2,
         "--to needs"},
        {report("CallStat", {"--from", from, "--to", to, "--call-id", "4", "--csv", csv}), 2,
         "takes no --call-id"},
        {report("CallByID", {"--csv", csv}), 2, "give --call-id N"},
        {report("CallByID", {"--call-id", "1.5", "--csv", csv}), 2, "--call-id needs a whole number"},
        {report("CallByID", {"--call-id", "12a", "--csv", csv}), 2, "--call-id needs a whole number"},
        {report("LiveCallsByDate", {"--from", from, "--to", to, "--csv", csv}), 2, "takes no --from"},
        {{"report", "--link", "x.udl", "--user", "Boss", "--csv", csv}, 2, "--name is required"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        EXPECT_EQ(run(c.args), c.exit);
        EXPECT_TRUE(err.contains(QLatin1String(c.says))) << err.toStdString();
        EXPECT_FALSE(prompted);
        EXPECT_FALSE(QFile::exists(csv));
    }
}

TEST_F(ReportCommandTest, AKeyTheDatabaseDoesNotListIsRefused)
{
    db.open()->execute(QStringLiteral("DELETE FROM tblReport WHERE ReportName = 'LiveCallsByDate'"));
    EXPECT_EQ(run(report("LiveCallsByDate", {"--csv", csv})), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("lists no report 'LiveCallsByDate'"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(csv));
}

TEST_F(ReportCommandTest, WritesTheCallsOfTheRangeAsCsv)
{
    addDemoCalls();
    const QString from = QStringLiteral("2002-01-01 00:01:00");
    const QString to = QStringLiteral("2003-12-31 23:59:00");
    const int expected = callsBetween(QStringLiteral("2002-01-01T00:01:00"),
                                      QStringLiteral("2003-12-31T23:59:00"));
    ASSERT_GT(expected, 0);
    ASSERT_EQ(run(report("CallStat", {"--from", from, "--to", to, "--csv", csv})), 0) << err.toStdString();
    EXPECT_EQ(csvLines(csv).size(), expected + 1) << "captions and one line per call";
    EXPECT_TRUE(out.startsWith(QStringLiteral("Wrote ") + csv)) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("%1 row").arg(expected))) << out.toStdString();
}

TEST_F(ReportCommandTest, FromAfterToGivesAnEmptyReport)
{
    addDemoCalls();
    ASSERT_EQ(run(report("OrgCallStat", {"--from", "2004-06-30 00:00:00", "--to", "2000-01-01 00:00:00",
                                         "--csv", csv})),
              0)
        << err.toStdString();
    EXPECT_EQ(csvLines(csv).size(), 1) << "captions only";
}

TEST_F(ReportCommandTest, OneCallByItsNumberAsPdf)
{
    addDemoCalls();
    const QString pdf = db.path(QStringLiteral("call.pdf"));
    ASSERT_EQ(run(report("CallByID", {"--call-id", "+7", "--pdf", pdf})), 0) << err.toStdString();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    EXPECT_TRUE(out.contains(QStringLiteral("1 page"))) << out.toStdString();
}

} // namespace
