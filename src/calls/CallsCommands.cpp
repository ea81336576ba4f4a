#include "CallsCommands.h"

#include "NavigationCommands.h"
#include "TKELDStatusBar.h"
#include "TUrgencyForm.h"
#include "VellomarProgram.h"

void installCallsCommands(VellomarProgram &program)
{
    TKELDMainMDIForm &form = program.form();
    form.setCommandHandler(QStringLiteral("RefreshAll"), [&program] {
        if (TDataModule1 *dm = program.dataModule())
            NavigationCommands::RefreshAll(*dm, qobject_cast<TKELDStatusBar *>(program.form().statusBar()));
    });
    form.setCommandHandler(QStringLiteral("UrgencyFormOpen"), [&program] {
        if (TDataModule1 *dm = program.dataModule())
            UrgencyFormOpenExecute(program.form(), *dm);
    });
    form.setCommandHandler(QStringLiteral("FindCallByCallID"), [&program] {
        if (TDataModule1 *dm = program.dataModule())
            NavigationCommands::FindCallByCallID(*dm);
    });
}
