#include "ReportsCommands.h"

#include "DbError.h"
#include "ReportDocument.h"
#include "TReportsListForm.h"
#include "VellomarProgram.h"

void installReportsCommands(VellomarProgram &program)
{
    program.form().setCommandHandler(QStringLiteral("ListReports"), [&program] {
        Engine *engine = program.connection().engine();
        if (!engine || !engine->isOpen())
            throw DbError(QStringLiteral("The database connection is not open."),
                          DbError::Kind::Usage);
        ListReportsExecute(program.form(), *engine, [engine](const QString &className) {
            return createReportDocument(className, *engine);
        });
    });
}
