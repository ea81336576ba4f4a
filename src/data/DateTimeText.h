#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The forms a date-time takes on its way between the program and the store.
//
// Stored: ISO text of one fixed width, "YYYY-MM-DD HH:MM:SS.sss", local time, so that text
// comparison is time comparison. Arithmetic: a double of days since 30 December 1899, the time of
// day as the fraction. Jet literals: "#mm-dd-yyyy hh:nn:ss#".
namespace DateTimeText {

QString toStorage(const QDateTime &value);
std::optional<QDateTime> fromStorage(const QString &text);

double toDays(const QDateTime &value);
QDateTime fromDays(double days);

// "#07-31-2000 13:36:05#" (without the hashes) -> the storage form; nullopt when malformed.
std::optional<QString> jetLiteralToStorage(const QString &jetLiteralBody);

// The moment truncated to whole seconds, as input times of calls and actions are stamped.
QDateTime wholeSeconds(const QDateTime &value);

} // namespace DateTimeText
