#include "SqlDateTimeLiteral.h"

QString SqlDateTimeLiteral(const QDateTime &value)
{
    const QDate d = value.date();
    const QTime t = value.time();
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return QStringLiteral(" #%1-%2-%3 %4:%5:%6# ")
        .arg(two(d.month()), two(d.day()),
             QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')), two(t.hour()),
             two(t.minute()), two(t.second()));
}
