#include "OptionsSetup.h"

#include "SystemParameters.h"
#include "TSetupForm.h"

#include <QCheckBox>
#include <QSpinBox>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;

// A span of days split as the window shows it: whole days, then the time of day of the fraction
// to the millisecond (a fraction that rounds up to a full day counts as one more day).
struct Span
{
    double days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

Span split(double duration)
{
    Span s;
    double whole = std::trunc(duration);
    qint64 ms = std::llround(std::fabs(duration - whole) * double(kMsPerDay));
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        whole += duration < 0 ? -1 : 1;
    }
    s.days = whole;
    s.hours = int(ms / 3'600'000);
    s.minutes = int(ms / 60'000 % 60);
    s.seconds = int(ms / 1000 % 60);
    return s;
}

double join(int days, int hours, int minutes, int seconds)
{
    return days + (hours * 3600.0 + minutes * 60.0 + seconds) / 86400.0;
}

// QSpinBox keeps a value within its range; days beyond int are brought in first.
int clampedDays(double days, const QSpinBox &box)
{
    return int(std::clamp(days, double(box.minimum()), double(box.maximum())));
}

} // namespace

bool OptionsSetupExecute(QWidget *parent, Dataset &ADOQuery1, SystemParameters &params,
                         const OptionsSetupHooks &hooks)
{
    const Span current = split(params.DueDateDuration);

    auto form = std::make_unique<TSetupForm>(parent);
    form->DaysUpDown->setValue(clampedDays(current.days, *form->DaysUpDown));
    form->HoursUpDown->setValue(current.hours);
    form->MinsUpDown->setValue(current.minutes);
    form->AutoAddFirstActionCheckBox->setChecked(params.AutoGenerateAction);
    form->AllowCompleteIfActionsOpenCheckBox->setChecked(params.AllowCompleteCall);

    if (form->exec() != QDialog::Accepted)
        return false;

    SystemParameters changed = params;
    changed.DueDateDuration = join(form->DaysUpDown->value(), form->HoursUpDown->value(),
                                   form->MinsUpDown->value(), current.seconds);
    changed.AutoGenerateAction = form->AutoAddFirstActionCheckBox->isChecked();
    changed.AllowCompleteCall = form->AllowCompleteIfActionsOpenCheckBox->isChecked();
    form.reset();

    WriteSystemParameters(ADOQuery1, changed);
    params = changed;

    if (hooks.browserDisplayChanged)
        hooks.browserDisplayChanged();
    if (hooks.dueDateDurationChanged)
        hooks.dueDateDurationChanged(params.DueDateDuration);
    return true;
}
