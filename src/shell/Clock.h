#pragma once

#include <QDateTime>
#include <functional>

// "Now" for the whole program, so tests can set the time (urgency, due dates, input times).
namespace Clock {

QDateTime now();
void set(std::function<QDateTime()> source);   // nullptr: the system clock again

// Milliseconds on a steady clock, for waits such as the splash's.
qint64 ticks();

} // namespace Clock
