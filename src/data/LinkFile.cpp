#include "LinkFile.h"

#include "DbError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QSysInfo>

#include <utility>

namespace LinkFile {
namespace {

const char kDataSourceKey[] = "Data Source";
const char kSystemDbKey[] = "Jet OLEDB:System database";

QString quoteValue(const QString &v)
{
    const bool needs = v.contains(u';') || v.contains(u'"') || v.contains(u'\'') ||
                       (!v.isEmpty() && (v.front().isSpace() || v.back().isSpace()));
    if (!needs)
        return v;
    if (!v.contains(u'"'))
        return u'"' + v + u'"';
    QString q = v;
    q.replace(u'\'', QStringLiteral("''"));
    return u'\'' + q + u'\'';
}

} // namespace

QString initString(const ConnectionInfo &info)
{
    return QStringLiteral("Provider=%1;%2=%3;%4=%5;")
        .arg(quoteValue(info.provider), QLatin1String(kDataSourceKey), quoteValue(info.dataSource),
             QLatin1String(kSystemDbKey), quoteValue(info.systemDb));
}

ConnectionInfo parseInitString(const QString &text)
{
    ConnectionInfo info;
    bool haveProvider = false;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto malformed = [&](const QString &why) {
        return DbError(QStringLiteral("Malformed connection string (%1): %2").arg(why, text));
    };
    while (i < n) {
        while (i < n && (text[i].isSpace() || text[i] == u';'))
            ++i;
        if (i >= n)
            break;
        const qsizetype eq = text.indexOf(u'=', i);
        if (eq < 0)
            throw malformed(QStringLiteral("a setting without \"=\""));
        const QString name = text.mid(i, eq - i).trimmed();
        if (name.isEmpty())
            throw malformed(QStringLiteral("a setting without a name"));
        i = eq + 1;
        while (i < n && text[i] == u' ')
            ++i;
        QString value;
        if (i < n && (text[i] == u'"' || text[i] == u'\'')) {
            const QChar quote = text[i++];
            for (;;) {
                if (i >= n)
                    throw malformed(QStringLiteral("an unterminated quoted value"));
                if (text[i] == quote) {
                    if (i + 1 < n && text[i + 1] == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text[i++];
            }
            while (i < n && text[i] == u' ')
                ++i;
            if (i < n && text[i] != u';')
                throw malformed(QStringLiteral("text after a quoted value"));
        } else {
            const qsizetype semi = text.indexOf(u';', i);
            const qsizetype end = semi < 0 ? n : semi;
            value = text.mid(i, end - i).trimmed();
            i = end;
        }
        if (name.compare(QLatin1String("Provider"), Qt::CaseInsensitive) == 0) {
            info.provider = value;
            haveProvider = true;
        } else if (name.compare(QLatin1String(kDataSourceKey), Qt::CaseInsensitive) == 0) {
            info.dataSource = value;
        } else if (name.compare(QLatin1String(kSystemDbKey), Qt::CaseInsensitive) == 0) {
            info.systemDb = value;
        }   // other settings are allowed and ignored
    }
    if (!haveProvider || info.provider.isEmpty())
        throw malformed(QStringLiteral("no Provider"));
    if (info.dataSource.isEmpty())
        throw malformed(QStringLiteral("no Data Source"));
    return info;
}

void write(const QString &path, const ConnectionInfo &info)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw DbError(QStringLiteral("Cannot write the link file '%1': %2").arg(path, f.errorString()));
    const QString content = QStringLiteral("[oledb]\r\n; Everything after this line is an OLE DB "
                                           "initstring\r\n") + initString(info) + QStringLiteral("\r\n");
    // The data-link format: UTF-16 little-endian with a byte-order mark.
    f.write("\xFF\xFE", 2);
    QByteArray utf16(reinterpret_cast<const char *>(content.utf16()), content.size() * 2);
    if (QSysInfo::ByteOrder == QSysInfo::BigEndian)
        for (qsizetype i = 0; i + 1 < utf16.size(); i += 2)
            std::swap(utf16[i], utf16[i + 1]);
    f.write(utf16);
    if (!f.commit())
        throw DbError(QStringLiteral("Cannot write the link file '%1': %2").arg(path, f.errorString()));
}

ConnectionInfo read(const QString &path)
{
    QFile f(path);
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("Could not find the link file '%1'.").arg(path),
                      DbError::Kind::NotFound);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Cannot read the link file '%1': %2").arg(path, f.errorString()));
    const QByteArray bytes = f.read(1 << 20);
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        auto enc = bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        QStringDecoder dec(enc);
        text = dec(bytes.mid(2));
    } else {
        QStringDecoder dec(QStringConverter::Utf8);
        text = dec(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
        if (dec.hasError())
            throw DbError(QStringLiteral("The link file '%1' is malformed: it is not text.").arg(path));
    }
    QString initLine;
    for (const QString &raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'[') || line.startsWith(u';'))
            continue;
        initLine = line;
        break;
    }
    if (initLine.isEmpty())
        throw DbError(QStringLiteral("The link file '%1' is malformed: it holds no connection "
                                     "string.").arg(path));
    try {
        return parseInitString(initLine);
    } catch (const DbError &e) {
        throw DbError(QStringLiteral("The link file '%1' is malformed: %2").arg(path, e.message()));
    }
}

} // namespace LinkFile
