#include "TQRTurnaround.h"

#include "ColumnBlock.h"
#include "Dataset.h"
#include "ReportDesign.h"
#include "Turnaround.h"

namespace {

const char *const kDesignSql = R"(SELECT tblCall.CallID,
tblCall.CallRef,
tblCall.InputDate,
tblCall.DueDate,
tblCall.ResolvedDate,
tblCall.User1,
tblCall.User2,
tblCall.User3,
tblCall.User4,
tblCall.User5,
tblCall.Notes,
[tblPerson_1].[FirstName] + ' ' + [tblPerson_1].[LastName] AS OwnerName,
[tblPerson].[FirstName] + ' ' + [tblPerson].[LastName] AS ContactName,
tblOrganization.OrganizationName,
tblValuesList.Description AS Method,
tblValuesList_1.Description AS Type,
tblValuesList_2.Description AS Status,
tblValuesList_3.Description AS Resolution,
tblCall.[ResolvedDate]-tblCall.[InputDate] AS TurnAround
FROM tblValuesList
RIGHT JOIN ((tblOrganization RIGHT JOIN tblPerson ON tblOrganization.OrgID = tblPerson.OrgID)
RIGHT JOIN ((((tblCall LEFT JOIN tblPerson AS tblPerson_1 ON tblCall.OwnerID = tblPerson_1.PersonID)
LEFT JOIN tblValuesList AS tblValuesList_1 ON tblCall.TypeID = tblValuesList_1.ValueID)
LEFT JOIN tblValuesList AS tblValuesList_2 ON tblCall.StatusID = tblValuesList_2.ValueID)
LEFT JOIN tblValuesList AS tblValuesList_3 ON tblCall.ResolutionID = tblValuesList_3.ValueID)
ON tblPerson.PersonID = tblCall.ContactID) ON tblValuesList.ValueID = tblCall.MethodID
WHERE (((tblValuesList_2.Description)= 'closed')))";

// A time of day as a date-time on the day the day count starts from.
QDateTime timeOfDay(const QTime &time) { return QDateTime(QDate(1899, 12, 30), time); }

} // namespace

TQRTurnaround::TQRTurnaround(Engine &engine) : ReportDocument(engine, QString::fromLatin1(kDesignSql), true)
{
    m_query->addCalculatedField(QStringLiteral("Days"), FieldType::Integer);
    m_query->addCalculatedField(QStringLiteral("HoursMins"), FieldType::DateTime);
    m_query->onCalcFields = &TQRTurnaround::ReportADOQueryCalcFields;
    designCallList(QStringLiteral("Turnaround Time in Descending Order in Date Range"),
                   ReportPageFrame::RangeLine::With, ReportDesign::callBlock(ReportDesign::Turnaround::With));
}

void TQRTurnaround::ReportADOQueryCalcFields(Dataset &query)
{
    const Field &turnaround = query.field(QStringLiteral("TurnAround"));
    const TurnaroundParts parts = splitTurnaround(turnaround.isNull() ? 0.0 : turnaround.asFloat());
    query.field(QStringLiteral("Days")).setValue(int(parts.days));
    query.field(QStringLiteral("HoursMins")).setValue(timeOfDay(parts.time));
}
