#pragma once

class VellomarProgram;

// Gives the main window's user and password commands their work.
void installAdminCommands(VellomarProgram &program);
