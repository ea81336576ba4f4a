#include "DbError.h"
#include "SqlDialect.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *what;
    const char *jet;
    const char *sqlite;
    const char *postgres;
};

const Case kCases[] = {
    {"date literal in month-day-year order",
     "WHERE tblCall.InputDate >=  #07-31-2000 13:36:05# ",
     "WHERE tblCall.InputDate >=  '2000-07-31 13:36:05.000' ",
     "WHERE \"tblcall\".\"inputdate\" >=  TIMESTAMP '2000-07-31 13:36:05.000' "},
    {"double-quoted string with a single quote inside",
     "WHERE ValueCategory=\"O'Brien \"\"Ltd\"\"\"",
     "WHERE ValueCategory='O''Brien \"Ltd\"'",
     "WHERE \"valuecategory\"='O''Brien \"Ltd\"'"},
    {"plus next to a string literal joins texts",
     "Select PersonID,[FirstName] +'  '+ [LastName] as Name",
     "Select PersonID,\"FirstName\" ||'  '|| \"LastName\" as Name",
     "Select \"personid\",\"firstname\" ||'  '|| \"lastname\" as Name"},
    {"plus between two text columns joins texts",
     "SELECT [FirstName]+[LastName]",
     "SELECT \"FirstName\"||\"LastName\"",
     "SELECT \"firstname\"||\"lastname\""},
    {"plus between numbers stays an addition",
     "SELECT CallID + 1, ThresholdTime+0.5 FROM tblCall",
     "SELECT CallID + 1, ThresholdTime+0.5 FROM tblCall",
     "SELECT \"callid\" + 1, \"thresholdtime\"+0.5 FROM \"tblcall\""},
    {"boolean literals",
     "WHERE IsDefault = true AND IsSys = False",
     "WHERE IsDefault = 1 AND IsSys = 0",
     "WHERE \"isdefault\" = TRUE AND \"issys\" = FALSE"},
    {"difference of two date-time columns is real days",
     "ORDER BY tblCall.[ResolvedDate]-tblCall.[InputDate] DESC",
     "ORDER BY (julianday(tblCall.\"ResolvedDate\") - julianday(tblCall.\"InputDate\")) DESC",
     "ORDER BY (EXTRACT(EPOCH FROM (\"tblcall\".\"resolveddate\" - \"tblcall\".\"inputdate\")) / "
     "86400.0) DESC"},
    {"difference with blanks and bare names",
     "SELECT ResolvedDate - InputDate AS TurnAround",
     "SELECT (julianday(ResolvedDate) - julianday(InputDate)) AS TurnAround",
     "SELECT (EXTRACT(EPOCH FROM (\"resolveddate\" - \"inputdate\")) / 86400.0) AS TurnAround"},
    {"minus between a date and a number is left alone",
     "SELECT DueDate - 1, CallID-InputDate",
     "SELECT DueDate - 1, CallID-InputDate",
     "SELECT \"duedate\" - 1, \"callid\"-\"inputdate\""},
    {"parameters are kept, colons in strings and dates are not parameters",
     "WHERE (OrgID = :OrgID) AND Notes LIKE '%10:15%' AND DueDate < #01-02-2003 10:15:00#",
     "WHERE (OrgID = :OrgID) AND Notes LIKE '%10:15%' AND DueDate < '2003-01-02 10:15:00.000'",
     "WHERE (\"orgid\" = :OrgID) AND \"notes\" LIKE '%10:15%' AND \"duedate\" < TIMESTAMP "
     "'2003-01-02 10:15:00.000'"},
    {"identifiers in any case",
     "select CallId from tblcall where statusID <> 7",
     "select CallId from tblcall where statusID <> 7",
     "select \"callid\" from \"tblcall\" where \"statusid\" <> 7"},
    {"a qualified column of a select list is named after its column",
     "SELECT DISTINCT tblCall.InputDate, [tblPerson].[LastName], tblCall.*, tblCall.CallID AS ID, "
     "Max(tblCall.DueDate), (SELECT tblPerson.FirstName FROM tblPerson) FROM tblCall",
     "SELECT DISTINCT tblCall.InputDate AS \"InputDate\", \"tblPerson\".\"LastName\" AS \"LastName\", "
     "tblCall.*, tblCall.CallID AS ID, Max(tblCall.DueDate), (SELECT tblPerson.FirstName AS \"FirstName\" "
     "FROM tblPerson) FROM tblCall",
     "SELECT DISTINCT \"tblcall\".\"inputdate\", \"tblperson\".\"lastname\", \"tblcall\".*, "
     "\"tblcall\".\"callid\" AS ID, Max(\"tblcall\".\"duedate\"), (SELECT \"tblperson\".\"firstname\" "
     "FROM \"tblperson\") FROM \"tblcall\""},
    {"line breaks and double blanks survive",
     "SELECT OrgID, OrganizationName from tblOrganization  WHERE\r\nPhone LIKE '%01%' ",
     "SELECT OrgID, OrganizationName from tblOrganization  WHERE\r\nPhone LIKE '%01%' ",
     "SELECT \"orgid\", \"organizationname\" from \"tblorganization\"  WHERE\r\n\"phone\" LIKE '%01%' "},
};

TEST(SqlDialect, TranslatesEachFormForBothEngines)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SqlDialect::translate(QString::fromUtf8(c.jet), SqlTarget::SQLite).toStdString(),
                  c.sqlite);
        EXPECT_EQ(SqlDialect::translate(QString::fromUtf8(c.jet), SqlTarget::PostgreSQL).toStdString(),
                  c.postgres);
    }
}

TEST(SqlDialect, RefusesTextItCannotRead)
{
    const char *bad[] = {"SELECT 'open", "SELECT \"open", "SELECT [Name FROM t",
                         "WHERE InputDate > #01-02-2003", "WHERE InputDate > #13-45-2003#",
                         "WHERE InputDate > #hello#"};
    for (const char *sql : bad) {
        SCOPED_TRACE(sql);
        EXPECT_THROW(SqlDialect::translate(QString::fromUtf8(sql), SqlTarget::SQLite), DbError);
    }
}

TEST(SqlDialect, ParameterNamesInOrderOnceEach)
{
    EXPECT_EQ(SqlDialect::parameterNames(QStringLiteral(
                  "SELECT * FROM tblCall WHERE OrgID = :OrgID AND Notes LIKE ':NotMe' "
                  "AND InputDate > #01-01-2001 10:00:00# AND CallID = :CallID OR OrgID = :orgid")),
              (QStringList{QStringLiteral("OrgID"), QStringLiteral("CallID")}));
}

TEST(SqlDialect, TypedTextCannotBreakOutOfItsString)
{
    const QString typed = QStringLiteral("O'Brien%_x");
    const QString sql = QStringLiteral("SELECT * FROM tblPerson WHERE LastName LIKE '%") +
                        SqlDialect::escapeLikeText(typed) + QStringLiteral("%'");
    EXPECT_EQ(SqlDialect::translate(sql, SqlTarget::SQLite),
              QStringLiteral("SELECT * FROM tblPerson WHERE LastName LIKE '%O''Brien%_x%'"));
}

} // namespace
