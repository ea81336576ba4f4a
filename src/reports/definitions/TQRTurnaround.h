#pragma once

#include "ReportDocument.h"

// The closed calls of a date range, slowest first, with their turnaround in days and hh:mm.
class TQRTurnaround : public ReportDocument
{
public:
    explicit TQRTurnaround(Engine &engine);

private:
    // Days and HoursMins of the row being read, from its TurnAround (null counts as 0).
    static void ReportADOQueryCalcFields(Dataset &query);
};
