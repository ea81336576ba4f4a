#pragma once

class Dataset;

// The site-wide options, kept in the first row of tblSysParms.
struct SystemParameters
{
    double DueDateDuration = 0;      // days from a record's input to its due date; fraction = time
    bool AutoGenerateAction = false; // a new call gets its first action when saved
    bool AllowCompleteCall = false;  // a call may be closed while actions are still open
};

// Both go through the data module's scratch query and leave it closed with no statement.
// An empty table reads as 0 and false; writing to it creates the first row. Only the first row is
// ever read or written. Engine errors pass to the caller.
void ReadSystemParameters(Dataset &ADOQuery1, SystemParameters &out);
void WriteSystemParameters(Dataset &ADOQuery1, const SystemParameters &params);
