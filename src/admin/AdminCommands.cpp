#include "AdminCommands.h"

#include "VellomarProgram.h"

void installAdminCommands(VellomarProgram &)
{
}
