#include "DateTimeText.h"

#include <QRegularExpression>
#include <cmath>

namespace DateTimeText {
namespace {

const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsPerDay = 86400000;

// The number written by the ASCII digits text[at, at + count); -1 when one is not a digit.
int digitsAt(QStringView text, qsizetype at, qsizetype count)
{
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The stored form, "YYYY-MM-DD HH:MM:SS.sss", read digit by digit: every date of every row shown
// passes here, and the general parser costs many times more. nullopt for any other text and for
// a moment that does not exist (a wrong day, or a local time the clock skipped), so that the
// general parser has the last word on those.
std::optional<QDateTime> fromStoredForm(QStringView t)
{
    if (t.size() != 23 || t[4] != u'-' || t[7] != u'-' || t[10] != u' ' || t[13] != u':' ||
        t[16] != u':' || t[19] != u'.')
        return std::nullopt;
    const int year = digitsAt(t, 0, 4), month = digitsAt(t, 5, 2), day = digitsAt(t, 8, 2);
    const int hour = digitsAt(t, 11, 2), minute = digitsAt(t, 14, 2), second = digitsAt(t, 17, 2);
    const int ms = digitsAt(t, 20, 3);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0 || ms < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, ms);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    QDateTime value(date, time);
    if (!value.isValid())
        return std::nullopt;
    return value;
}

} // namespace

QString toStorage(const QDateTime &value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

std::optional<QDateTime> fromStorage(const QString &text)
{
    if (auto stored = fromStoredForm(text))
        return stored;
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
