#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// The text a report prints for a value.
//
// Date-times take a format in the "dd/mm/yyyy hh:nn" notation of the program's fields (m after h
// is minutes, n is always minutes), where "ddddd" is the locale's short date and "dddddd" its long
// date: "ddddd hh:nn" is the usual report form. Numbers take a form such as "0.00" (that many
// decimals). Without a format, date-times print as "ddddd hh:nn" and numbers in their shortest
// exact form. Null prints as nothing.
namespace ReportValueFormat {

inline constexpr auto kDefaultDateTimeFormat = "ddddd hh:nn";

QString format(const QVariant &value, const QString &format = QString());
QString formatDateTime(const QDateTime &value, const QString &format);

} // namespace ReportValueFormat
