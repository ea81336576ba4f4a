#pragma once

#include "ReportDocument.h"

// Calls in a date range with their actions, by organisation, each organisation on a page of
// its own: the call's columns once, then one band per action (one for a call without any).
class TQRCallsActions : public ReportDocument
{
public:
    explicit TQRCallsActions(Engine &engine);

protected:
    TQRCallsActions(Engine &engine, const QString &designSql, const QString &title,
                    ReportPageFrame::RangeLine rangeLine);
};
