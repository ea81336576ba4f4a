#pragma once

#include "ReportDocument.h"

#include <QDate>
#include <array>

// The figures of the overall statistics for each calendar month of input, a month to a page.
class TQRMonthlyCallStats : public ReportDocument
{
public:
    explicit TQRMonthlyCallStats(Engine &engine);

    // The month names, the same in every language.
    static const std::array<QString, 12> MonthAbbreviations;
    // "Feb 2004"; empty for an invalid date.
    static QString monthYear(const QDate &date);

private:
    // MonthYear of the row being read, from its InputDate.
    static void ReportADOQueryCalcFields(Dataset &query);
};
