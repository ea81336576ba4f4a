#include "CallListQuery.h"

namespace CallListQuery {

QString text(QChar nameBlankQuote)
{
    return QString::fromLatin1(R"(SELECT tblCall.CallID,
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
tblCall.statusID,
[tblPerson_1].[FirstName] + %1 %1 + [tblPerson_1].[LastName] AS OwnerName,
[tblPerson].[FirstName] + %1 %1 + [tblPerson].[LastName] AS ContactName,
tblOrganization.OrganizationName,
tblValuesList.Description AS Method,
tblValuesList_1.Description AS Type,
tblValuesList_2.Description AS Status,
tblValuesList_3.Description AS Resolution
FROM tblValuesList
RIGHT JOIN ((tblOrganization RIGHT JOIN tblPerson ON tblOrganization.OrgID = tblPerson.OrgID)
RIGHT JOIN ((((tblCall LEFT JOIN tblPerson AS tblPerson_1 ON tblCall.OwnerID = tblPerson_1.PersonID)
LEFT JOIN tblValuesList AS tblValuesList_1 ON tblCall.TypeID = tblValuesList_1.ValueID)
LEFT JOIN tblValuesList AS tblValuesList_2 ON tblCall.StatusID = tblValuesList_2.ValueID)
LEFT JOIN tblValuesList AS tblValuesList_3 ON tblCall.ResolutionID = tblValuesList_3.ValueID)
ON tblPerson.PersonID = tblCall.ContactID) ON (tblValuesList.ValueID = tblCall.MethodID))")
        .arg(nameBlankQuote);
}

QString liveCallsText(QChar nameBlankQuote)
{
    return text(nameBlankQuote) + QStringLiteral("\nWHERE (((tblValuesList_2.Description)= 'open'))");
}

} // namespace CallListQuery
