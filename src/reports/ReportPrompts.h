#pragma once

#include "ReportDispatch.h"

#include <optional>

class QWidget;

// The two questions a report may ask before it runs.

// The "Set date/time range for report" dialog over the owner: the range with its two SQL
// literals when the user chose OK; nullopt for Cancel or a dialog closed otherwise.
std::optional<ReportRunParameters> PromptDateTimeRange(QWidget *owner);

// The "User Input" box asking "Enter CallID", starting empty: the number typed, or nullopt for
// Cancel (silently) or for a text that is not a whole number ("Please enter a valid whole
// number" is shown).
std::optional<int> PromptCallID();
