#pragma once
// Every statement the program sends, in the form its windows and reports build it.
struct JetStatementCase {
    const char *name;   // short, unique, readable: "calls of an organisation", "turnaround report"
    const char *sql;    // the complete statement as the program sends it
};
inline constexpr JetStatementCase kJetStatements[] = {
    // Start-up and shell commands
    {"system parameters", R"sql(SELECT * FROM tblSysParms)sql"},
    {"call numbers with their organisations", R"sql(Select CallID, OrgID from tblCall)sql"},

    // Shared datasets, as designed
    {"calls of an organisation, as designed", R"sql(Select * from tblCall
Where (OrgID = :OrgID)
Order by DueDate)sql"},
    {"names of all people", R"sql(Select PersonID,[FirstName] +'  '+ [LastName] as Name,
PhoneExternal , Email
from tblPerson)sql"},
    {"organisations with phone", R"sql(Select OrgId, Phone, OrganizationName from tblOrganization
ORDER BY OrganizationName)sql"},
    {"actions of a call, as designed", R"sql(SELECT tblAction.*
FROM tblAction 
WHERE (CallID = :CallID)
Order by InputDate)sql"},
    {"people of an organisation for the contact choosers", R"sql(Select PersonID,  [FirstName] +'  '+ [LastName] as Name,
PhoneExternal , Email
from tblPerson
where OrgID = :OrgID)sql"},
    {"organisation types", R"sql(SELECT Description, ValueID
FROM tblValuesList
WHERE ValueCategoryID = :OrgTypeCategory)sql"},
    {"names of all organisations", R"sql(Select OrgId, OrganizationName, Phone from tblOrganization
ORDER BY OrganizationName)sql"},
    {"value list of resolution types", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Resolution Type"));)sql"},
    {"value list of statuses", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Status"));)sql"},
    {"value list of call methods", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Call Method"));)sql"},
    {"value list of countries", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Country"));)sql"},
    {"value list of person types", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Person Type"));)sql"},
    {"value list of call types", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Call Type"));)sql"},
    {"owners", R"sql(SELECT tblPerson.PersonID, tblPerson.[FirstName] +'  '+ tblPerson.[LastName]
as Name, tblValuesList.Description
FROM tblValuesList
INNER JOIN tblPerson ON tblValuesList.ValueID = tblPerson.PersonTypeID
WHERE (((tblValuesList.Description)="User"));)sql"},

    // Calls and actions browser: the lists rebuilt for each setting of "Show Completed" and "All Orgs" (closed status key 7)
    {"calls of all organisations, completed shown", R"sql(SELECT * FROM tblCall ORDER BY DueDate)sql"},
    {"calls of an organisation, completed shown", R"sql(SELECT * FROM tblCall WHERE (OrgID = :OrgID) ORDER BY DueDate)sql"},
    {"open calls of all organisations", R"sql(SELECT * FROM tblCall WHERE StatusID <> 7 ORDER BY DueDate)sql"},
    {"open calls of an organisation", R"sql(SELECT * FROM tblCall WHERE (OrgID = :OrgID) AND StatusID <> 7 ORDER BY DueDate)sql"},
    {"actions of a call, completed shown", R"sql(SELECT * FROM tblAction WHERE (CallID = :CallID) ORDER BY DueDate)sql"},
    {"open actions of a call", R"sql(SELECT * FROM tblAction WHERE (CallID = :CallID) AND StatusID <> 7 ORDER BY DueDate)sql"},

    // Call and action editors
    {"call user-field captions", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValueCategory.ValueCategoryID, tblValuesList.Sequence
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Call User Fields"))
ORDER BY tblValuesList.Sequence;)sql"},
    {"action user-field captions", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValueCategory.ValueCategoryID, tblValuesList.Sequence
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Action User Fields"))
ORDER BY tblValuesList.Sequence;)sql"},
    {"actions of a call being closed", R"sql(SELECT ActionID, CallID, StatusID, ResolvedDate FROM tblAction WHERE CallID = 42)sql"},

    // Organisations window
    {"organisations being edited", R"sql(Select * from tblOrganization
Order By  OrganizationName)sql"},
    {"people of an organisation by last name", R"sql(Select PersonID,  [FirstName] +'  '+ [LastName] as Name,
PhoneExternal , Email
from tblPerson
where OrgID = :OrgID
order by LastName)sql"},
    {"organisation user-field captions", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValueCategory.ValueCategoryID, tblValuesList.Sequence
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Organization User Fields"))
ORDER BY tblValuesList.Sequence;)sql"},

    // People window
    {"people being edited", R"sql(Select * from tblPerson
Order By LastName)sql"},
    {"organisation names for the people window", R"sql(Select OrgID, OrganizationName from tblOrganization
order by OrganizationName)sql"},
    {"person user-field captions", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValueCategory.ValueCategoryID, tblValuesList.Sequence
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Person User Fields"))
ORDER BY tblValuesList.Sequence;)sql"},

    // Partial-text find window (typed text "boiler", open-only filter with closed status key 7)
    {"find organisations by name", R"sql(SELECT OrgID, OrganizationName from tblOrganization  WHERE OrganizationName LIKE '%boiler%' ORDER BY OrganizationName)sql"},
    {"find organisations, no text", R"sql(SELECT OrgID, OrganizationName from tblOrganization  ORDER BY OrganizationName)sql"},
    {"find people by name", R"sql(SELECT PersonID, LastName, [FirstName] +'  '+ [LastName] as FullName FROM tblPerson  WHERE LastName LIKE '%boiler%' Or FirstName LIKE '%boiler%' ORDER BY LastName)sql"},
    {"find people, no text", R"sql(SELECT PersonID, LastName, [FirstName] +'  '+ [LastName] as FullName FROM tblPerson  ORDER BY LastName)sql"},
    {"find open calls by notes", R"sql(SELECT CallID, Notes FROM tblCall WHERE Notes LIKE '%boiler%' AND (OrgID = :OrgID)AND StatusID <> 7)sql"},
    {"find calls by notes, completed shown", R"sql(SELECT CallID, Notes FROM tblCall WHERE Notes LIKE '%boiler%' AND (OrgID = :OrgID))sql"},
    {"find open calls, no text", R"sql(SELECT CallID, Notes FROM tblCall WHERE (OrgID = :OrgID)AND StatusID <> 7)sql"},
    {"find calls, no text, completed shown, or show all", R"sql(SELECT CallID, Notes FROM tblCall WHERE (OrgID = :OrgID))sql"},
    {"find open actions by notes", R"sql(SELECT ActionID, Notes FROM tblAction WHERE Notes LIKE '%boiler%' AND (CallID = :CallID)AND StatusID <> 7)sql"},
    {"find actions by notes, completed shown", R"sql(SELECT ActionID, Notes FROM tblAction WHERE Notes LIKE '%boiler%' AND (CallID = :CallID))sql"},
    {"find open actions, no text", R"sql(SELECT ActionID, Notes FROM tblAction WHERE (CallID = :CallID)AND StatusID <> 7)sql"},
    {"find actions, no text, completed shown, or show all", R"sql(SELECT ActionID, Notes FROM tblAction WHERE (CallID = :CallID))sql"},
    {"show all organisations", R"sql(SELECT OrgID, OrganizationName from tblOrganization  ORDER by OrganizationName)sql"},
    {"show all people", R"sql(SELECT PersonID, LastName, [FirstName] +'  '+ [LastName] as FullName FROM tblPerson  ORDER by LastName)sql"},

    // Person-or-phone find window
    {"find organisation by person name", R"sql(Select tblPerson.PersonID, tblPerson.OrgID, tblPerson.FirstName, tblPerson.LastName, [FirstName] + ' ' + [LastName] as FullName,  OrganizationName from tblPerson INNER JOIN tblOrganization ON tblPerson.OrgID = tblOrganization.OrgID WHERE LastName LIKE '%boiler%' Or FirstName LIKE '%boiler%' ORDER BY tblPerson.LastName)sql"},
    {"find organisation by person name, no text", R"sql(Select tblPerson.PersonID, tblPerson.OrgID, tblPerson.FirstName, tblPerson.LastName, [FirstName] + ' ' + [LastName] as FullName,  OrganizationName from tblPerson INNER JOIN tblOrganization ON tblPerson.OrgID = tblOrganization.OrgID WHERE LastName LIKE '%%' Or FirstName LIKE '%%' ORDER BY tblPerson.LastName)sql"},
    {"find organisation by person phone", R"sql(Select tblPerson.PersonID, tblPerson.OrgID, tblPerson.FirstName, tblPerson.LastName, [FirstName] + ' ' + [LastName] as FullName,  OrganizationName from tblPerson INNER JOIN tblOrganization ON tblPerson.OrgID = tblOrganization.OrgID WHERE tblPerson.PhoneExternal LIKE '%01632960123%'  OR tblPerson.mobilePhone LIKE '%01632960123%'  ORDER BY tblPerson.LastName)sql"},
    {"find organisation by its own phone", R"sql(Select OrgID, Phone, OrganizationName from tblOrganization WHERE Phone LIKE '%01632960123%'  ORDER BY OrganizationName)sql"},

    // Values list window
    {"defaults of a category", R"sql(SELECT ValueID, Description, IsDefault
FROM tblValuesList
WHERE ValueCategoryID = :ValueCategoryID
AND IsDefault = true)sql"},

    // Reports (range 01-01-2004 00:01:00 to 12-31-2004 23:59:00, call number 42)
    {"report user-field captions", R"sql(SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID
FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID
WHERE (((tblValueCategory.ValueCategory)="Call User Fields"));)sql"},
    {"calls by status report", R"sql(SELECT tblCall.CallID,
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
[tblPerson_1].[FirstName] + " " + [tblPerson_1].[LastName] AS OwnerName,
[tblPerson].[FirstName] + " " + [tblPerson].[LastName] AS ContactName,
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
ON tblPerson.PersonID = tblCall.ContactID) ON (tblValuesList.ValueID = tblCall.MethodID)


 WHERE tblCall.InputDate >=  #01-01-2004 00:01:00#  AND tblCall.InputDate <=  #12-31-2004 23:59:00#  ORDER BY tblCall.statusID, tblOrganization.OrganizationName)sql"},
    {"calls by organisation report", R"sql(SELECT tblCall.CallID,
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
[tblPerson_1].[FirstName] + " " + [tblPerson_1].[LastName] AS OwnerName,
[tblPerson].[FirstName] + " " + [tblPerson].[LastName] AS ContactName,
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
ON tblPerson.PersonID = tblCall.ContactID) ON (tblValuesList.ValueID = tblCall.MethodID)


 WHERE tblCall.InputDate >=  #01-01-2004 00:01:00#  AND tblCall.InputDate <=  #12-31-2004 23:59:00#  ORDER BY tblCall.statusID, tblOrganization.OrganizationName)sql"},
    {"turnaround report", R"sql(SELECT tblCall.CallID,
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
WHERE (((tblValuesList_2.Description)= 'closed'))
 AND tblCall.InputDate >=  #01-01-2004 00:01:00#  AND tblCall.InputDate <=  #12-31-2004 23:59:00#  ORDER BY tblCall.[ResolvedDate]-tblCall.[InputDate] DESC)sql"},
    {"live calls by input date report", R"sql(SELECT tblCall.CallID,
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
[tblPerson_1].[FirstName] + " " + [tblPerson_1].[LastName] AS OwnerName,
[tblPerson].[FirstName] + " " + [tblPerson].[LastName] AS ContactName,
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
ON tblPerson.PersonID = tblCall.ContactID) ON (tblValuesList.ValueID = tblCall.MethodID)
WHERE (((tblValuesList_2.Description)= 'open'))
 ORDER BY tblCall.InputDate)sql"},
    {"live calls by owner report", R"sql(SELECT tblCall.CallID,
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
[tblPerson_1].[FirstName] + ' ' + [tblPerson_1].[LastName] AS OwnerName,
[tblPerson].[FirstName] + ' ' + [tblPerson].[LastName] AS ContactName,
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
ON tblPerson.PersonID = tblCall.ContactID) ON (tblValuesList.ValueID = tblCall.MethodID)
WHERE (((tblValuesList_2.Description)= 'open'))
 ORDER BY [tblPerson_1].[LastName], tblCall.DueDate)sql"},
    {"calls and actions report", R"sql(SELECT tblAction.ActionID,
tblAction.ActionRef,
tblCall.CallRef,
tblOrganization_1.OrganizationName AS ActionOrgName,
[tblPerson_2].[FirstName] + ' ' + [tblPerson_2].[LastName] AS ActionOwner,
tblValuesList_4.Description AS ActionStatus,
tblAction.InputDate AS ActionInputDate,
tblAction.ResolvedDate AS ActionResolvedDate,
tblAction.DueDate AS ActionDueDate,
tblAction.Notes AS ActionNotes,
tblCall.CallID, tblCall.InputDate,
tblCall.DueDate, tblCall.ResolvedDate,
tblCall.User1, tblCall.User2,
tblCall.User3, tblCall.User4,
tblCall.User5, tblCall.Notes,
[tblPerson_1].[FirstName] + ' ' + [tblPerson_1].[LastName] AS OwnerName,
[tblPerson].[FirstName]  + ' ' +  [tblPerson].[LastName] AS ContactName,
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
LEFT JOIN ((tblAction LEFT JOIN tblPerson AS tblPerson_2 ON tblAction.OwnerID = tblPerson_2.PersonID)
LEFT JOIN tblValuesList AS tblValuesList_4 ON tblAction.StatusID = tblValuesList_4.ValueID) ON tblCall.CallID = tblAction.CallID)
ON tblPerson.PersonID = tblCall.ContactID)
ON tblValuesList.ValueID = tblCall.MethodID
 WHERE tblCall.InputDate >=  #01-01-2004 00:01:00#  AND tblCall.InputDate <=  #12-31-2004 23:59:00#  ORDER BY tblOrganization.OrganizationName, tblCall.CallID, tblAction.InputDate)sql"},
    {"overall call statistics report", R"sql(SELECT tblCall.CallID,
tblCall.InputDate,
tblCall.DueDate,
tblCall.ResolvedDate,
tblCall.[ResolvedDate]-tblCall.[InputDate] AS TurnAround
FROM tblCall
 WHERE tblCall.InputDate >=  #01-01-2004 00:01:00#  AND tblCall.InputDate <=  #12-31-2004 23:59:00#  Order By tblCall.InputDate)sql"},
    {"monthly call statistics report", R"sql(SELECT tblCall.CallID,
tblCall.InputDate,
tblCall.DueDate,
tblCall.ResolvedDate,
tblCall.[ResolvedDate]-tblCall.[InputDate] AS TurnAround
FROM tblCall
 WHERE tblCall.InputDate >=  #01-01-2004 00:01:00#  AND tblCall.InputDate <=  #12-31-2004 23:59:00#  Order By tblCall.InputDate)sql"},
    // note: lists tblCall.CallID twice, so the result carries two columns named CallID
    {"call by number report", R"sql(SELECT tblCall.CallID,
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
ON tblPerson.PersonID = tblCall.ContactID) ON tblValuesList.ValueID = tblCall.MethodID
 WHERE tblCall.CallID = 42)sql"},
};
