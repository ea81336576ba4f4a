#include "TQRCallsActions.h"

#include "ColumnBlock.h"
#include "ReportDesign.h"

namespace {

const QString kOrgGroup = QStringLiteral("OrgGroup");
const QString kCallGroup = QStringLiteral("CallGroup");
constexpr double kLine = ReportDesign::kLineHeight;

const char *const kDesignSql = R"(SELECT tblAction.ActionID,
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
ON tblValuesList.ValueID = tblCall.MethodID)";

} // namespace

TQRCallsActions::TQRCallsActions(Engine &engine)
    : TQRCallsActions(engine, QString::fromLatin1(kDesignSql), QStringLiteral("Calls and Actions"),
                      ReportPageFrame::RangeLine::With)
{
}

TQRCallsActions::TQRCallsActions(Engine &engine, const QString &designSql, const QString &title,
                                 ReportPageFrame::RangeLine rangeLine)
    : ReportDocument(engine, designSql, true)
{
    const ColumnBlock calls = ReportDesign::callBlock();
    const ColumnBlock actions = ReportDesign::actionBlock();
    const QFont heading = ReportDesign::headingFont();
    ReportDesign::addFrame(m_definition, title, rangeLine, &calls);

    ReportGroup &org = m_definition.addGroupOnField(kOrgGroup, QStringLiteral("OrganizationName"));
    org.setStartOnNewPage(true);
    m_definition.addAggregate(ReportAggregate::count(QStringLiteral("OrgCalls")).resetAfter(kOrgGroup));
    ReportBand &orgHeader = org.header();
    orgHeader.setHeight(kLine + 6);
    orgHeader.addLabel(QStringLiteral("Organisation:"), {0, 0, 75, kLine}).setFont(heading);
    orgHeader.addField(QStringLiteral("OrganizationName"), {80, 0, 270, kLine}).setFont(heading);
    orgHeader.addLabel(QStringLiteral("Status"), {355, 0, 45, kLine}).setFont(heading);
    orgHeader.addField(QStringLiteral("Status"), {405, 0, 130, kLine}).setFont(heading);
    ReportBand &orgFooter = org.footer();
    orgFooter.setHeight(kLine + 8);
    orgFooter.addAggregate(QStringLiteral("OrgCalls"), {0, 4, 40, kLine}).setFont(heading);
    orgFooter.addLabel(QStringLiteral("Calls Listed for"), {45, 4, 95, kLine}).setFont(heading);
    orgFooter.addField(QStringLiteral("OrganizationName"), {145, 4, 390, kLine}).setFont(heading);

    // A call's columns once, then the captions of its actions.
    ReportGroup &call = m_definition.addGroupOnField(kCallGroup, QStringLiteral("CallID"));
    ReportBand &callHeader = call.header();
    callHeader.addLabel(QStringLiteral("Call"), {0, 0, 40, kLine}).setFont(heading);
    callHeader.addField(QStringLiteral("OrganizationName"), {45, 0, 490, kLine}).setFont(heading);
    calls.addValues(callHeader, kLine + 2);
    callHeader.setHeight(kLine + 2 + calls.height() + 4);
    ReportBand &actionCaptions = callHeader.addChild(actions.height() + 2);
    actions.addCaptions(actionCaptions, 0);
    call.footer().setHeight(10);   // a gap before the next call

    ReportBand &detail = m_definition.detail();
    ReportDesign::addActionWord(detail);
    actions.addValues(detail, 0);
    detail.setHeight(actions.height() + 4);
    detail.setKeepWithFooterOf(kOrgGroup);
    m_definition.setPrintDetailWhenEmpty(true);

    ReportDesign::addTotalCalls(m_definition);
    exportColumns(calls);
    exportColumns(actions);
}
