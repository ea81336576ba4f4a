#include "AdminCommands.h"

#include "Catalog.h"
#include "DbError.h"
#include "TChangePasswordForm.h"
#include "TUsersGroupsForm.h"
#include "VellomarProgram.h"

namespace {

// The workgroup of the open connection (live or archive).
Catalog &catalogOf(VellomarProgram &program)
{
    Engine *engine = program.connection().engine();
    if (!engine)
        throw DbError(QStringLiteral("The database connection is not open."), DbError::Kind::Usage);
    return engine->catalog();
}

} // namespace

void installAdminCommands(VellomarProgram &program)
{
    TKELDMainMDIForm &form = program.form();
    form.setCommandHandler(QStringLiteral("UsersGroupsAction"), [&program] {
        UsersGroupsActionExecute(&program.form(), catalogOf(program), program.form().Session);
    });
    form.setCommandHandler(QStringLiteral("ChangePasswordAction"), [&program] {
        ChangePasswordActionExecute(&program.form(), program.form().Session,
                                    [&program]() -> Catalog & { return catalogOf(program); });
    });
}
