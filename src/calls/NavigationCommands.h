#pragma once

#include <QString>
#include <optional>

class TDataModule1;
class TKELDStatusBar;
class Dataset;

// The main window's commands that move the shared datasets: refresh everything, and find a call
// by its number.
namespace NavigationCommands {

// Re-runs an open dataset that is browsing (nothing being inserted or edited) and stands on its
// first row; leaves any other dataset alone.
void RequeryIfBrowsing(Dataset &dataset);

// Re-reads the lists, then the organisations, calls and actions, finding again the organisation,
// call and action that were current. The status bar says so meanwhile (bar may be null).
void RefreshAll(TDataModule1 &dm, TKELDStatusBar *bar);

// The number typed, when it is a whole 32-bit number as a whole (optional sign, digits).
std::optional<int> parseCallId(const QString &text);

// Asks for a call number ("User Input" / "Enter CallID") and makes that call current, moving to
// its organisation when it belongs to another one. Nothing moves when no call has the number.
void FindCallByCallID(TDataModule1 &dm);

// Makes the call with this number current; false when there is none.
bool locateCall(TDataModule1 &dm, int callId);

} // namespace NavigationCommands
