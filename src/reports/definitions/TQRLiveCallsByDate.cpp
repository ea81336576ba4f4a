#include "TQRLiveCallsByDate.h"

#include "CallListQuery.h"
#include "ColumnBlock.h"
#include "ReportDesign.h"

TQRLiveCallsByDate::TQRLiveCallsByDate(Engine &engine)
    : ReportDocument(engine, CallListQuery::liveCallsText(), true)
{
    designCallList(QStringLiteral("Live Calls By Input Date Ascending"), ReportPageFrame::RangeLine::Without,
                   ReportDesign::callBlock());
}
