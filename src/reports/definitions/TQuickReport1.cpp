#include "TQuickReport1.h"

#include "CallListQuery.h"
#include "ColumnBlock.h"
#include "ReportDesign.h"

namespace {

const QString kStatusGroup = QStringLiteral("StatusGroup");
const QString kOrgGroup = QStringLiteral("OrgGroup");
constexpr double kLine = ReportDesign::kLineHeight;

} // namespace

TQuickReport1::TQuickReport1(Engine &engine)
    : ReportDocument(engine, CallListQuery::text() + QStringLiteral("\n\n"), true)
{
    designCallList(QStringLiteral("Calls By Status in Date Range"), ReportPageFrame::RangeLine::With,
                   ReportDesign::callBlock());
    const QFont heading = ReportDesign::headingFont();
    const QFont caption = ReportDesign::captionFont();
    const QFont value = ReportDesign::valueFont();

    ReportGroup &status = m_definition.addGroupOnField(kStatusGroup, QStringLiteral("Status"));
    m_definition.addAggregate(ReportAggregate::count(QStringLiteral("StatusCalls")).resetAfter(kStatusGroup));
    ReportBand &statusFooter = status.footer();
    statusFooter.setHeight(kLine + 8);
    statusFooter.addLabel(QStringLiteral("Summary"), {0, 4, 60, kLine}).setFont(heading);
    statusFooter.addAggregate(QStringLiteral("StatusCalls"), {65, 4, 40, kLine}).setFont(heading);
    statusFooter.addField(QStringLiteral("Status"), {110, 4, 150, kLine}).setFont(heading);
    statusFooter.addLabel(QStringLiteral("Calls Total"), {265, 4, 150, kLine}).setFont(heading);

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
    orgFooter.setHeight(2 * kLine + 6);
    orgFooter.addField(QStringLiteral("OrganizationName"), {0, 2, 350, kLine}).setFont(caption);
    orgFooter.addLabel(QStringLiteral("Has"), {0, 2 + kLine, 25, kLine}).setFont(caption);
    orgFooter.addAggregate(QStringLiteral("OrgCalls"), {30, 2 + kLine, 40, kLine}).setFont(value);
    orgFooter.addField(QStringLiteral("Status"), {75, 2 + kLine, 120, kLine}).setFont(value);
    orgFooter.addLabel(QStringLiteral("Calls"), {200, 2 + kLine, 60, kLine}).setFont(caption);

    m_definition.detail().setKeepWithFooterOf(kOrgGroup);
}
