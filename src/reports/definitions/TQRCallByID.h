#pragma once

#include "TQRCallsActions.h"

// One call, by its number, with its actions.
class TQRCallByID : public TQRCallsActions
{
public:
    explicit TQRCallByID(Engine &engine);
};
