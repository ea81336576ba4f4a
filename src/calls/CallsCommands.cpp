#include "CallsCommands.h"

#include "CallsContext.h"
#include "DBNavigator.h"
#include "NavigationCommands.h"
#include "Prompter.h"
#include "TActionsForm.h"
#include "TCallForm.h"
#include "TDBDateTimePanel.h"
#include "TCallsActionsForm.h"
#include "TKELDStatusBar.h"
#include "TUrgencyForm.h"
#include "VellomarProgram.h"

#include <QAction>
#include <memory>

namespace {

TCallsActionsForm *browserOf(const TKELDMainMDIForm &main)
{
    return qobject_cast<TCallsActionsForm *>(main.CallsActionsForm.data());
}

TCallForm *callFormOf(const TKELDMainMDIForm &main)
{
    return qobject_cast<TCallForm *>(main.CallForm.data());
}

TActionsForm *actionsFormOf(const TKELDMainMDIForm &main)
{
    return qobject_cast<TActionsForm *>(main.ActionsForm.data());
}

// The editors ask the browser before closing a call or an action.
std::function<bool()> browserShowsCompleted(TKELDMainMDIForm &main)
{
    QPointer<TKELDMainMDIForm> frame(&main);
    return [frame] {
        TCallsActionsForm *browser = frame ? browserOf(*frame) : nullptr;
        return browser && browser->showCompleted();
    };
}

// While an editor adds a record the browser takes no input, so neither its buttons nor the
// refresh timer can move the datasets under the editor.
void disableBrowser(TKELDMainMDIForm &main)
{
    if (main.CallsActionsForm)
        main.CallsActionsForm->setEnabled(false);
}

void holdWhileOpen(TKELDMainMDIForm &main, QWidget *editor, std::initializer_list<const char *> commands)
{
    for (const char *name : commands)
        main.holdDisabled(main.action(QLatin1String(name)), editor);
}

} // namespace

namespace CallsCommands {

void CallsActions1Execute(const CallsContext &ctx)
{
    wireDataModuleHooks(ctx);
    ctx.main.showSingleInstance(ctx.main.CallsActionsForm,
                                [&ctx]() -> QWidget * { return new TCallsActionsForm(ctx); });
}

void CallsAddNewExecute(const CallsContext &ctx)
{
    TKELDMainMDIForm &main = ctx.main;
    if (TCallForm *open = callFormOf(main)) {
        main.activateChild(open);
        open->DBNavigator1->doAction(DBNavigator::Insert);
        open->prepareAddMode();
        disableBrowser(main);
        return;
    }
    auto editor = std::make_unique<TCallForm>(ctx);
    editor->browserShowsCompleted = browserShowsCompleted(main);
    editor->DBNavigator1->doAction(DBNavigator::Insert);
    editor->prepareAddMode();
    disableBrowser(main);
    holdWhileOpen(main, editor.get(), {"ActionsAddNew", "ActionsZoomView", "OrgsPeople1"});
    main.CallForm = editor.get();
    main.addChild(editor.release());
}

void ActionsAddNewExecute(const CallsContext &ctx)
{
    TKELDMainMDIForm &main = ctx.main;
    if (ctx.dm.CallsByOrgIDADOQuery->isEmpty()) {
        Prompter::instance().message(QObject::tr("Add a Call before adding an Action"));
        return;
    }
    if (TActionsForm *open = actionsFormOf(main)) {
        main.activateChild(open);
        open->DBNavigator1->doAction(DBNavigator::Insert);
        open->prepareAddMode();
        disableBrowser(main);
        return;
    }
    auto editor = std::make_unique<TActionsForm>(ctx);
    editor->browserShowsCompleted = browserShowsCompleted(main);
    // The editor counts as open from here on: a new action's OrgID resets its contact chooser.
    main.ActionsForm = editor.get();
    editor->DBNavigator1->doAction(DBNavigator::Insert);
    editor->prepareAddMode();
    holdWhileOpen(main, editor.get(), {"CallsAddNew"});
    disableBrowser(main);
    main.addChild(editor.release());
}

void CallsZoomViewExecute(const CallsContext &ctx)
{
    TKELDMainMDIForm &main = ctx.main;
    if (ctx.dm.CallsByOrgIDADOQuery->isEmpty())
        return;
    main.showSingleInstance(main.CallForm, [&]() -> QWidget * {
        auto editor = std::make_unique<TCallForm>(ctx);
        editor->browserShowsCompleted = browserShowsCompleted(main);
        editor->prepareViewMode();
        return editor.release();
    });
}

void ActionsZoomViewExecute(const CallsContext &ctx)
{
    TKELDMainMDIForm &main = ctx.main;
    if (ctx.dm.ActionsByCallIDADOQuery->isEmpty())
        return;
    main.showSingleInstance(main.ActionsForm, [&]() -> QWidget * {
        auto editor = std::make_unique<TActionsForm>(ctx);
        editor->browserShowsCompleted = browserShowsCompleted(main);
        editor->prepareViewMode();
        return editor.release();
    });
}

std::span<const Command> commands()
{
    static const Command table[] = {
        {"CallsActions1", CallsActions1Execute},
        {"CallsAddNew", CallsAddNewExecute},
        {"ActionsAddNew", ActionsAddNewExecute},
        {"CallsZoomView", CallsZoomViewExecute},
        {"ActionsZoomView", ActionsZoomViewExecute},
        {"RefreshAll",
         [](const CallsContext &ctx) {
             NavigationCommands::RefreshAll(ctx.dm, qobject_cast<TKELDStatusBar *>(ctx.main.statusBar()));
         }},
        {"UrgencyFormOpen", [](const CallsContext &ctx) { UrgencyFormOpenExecute(ctx.main, ctx.dm); }},
        {"FindCallByCallID", [](const CallsContext &ctx) { NavigationCommands::FindCallByCallID(ctx.dm); }},
    };
    return table;
}

OptionsSetupHooks optionsHooks(const CallsContext &ctx)
{
    QPointer<TKELDMainMDIForm> frame(&ctx.main);
    OptionsSetupHooks hooks;
    hooks.browserDisplayChanged = [frame] {
        if (TCallsActionsForm *b = frame ? browserOf(*frame) : nullptr)
            b->applyInvertGrids(frame->InvertGrids());
    };
    hooks.dueDateDurationChanged = [frame](double days) {
        if (TCallForm *c = frame ? callFormOf(*frame) : nullptr)
            c->DueDateDBDateTimePanel->SetDefaultOffset(days);
    };
    return hooks;
}

void wireDataModuleHooks(const CallsContext &ctx)
{
    TDataModule1 &dm = ctx.dm;
    QPointer<TKELDMainMDIForm> frame(&ctx.main);
    dm.browserAllOrgsChecked = [frame] {
        TCallsActionsForm *b = frame ? browserOf(*frame) : nullptr;
        return b && b->allOrgs();
    };
    dm.browserOrganisationsScrolled = [frame] {
        if (TCallsActionsForm *b = frame ? browserOf(*frame) : nullptr)
            b->refreshOrgPositions();
    };
    dm.browserCallsScrolled = [frame] {
        if (TCallsActionsForm *b = frame ? browserOf(*frame) : nullptr)
            b->refreshCallsPosition();
    };
    dm.browserActionsScrolled = [frame] {
        if (TCallsActionsForm *b = frame ? browserOf(*frame) : nullptr)
            b->refreshActionsPosition();
    };
    dm.callEditorScrolled = [frame] {
        if (TCallForm *c = frame ? callFormOf(*frame) : nullptr)
            c->refreshPosition();
    };
    dm.actionEditorScrolled = [frame] {
        if (TActionsForm *a = frame ? actionsFormOf(*frame) : nullptr)
            a->refreshPosition();
    };
    dm.actionEditorOpen = [frame] { return frame && actionsFormOf(*frame) != nullptr; };
    dm.resetActionContactChooser = [frame] {
        if (TActionsForm *a = frame ? actionsFormOf(*frame) : nullptr)
            a->resetContactChooser();
    };
}

} // namespace CallsCommands

namespace {

// The calls windows' context of the running program. The data module exists only once the user
// has logged in: until then there is none and the commands do nothing. The windows keep a copy
// of the context; everything it refers to outlives them.
class ProgramCallsContext : public QObject
{
public:
    explicit ProgramCallsContext(VellomarProgram &program) : QObject(&program), m_program(program) {}

    const CallsContext *get()
    {
        TDataModule1 *dm = m_program.dataModule();
        if (!dm)
            return nullptr;
        if (!m_context || &m_context->dm != dm)
            m_context = std::make_unique<CallsContext>(
                CallsContext{m_program.form(), *dm, m_program.constants(), m_program.parameters()});
        return m_context.get();
    }

private:
    VellomarProgram &m_program;
    std::unique_ptr<CallsContext> m_context;
};

} // namespace

void installCallsCommands(VellomarProgram &program)
{
    TKELDMainMDIForm &form = program.form();
    auto *context = new ProgramCallsContext(program);
    for (const CallsCommands::Command &command : CallsCommands::commands())
        form.setCommandHandler(QLatin1String(command.name), [context, run = command.run] {
            if (const CallsContext *ctx = context->get())
                run(*ctx);
        });
    // The options reach the open calls windows.
    form.setCommandHandler(QStringLiteral("OptionsSetup"), [context, &program] {
        if (const CallsContext *ctx = context->get())
            OptionsSetupExecute(&program.form(), *ctx->dm.ADOQuery1, program.parameters(),
                                CallsCommands::optionsHooks(*ctx));
    });
}
