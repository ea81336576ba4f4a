#include "TQRCallByID.h"

namespace {

const char *const kDesignSql = R"(SELECT tblCall.CallID,
tblAction.ActionRef,
tblOrganization_1.OrganizationName AS ActionOrgName,
[tblPerson_2].[FirstName] + ' ' + [tblPerson_2].[LastName] AS ActionOwner,
tblValuesList_4.Description AS ActionStatus,
tblAction.InputDate AS ActionInputDate,
tblAction.ResolvedDate AS ActionResolvedDate,
tblAction.DueDate AS ActionDueDate,
tblAction.Notes AS ActionNotes,
tblAction.ActionID, tblCall.CallID,
tblCall.CallRef, tblCall.InputDate,
tblCall.DueDate,
tblCall.ResolvedDate,
tblCall.User1,
tblCall.User2,
tblCall.User3,
tblCall.User4,
tblCall.User5,
tblCall.Notes,
[tblPerson_1].[FirstName]+' '+[tblPerson_1].[LastName] AS OwnerName,
[tblPerson].[FirstName]+' '+[tblPerson].[LastName] AS ContactName,
tblOrganization.OrganizationName,
tblValuesList.Description AS Method,
tblValuesList_1.Description AS Type,
tblValuesList_2.Description AS Status,
tblValuesList_3.Description AS Resolution
FROM tblValuesList
RIGHT JOIN ((tblOrganization RIGHT JOIN tblPerson ON tblOrganization.OrgID = tblPerson.OrgID)
RIGHT JOIN ((((((tblCall LEFT JOIN tblPerson AS tblPerson_1 ON tblCall.OwnerID = tblPerson_1.PersonID)
LEFT JOIN tblValuesList AS tblValuesList_1 ON tblCall.TypeID = tblValuesList_1.ValueID)
LEFT JOIN tblValuesList AS tblValuesList_2 ON tblCall.StatusID = tblValuesList_2.ValueID)
LEFT JOIN tblValuesList AS tblValuesList_3 ON tblCall.ResolutionID = tblValuesList_3.ValueID)
LEFT JOIN tblOrganization AS tblOrganization_1 ON tblCall.OrgID = tblOrganization_1.OrgID)
LEFT JOIN ((tblAction LEFT JOIN tblValuesList AS tblValuesList_4 ON tblAction.StatusID = tblValuesList_4.ValueID)
LEFT JOIN tblPerson AS tblPerson_2 ON tblAction.OwnerID = tblPerson_2.PersonID) ON tblCall.CallID = tblAction.CallID)
ON tblPerson.PersonID = tblCall.ContactID) ON tblValuesList.ValueID = tblCall.MethodID)";

} // namespace

// The design of the calls and actions report under its own title, with no date range: the
// call captions start right under the title.
TQRCallByID::TQRCallByID(Engine &engine)
    : TQRCallsActions(engine, QString::fromLatin1(kDesignSql), QStringLiteral("Call By ID"),
                      ReportPageFrame::RangeLine::Without)
{
}
