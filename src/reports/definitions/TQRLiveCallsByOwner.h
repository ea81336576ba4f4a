#pragma once

#include "ReportDocument.h"

// The calls still open, by owner, each owner on a page of its own with the number of live calls.
class TQRLiveCallsByOwner : public ReportDocument
{
public:
    explicit TQRLiveCallsByOwner(Engine &engine);
};
