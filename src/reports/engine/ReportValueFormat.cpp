#include "ReportValueFormat.h"

#include "Field.h"

#include <QLocale>
#include <cmath>

namespace ReportValueFormat {
namespace {

QString formatNumber(double value, const QString &format)
{
    if (format.isEmpty())
        return QString::number(value, 'g', QLocale::FloatingPointShortest);
    const qsizetype dot = format.indexOf(u'.');
    const int decimals = dot < 0 ? 0 : int(format.size() - dot - 1);
    return QString::number(value, 'f', decimals);
}

} // namespace

QString formatDateTime(const QDateTime &value, const QString &format)
{
    if (!value.isValid())
        return {};
    const QString f = format.isEmpty() ? QString::fromLatin1(kDefaultDateTimeFormat) : format;
    // The locale's date forms are runs of five or six d's; everything between them goes through
    // the field notation.
    QString out;
    QString pending;
    auto flush = [&] {
        if (!pending.isEmpty())
            out += value.toString(qtDateTimeFormat(pending));
        pending.clear();
    };
    for (qsizetype i = 0; i < f.size();) {
        qsizetype run = 1;
        if (f[i].toLower() == u'd') {
            while (i + run < f.size() && f[i + run].toLower() == u'd')
                ++run;
        }
        if (run >= 5) {
            flush();
            out += QLocale().toString(value.date(), run == 5 ? QLocale::ShortFormat : QLocale::LongFormat);
        } else {
            pending += f.mid(i, run);
        }
        i += run;
    }
    flush();
    return out;
}

QString format(const QVariant &value, const QString &format)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return formatDateTime(value.toDateTime(), format);
    case QMetaType::QDate:
        return formatDateTime(value.toDate().startOfDay(),
                              format.isEmpty() ? QStringLiteral("ddddd") : format);
    case QMetaType::QTime:
        return value.toTime().toString(qtDateTimeFormat(format.isEmpty() ? QStringLiteral("hh:nn") : format));
    case QMetaType::Double:
    case QMetaType::Float:
        return formatNumber(value.toDouble(), format);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return format.contains(u'.') ? formatNumber(value.toDouble(), format) : value.toString();
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

} // namespace ReportValueFormat
