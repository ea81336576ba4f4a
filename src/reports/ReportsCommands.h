#pragma once

class VellomarProgram;

// Gives the main window's "List Reports" command its work.
void installReportsCommands(VellomarProgram &program);
