#pragma once

#include "ReportDocument.h"

// The calls still open, oldest input first.
class TQRLiveCallsByDate : public ReportDocument
{
public:
    explicit TQRLiveCallsByDate(Engine &engine);
};
