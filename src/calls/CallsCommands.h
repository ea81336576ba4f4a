#pragma once

#include "OptionsSetup.h"

#include <span>

struct CallsContext;
class VellomarProgram;

// The main window's commands of the calls and actions windows: open the browser, add and view
// calls and actions, refresh, find a call by its number, the urgency levels.
namespace CallsCommands {

// "Calls && Actions": brings the browser to the front, or opens it.
void CallsActions1Execute(const CallsContext &ctx);
// "Calls": a new call in the call editor, the browser disabled meanwhile.
void CallsAddNewExecute(const CallsContext &ctx);
// "Actions": a new action of the current call in the action editor; refused without a call.
void ActionsAddNewExecute(const CallsContext &ctx);
// "Zoom Calls" / "Zoom Actions": the current call or action, read only.
void CallsZoomViewExecute(const CallsContext &ctx);
void ActionsZoomViewExecute(const CallsContext &ctx);

// The main window's commands these give their work to, by command name.
struct Command
{
    const char *name;
    void (*run)(const CallsContext &ctx);
};
std::span<const Command> commands();

// What the open calls windows do when the site options change: the browser applies its grid
// display again, the call editor proposes due dates with the new duration.
OptionsSetupHooks optionsHooks(const CallsContext &ctx);

// Points the shared datasets' hooks at the browser and the editors (through the main window's
// references, so they follow the windows as they open and close).
void wireDataModuleHooks(const CallsContext &ctx);

} // namespace CallsCommands

// Gives the main window's calls commands their work.
void installCallsCommands(VellomarProgram &program);
