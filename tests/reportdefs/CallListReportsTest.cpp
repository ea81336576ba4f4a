#include "ReportDefsFixture.h"

#include <QRegularExpression>

namespace {

class CallListReportsTest : public ReportDefsFixture
{
protected:
    // Calls whose ref starts with "C", in the order they print.
    static QStringList refsOf(const QStringList &texts) { return texts.filter(QRegularExpression("^C\\d$")); }
};

TEST_F(CallListReportsTest, CallsByStatusGroupOrganisationsWithinStatusesEachOnItsOwnPage)
{
    const int acme = addOrg("Acme");
    const int bravo = addOrg("Bravo");
    const int carl = addPerson("Carl", "Cole", acme);
    const int dora = addPerson("Dora", "Dunn", bravo);
    addCall({"C1", jan(10), "Open", carl});
    addCall({"C4", jan(13), "Closed", carl, 0, std::nullopt, jan(14)});
    addCall({"C2", jan(11), "Open", carl});
    addCall({"C3", jan(12), "Open", dora});
    addCall({"C5", QDateTime(QDate(2004, 2, 2), QTime(9, 0)), "Open", carl});   // after the range
    addCall({"C6", jan(5, 0, 0), "Open", carl});                               // before 00:01

    const auto doc = prepare("TQuickReport1", whereRange(kStatusOrder));
    const RenderedReport report = doc->render();
    ASSERT_EQ(report.pageCount(), 3);
    EXPECT_EQ(textsOf(report.page(0)).mid(2, 4), (QStringList{"Date Range:", shown(kFrom), "To", shown(kTo)}));

    const QStringList acmeOpen = bodyTexts(*doc, report.page(0));
    EXPECT_EQ(acmeOpen.mid(0, 4), (QStringList{"Organisation:", "Acme", "Status", "Open"}));
    EXPECT_EQ(refsOf(acmeOpen), (QStringList{"C1", "C2"}));
    EXPECT_EQ(acmeOpen.mid(acmeOpen.size() - 5), (QStringList{"Acme", "Has", "2", "Open", "Calls"}));

    const QStringList bravoOpen = bodyTexts(*doc, report.page(1));
    EXPECT_EQ(bravoOpen.mid(0, 4), (QStringList{"Organisation:", "Bravo", "Status", "Open"}));
    EXPECT_EQ(refsOf(bravoOpen), QStringList{"C3"});
    // The organisation's footer, then the status's.
    EXPECT_EQ(bravoOpen.mid(bravoOpen.size() - 9),
              (QStringList{"Bravo", "Has", "1", "Open", "Calls", "Summary", "3", "Open", "Calls Total"}));

    const QStringList acmeClosed = bodyTexts(*doc, report.page(2));
    EXPECT_EQ(acmeClosed.mid(0, 4), (QStringList{"Organisation:", "Acme", "Status", "Closed"}));
    EXPECT_EQ(refsOf(acmeClosed), QStringList{"C4"});
    EXPECT_EQ(acmeClosed.mid(acmeClosed.size() - 11),
              (QStringList{"Acme", "Has", "1", "Closed", "Calls", "Summary", "1", "Closed", "Calls Total", "4",
                           "Total Calls"}));
}

// A call's columns print in the call block's order; a date that is not set prints nothing at
// all, while the others keep their places.
TEST_F(CallListReportsTest, LiveCallsByDateListOpenCallsOldestFirstHidingEmptyDates)
{
    const int acme = addOrg("Acme");
    const int carl = addPerson("Carl", "Cole", acme);
    const int ann = addPerson("Ann", "Smith");
    Call full{"C2", jan(11, 10, 30), "Open", carl, ann, jan(12, 17, 0), std::nullopt, "Fault", "Phone", "Fixed",
              {"u1", "u2", "u3", "u4", "u5"}, "Printer on fire"};
    addCall(full);
    addCall({"C1", jan(10), "Open", carl, 0, std::nullopt, jan(20)});
    addCall({"C3", jan(9), "Pending", carl});
    addCall({"C4", jan(8), "Closed", carl});
    addCall({"C5", jan(7), "On Hold", carl});

    const auto doc = prepare("TQRLiveCallsByDate", " ORDER BY tblCall.InputDate");
    const RenderedReport report = doc->render();
    ASSERT_EQ(report.pageCount(), 1);
    EXPECT_EQ(csvColumn(report, "CallRef"), (QStringList{"C1", "C2"}));
    EXPECT_FALSE(textsOf(report.page(0)).contains(QStringLiteral("Date Range:")));

    const QStringList body = bodyTexts(*doc, report.page(0));
    const qsizetype second = body.lastIndexOf(QStringLiteral("Acme"));
    EXPECT_EQ(body.mid(second), (QStringList{"Acme", "1", "Open", shown(full.input), "C2", "Fault",
                                             shown(*full.due), "Ann Smith", "Phone", "Carl Cole", "Fixed",
                                             "u1", "u2", "u3", "u4", "u5", "Printer on fire", "2",
                                             "Total Calls"}));
    // C1: no due date, but resolved; no owner, type, method or resolution.
    EXPECT_EQ(body.mid(0, second), (QStringList{"Acme", "2", "Open", shown(jan(10)), "C1", "", "", "",
                                                shown(jan(20)), "Carl Cole", "", "", "", "", "", "", ""}));
}

TEST_F(CallListReportsTest, LiveCallsByOwnerBreakOnTheWholeNameEachOwnerOnItsOwnPage)
{
    const int ann = addPerson("Ann", "Smith");
    const int bob = addPerson("Bob", "Smith");
    const int carl = addPerson("Carl", "Cole", addOrg("Acme"));
    addCall({"C1", jan(5), "Open", carl, ann, jan(10)});
    addCall({"C2", jan(5), "Open", carl, bob, jan(11)});
    addCall({"C3", jan(5), "Open", carl, ann, jan(12)});
    addCall({"C4", jan(5), "Open", carl, 0, jan(13)});
    addCall({"C5", jan(5), "Closed", carl, ann, jan(14)});

    const auto doc = prepare("TQRLiveCallsByOwner", " ORDER BY [tblPerson_1].[LastName], tblCall.DueDate");
    const RenderedReport report = doc->render();
    ASSERT_EQ(report.pageCount(), 4);
    // Rows without an owner sort first and form a group with an empty name.
    const QStringList owners{"", "Ann Smith", "Bob Smith", "Ann Smith"};
    const QStringList refs{"C4", "C1", "C2", "C3"};
    for (int p = 0; p < 4; ++p) {
        SCOPED_TRACE(p);
        const QStringList body = bodyTexts(*doc, report.page(p));
        EXPECT_EQ(body.first(), owners[p]);
        EXPECT_TRUE(body.contains(refs[p]));
        const qsizetype footer = body.lastIndexOf(QStringLiteral("Has")) - 1;
        EXPECT_EQ(body.mid(footer, 5), (QStringList{owners[p], "Has", "1", "Live Calls at", shown(kRunTime)}));
    }
    const QStringList last = bodyTexts(*doc, report.page(3));
    EXPECT_EQ(last.mid(last.size() - 2), (QStringList{"4", "Total Calls"}));
}

// The captions of the five user fields come from the caption query's rows in the order they
// come; without a row a caption keeps its design, rows after the fifth are ignored.
TEST_F(CallListReportsTest, UserFieldCaptionsComeFromTheValuesListUpToFive)
{
    const struct
    {
        const char *name;
        QStringList removed;
        QStringList added;
        QStringList captions;   // empty: the first five rows, as the query returns them
    } cases[] = {
        {"five", {}, {}, {"Product", "Version", "Serial No", "Asset Tag", "Priority"}},
        {"three", {"Asset Tag", "Priority"}, {}, {"Product", "Version", "Serial No", "User4", "User5"}},
        {"none", {"Product", "Version", "Serial No", "Asset Tag", "Priority"}, {},
         {"User1", "User2", "User3", "User4", "User5"}},
        {"six", {}, {"Colour"}, {}},
    };
    const std::pair<const char *, QString> reports[] = {
        {"TQuickReport1", whereRange(kStatusOrder)},
        {"TQRCallsActions", whereRange(kCallsActionsOrder)},
        {"TQRTurnaround", rangeClause(" AND tblCall.InputDate >= ", kTurnaroundOrder)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestDatabase fresh;
        e = fresh.open();
        addCall({"C1", jan(10)});
        for (const QString &d : c.removed)
            e->execute(QStringLiteral("DELETE FROM tblValuesList WHERE Description = :d"),
                       {{QStringLiteral("d"), d}});
        for (const QString &d : c.added)
            valueId(QStringLiteral("Call User Fields"), d);
        for (const auto &[className, clause] : reports) {
            SCOPED_TRACE(className);
            const auto doc = prepare(className, clause);
            QStringList expected = c.captions;
            if (expected.isEmpty()) {
                Dataset &rows = *doc->ValuesListUserLabelADOQuery();
                for (rows.first(); !rows.eof(); rows.next())
                    expected << rows.field(QStringLiteral("Description")).asString();
                ASSERT_EQ(expected.size(), 6);
                expected = expected.mid(0, 5);
            }
            const RenderedReport report = doc->render();
            const QStringList header = textsOf(report.page(0));
            EXPECT_EQ(header.mid(header.indexOf(QStringLiteral("Resolution")) + 1, 5), expected);
            // The export heads the user-field columns alike.
            const QStringList csv = report.csv().captions;
            EXPECT_EQ(csv.mid(csv.indexOf(QStringLiteral("Resolution")) + 1, 5), expected);
        }
        e.reset();
    }
}

} // namespace
