#include "ReportsCommands.h"

#include "VellomarProgram.h"

void installReportsCommands(VellomarProgram &)
{
}
