#pragma once

#include <QString>
#include <optional>

// The number typed, when the text as a whole is a signed 32-bit whole number: an optional sign
// and decimal digits, nothing else ("+7" and "-3" yes; "12a", "1.5", " 4" and "" no).
std::optional<int> parseWholeNumber(const QString &text);
