#include "DateTimeText.h"

#include <QRegularExpression>
#include <cmath>

namespace DateTimeText {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsPerDay = 86400000;

} // namespace

QString toStorage(const QDateTime &value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

std::optional<QDateTime> fromStorage(const QString &text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // Accept the stored form and the shorter forms a hand-written row may carry.
    static const char *const formats[] = {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss",
                                          "yyyy-MM-dd HH:mm", "yyyy-MM-ddTHH:mm:ss.zzz",
                                          "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd"};
    for (const char *f : formats) {
        QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(f));
        if (dt.isValid())
            return dt;
    }
    return std::nullopt;
}

double toDays(const QDateTime &value)
{
    const qint64 days = kEpoch.daysTo(value.date());
    const qint64 ms = value.time().msecsSinceStartOfDay();
    return double(days) + double(ms) / double(kMsPerDay);
}

QDateTime fromDays(double days)
{
    double whole = std::floor(days);
    qint64 ms = qint64(std::llround((days - whole) * double(kMsPerDay)));
    qint64 d = qint64(whole);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++d;
    }
    return QDateTime(kEpoch.addDays(d), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

std::optional<QString> jetLiteralToStorage(const QString &body)
{
    // mm-dd-yyyy or mm/dd/yyyy, optionally followed by hh:nn[:ss]
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,2})[-/](\d{1,2})[-/](\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const auto m = re.match(body);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    const QTime time(m.captured(4).isEmpty() ? 0 : m.captured(4).toInt(),
                     m.captured(5).isEmpty() ? 0 : m.captured(5).toInt(),
                     m.captured(6).isEmpty() ? 0 : m.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return toStorage(QDateTime(date, time));
}

QDateTime wholeSeconds(const QDateTime &value)
{
    const QTime t = value.time();
    return QDateTime(value.date(), QTime(t.hour(), t.minute(), t.second()));
}

} // namespace DateTimeText
