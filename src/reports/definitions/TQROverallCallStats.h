#pragma once

#include "ReportDocument.h"

// One block of figures for the calls of a date range: how many, how many resolved, and the
// shortest and longest turnaround.
class TQROverallCallStats : public ReportDocument
{
public:
    explicit TQROverallCallStats(Engine &engine);
};
