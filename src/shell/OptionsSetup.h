#pragma once

#include <functional>

class Dataset;
class QWidget;
struct SystemParameters;

// What an open window does when the options change; empty when that window is not open.
struct OptionsSetupHooks
{
    std::function<void()> browserDisplayChanged;        // the Calls and Actions window
    std::function<void(double)> dueDateDurationChanged; // the Call window's due-date panel
};

// The "Setup" command: shows the Options window over parent with the current options. On OK
// the options are written to the database through the scratch query, then the record is
// updated and the open windows are told. The due-date duration is edited as days, hours and
// minutes; its seconds are kept as they were. Returns true on OK.
// Engine errors pass to the caller (the record keeps its values then).
bool OptionsSetupExecute(QWidget *parent, Dataset &ADOQuery1, SystemParameters &params,
                         const OptionsSetupHooks &hooks = {});
