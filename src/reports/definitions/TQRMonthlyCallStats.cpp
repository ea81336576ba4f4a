#include "TQRMonthlyCallStats.h"

#include "CallStatistics.h"
#include "Dataset.h"
#include "ReportDesign.h"
#include "StatisticsQuery.h"

namespace {

const QString kMonthGroup = QStringLiteral("MonthGroup");

} // namespace

const std::array<QString, 12> TQRMonthlyCallStats::MonthAbbreviations{
    QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
    QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
    QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};

QString TQRMonthlyCallStats::monthYear(const QDate &date)
{
    if (!date.isValid())
        return {};
    return MonthAbbreviations[size_t(date.month() - 1)] + u' ' + QString::number(date.year());
}

TQRMonthlyCallStats::TQRMonthlyCallStats(Engine &engine)
    : ReportDocument(engine, QString::fromLatin1(kStatisticsSql), false)
{
    m_query->addCalculatedField(QStringLiteral("MonthYear"), FieldType::Text, 20);
    m_query->onCalcFields = &TQRMonthlyCallStats::ReportADOQueryCalcFields;
    ReportDesign::addFrame(m_definition, QStringLiteral("Monthly Call Statistics"),
                           ReportPageFrame::RangeLine::With);

    ReportGroup &month = m_definition.addGroupOnField(kMonthGroup, QStringLiteral("MonthYear"));
    month.setStartOnNewPage(true);
    // The header prints with the month's first row current, so it names that row's month.
    ReportBand &header = month.header();
    header.setHeight(ReportDesign::kLineHeight + 8);
    header.addField(QStringLiteral("MonthYear"), {0, 2, 200, ReportDesign::kLineHeight + 2})
        .setName(QStringLiteral("MonthYearLabel"))
        .setFont(ReportDesign::headingFont());

    m_definition.detail().setVisible(false);
    // MonthFooter: the month's figures, all four starting afresh for the next month.
    CallStatistics::add(m_definition, month.footer(), QStringLiteral("MaxTurnAroundQRExpr"), kMonthGroup);
}

void TQRMonthlyCallStats::ReportADOQueryCalcFields(Dataset &query)
{
    query.field(QStringLiteral("MonthYear"))
        .setValue(monthYear(query.field(QStringLiteral("InputDate")).asDateTime().date()));
}
