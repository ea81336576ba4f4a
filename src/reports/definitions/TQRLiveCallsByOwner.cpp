#include "TQRLiveCallsByOwner.h"

#include "CallListQuery.h"
#include "ColumnBlock.h"
#include "ReportDesign.h"

namespace {

const QString kOwnerGroup = QStringLiteral("OwnerQRGroup");
constexpr double kLine = ReportDesign::kLineHeight;

} // namespace

TQRLiveCallsByOwner::TQRLiveCallsByOwner(Engine &engine)
    : ReportDocument(engine, CallListQuery::liveCallsText(u'\''), true)
{
    designCallList(QStringLiteral("Live Calls By Owner Due Date Order"), ReportPageFrame::RangeLine::Without,
                   ReportDesign::callBlock());
    const QFont heading = ReportDesign::headingFont();

    // The rows come by last name and due date, the groups break on the whole name.
    ReportGroup &owner = m_definition.addGroupOnField(kOwnerGroup, QStringLiteral("OwnerName"));
    owner.setStartOnNewPage(true);
    m_definition.addAggregate(ReportAggregate::count(QStringLiteral("OwnerCalls")).resetAfter(kOwnerGroup));
    owner.header().setHeight(kLine + 6);
    owner.header().addField(QStringLiteral("OwnerName"), {0, 0, 300, kLine}).setFont(heading);
    ReportBand &footer = owner.footer();
    footer.setHeight(kLine + 8);
    footer.addField(QStringLiteral("OwnerName"), {0, 4, 160, kLine}).setFont(heading);
    footer.addLabel(QStringLiteral("Has"), {165, 4, 25, kLine}).setFont(heading);
    footer.addAggregate(QStringLiteral("OwnerCalls"), {195, 4, 40, kLine}).setFont(heading);
    footer.addLabel(QStringLiteral("Live Calls at"), {240, 4, 80, kLine}).setFont(heading);
    footer.addRunDateTime({325, 4, 150, kLine}, QString::fromLatin1(ReportDesign::kDateFormat))
        .setFont(heading);
}
