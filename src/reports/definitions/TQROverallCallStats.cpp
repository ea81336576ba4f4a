#include "TQROverallCallStats.h"

#include "CallStatistics.h"
#include "ReportDesign.h"
#include "StatisticsQuery.h"

TQROverallCallStats::TQROverallCallStats(Engine &engine)
    : ReportDocument(engine, QString::fromLatin1(kStatisticsSql), false)
{
    ReportDesign::addFrame(m_definition, QStringLiteral("Overall Call Statistics in Date Range"),
                           ReportPageFrame::RangeLine::With);
    // The rows print nothing, but every one of them counts.
    m_definition.detail().setVisible(false);
    CallStatistics::add(m_definition, m_definition.summary(), QStringLiteral("MaxTurnaroundQRExpr"));
}
