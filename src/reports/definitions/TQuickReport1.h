#pragma once

#include "ReportDocument.h"

// Calls in a date range by status, and within a status by organisation, each organisation on a
// page of its own, with the number of calls of each organisation, each status and in all.
class TQuickReport1 : public ReportDocument
{
public:
    explicit TQuickReport1(Engine &engine);
};
