#pragma once

class VellomarProgram;

// Gives the main window's calls commands their work (refresh, find a call by number, and the
// windows of this folder as they come).
void installCallsCommands(VellomarProgram &program);
