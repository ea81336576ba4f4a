#include "Field.h"

#include "Dataset.h"

#include <QLocale>
#include <cmath>

Field::Field(Dataset *dataset, const QString &name, Kind kind, FieldType type, int size)
    : m_dataset(dataset), m_name(name), m_kind(kind), m_type(type), m_size(size)
{
}

bool Field::isReadOnly() const
{
    if (m_readOnly || m_alwaysReadOnly)
        return true;
    if (m_kind == Kind::Lookup)
        return !m_editableLookup;
    return m_kind == Kind::Calculated;
}

bool Field::canModify() const { return m_active && !isReadOnly() && m_dataset->canModify(); }

QVariant Field::value() const { return m_dataset->fieldValue(*this); }

int Field::asInteger() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0;
    if (m_type == FieldType::Float)
        return int(std::llround(v.toDouble()));
    return v.toInt();
}

double Field::asFloat() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0.0;
    if (m_type == FieldType::DateTime)
        return 0.0;
    return v.toDouble();
}

bool Field::asBoolean() const { return value().toBool(); }

QDateTime Field::asDateTime() const { return value().toDateTime(); }

QString Field::asString() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    switch (m_type) {
    case FieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    case FieldType::Float:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

QString Field::formatValue(const QVariant &v) const
{
    if (v.isNull())
        return {};
    if (m_type == FieldType::DateTime && v.canConvert<QDateTime>()) {
        const QString f = m_displayFormat.isEmpty() ? QStringLiteral("dd/mm/yyyy hh:nn:ss") : m_displayFormat;
        return v.toDateTime().toString(qtDateTimeFormat(f));
    }
    if (m_type == FieldType::Float && !m_displayFormat.isEmpty()) {
        const qsizetype dot = m_displayFormat.indexOf(u'.');
        const int decimals = dot < 0 ? 0 : int(m_displayFormat.size() - dot - 1);
        return QString::number(v.toDouble(), 'f', decimals);
    }
    if (m_type == FieldType::Float)
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (m_type == FieldType::Boolean)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

QString Field::displayText() const { return formatValue(value()); }

QVariant Field::convert(const QVariant &v) const
{
    if (v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty() &&
                       m_type != FieldType::Text && m_type != FieldType::Memo))
        return QVariant();
    auto refuse = [&](const QString &what) {
        return DbError(QStringLiteral("'%1' is not a valid value for the field %2: %3.")
                           .arg(v.toString(), m_name, what),
                       DbError::Kind::Usage);
    };
    switch (m_type) {
    case FieldType::Integer: {
        bool ok = false;
        qlonglong n = 0;
        if (v.typeId() == QMetaType::Double) {
            const double d = v.toDouble();
            ok = std::floor(d) == d;
            n = qlonglong(d);
        } else if (v.typeId() == QMetaType::Bool) {
            ok = true;
            n = v.toBool() ? 1 : 0;
        } else {
            n = v.toString().trimmed().toLongLong(&ok);
        }
        if (!ok || n < INT_MIN || n > INT_MAX)
            throw refuse(QStringLiteral("a whole number is needed"));
        return QVariant(int(n));
    }
    case FieldType::Float: {
        bool ok = false;
        const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok)
                                                          : v.toDouble(&ok);
        if (!ok)
            throw refuse(QStringLiteral("a number is needed"));
        return QVariant(d);
    }
    case FieldType::Boolean:
        if (v.typeId() == QMetaType::QString) {
            const QString t = v.toString().trimmed().toLower();
            if (t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("yes"))
                return QVariant(true);
            if (t == QLatin1String("false") || t == QLatin1String("0") || t == QLatin1String("no"))
                return QVariant(false);
            throw refuse(QStringLiteral("yes or no is needed"));
        }
        return QVariant(v.toBool());
    case FieldType::DateTime: {
        if (v.typeId() == QMetaType::QDateTime) {
            if (!v.toDateTime().isValid())
                throw refuse(QStringLiteral("a date and time is needed"));
            return v;
        }
        if (v.typeId() == QMetaType::QDate)
            return QVariant(QDateTime(v.toDate(), QTime(0, 0)));
        if (v.typeId() == QMetaType::QString) {
            const QString t = v.toString().trimmed();
            for (const char *f : {"dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "dd/MM/yyyy",
                                  "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd"}) {
                const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(f));
                if (dt.isValid())
                    return QVariant(dt);
            }
        }
        throw refuse(QStringLiteral("a date and time is needed"));
    }
    case FieldType::Text:
    case FieldType::Memo: {
        const QString t = v.toString();
        if (m_type == FieldType::Text && m_size > 0 && t.size() > m_size)
            throw DbError(QStringLiteral("The text is too long for the field %1: it holds at most %2 "
                                         "characters, %3 were given.")
                              .arg(m_name).arg(m_size).arg(t.size()),
                          DbError::Kind::Constraint);
        return QVariant(t);
    }
    }
    return v;
}

void Field::setValue(const QVariant &value) { m_dataset->setFieldValue(*this, value); }

void Field::setLookupKey(const QVariant &key)
{
    if (m_kind != Kind::Lookup)
        throw DbError(QStringLiteral("The field %1 is not a lookup field.").arg(m_name), DbError::Kind::Usage);
    if (!m_editableLookup)
        throw DbError(QStringLiteral("The field %1 cannot be modified.").arg(m_name), DbError::Kind::Usage);
    m_dataset->field(m_keyField).setValue(key);
}

QString qtDateTimeFormat(const QString &format)
{
    // Delphi-style letters to Qt's: m is the month unless it follows an hour (then minutes),
    // n is always minutes, h the 24-hour clock.
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run].toLower() == c)
            ++run;
        const QString same(run, c);
        if (c == u'y') {
            out += run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
            afterHour = false;
        } else if (c == u'm') {
            if (afterHour && run <= 2)
                out += QString(run, u'm');
            else
                out += QString(run, u'M');
            afterHour = false;
        } else if (c == u'n') {
            out += QString(std::min<qsizetype>(run, 2), u'm');
            afterHour = false;
        } else if (c == u'h') {
            out += QString(std::min<qsizetype>(run, 2), u'H');
            afterHour = true;
        } else if (c == u'd' || c == u's' || c == u'z') {
            out += same;
            if (c != u's')
                afterHour = false;
        } else {
            const QChar raw = format[i];
            if (raw.isLetter()) {
                out += u'\'' + QString(run, raw) + u'\'';
            } else {
                out += QString(run, raw);
            }
        }
        i += run;
    }
    return out;
}
