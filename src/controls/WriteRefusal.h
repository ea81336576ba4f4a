#pragma once

#include <QString>

#include <functional>
#include <optional>

// A write into a bound field that the data layer may refuse.
namespace WriteRefusal {

// Runs the write and returns the message of the DbError, or of any other exception, it threw;
// nothing when it went through. Controls show the field again and report the message.
std::optional<QString> of(const std::function<void()> &write);

} // namespace WriteRefusal
