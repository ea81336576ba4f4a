#include "ReportPrompts.h"

#include "Prompter.h"
#include "TDateTimePromptForm.h"
#include "WholeNumber.h"

std::optional<ReportRunParameters> PromptDateTimeRange(QWidget *owner)
{
    TDateTimePromptForm dialog(owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ReportRunParameters::range(dialog.from(), dialog.to());
}

std::optional<int> PromptCallID()
{
    QString typed;
    if (!Prompter::instance().input(QStringLiteral("User Input"), QStringLiteral("Enter CallID"),
                                    &typed))
        return std::nullopt;
    const std::optional<int> callId = parseWholeNumber(typed);
    if (!callId)
        Prompter::instance().message(QStringLiteral("Please enter a valid whole number"));
    return callId;
}
