#include "AppSettings.h"

#include "TKELDMainMDIForm.h"

#include <QSettings>
#include <limits>
#include <optional>
#include <stdexcept>

namespace AppSettings {
namespace {

QString &storeFile()
{
    static QString path;
    return path;
}

// A value read by type; an empty optional ends the reading.
std::optional<QString> readText(const QSettings &store, const QString &name)
{
    const QVariant v = store.value(name);
    if (!v.isValid())
        return QString();   // a missing text reads as empty
    if (v.typeId() != QMetaType::QString)
        return std::nullopt;
    return v.toString();
}

std::optional<qint32> readInt(const QSettings &store, const QString &name)
{
    const QVariant v = store.value(name);
    qint64 n = 0;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        if (v.typeId() == QMetaType::ULongLong
            && v.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        n = v.toLongLong();
        break;
    case QMetaType::QString: {
        // Text stores (INI files) keep numbers as their digits.
        const QString text = v.toString().trimmed();
        bool ok = false;
        n = text.toLongLong(&ok, 10);
        if (!ok)
            return std::nullopt;
        break;
    }
    default:
        return std::nullopt;   // missing, or a list, a byte array, a rectangle...
    }
    if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(n);
}

} // namespace

std::unique_ptr<QSettings> open()
{
    if (!storeFile().isEmpty())
        return std::make_unique<QSettings>(storeFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("KELD"), QStringLiteral("Vellomar"));
}

void setStoreFile(const QString &iniPath) { storeFile() = iniPath; }

void ReadSettings(TKELDMainMDIForm &form)
{
    const auto store = open();

    const auto dataSource = readText(*store, QStringLiteral("DataSource"));
    if (!dataSource)
        return;
    if (!dataSource->isEmpty())
        form.Session.DataSource = *dataSource;

    const auto systemDb = readText(*store, QStringLiteral("SystemDb"));
    if (!systemDb)
        return;
    if (!systemDb->isEmpty())
        form.Session.SystemDb = *systemDb;

    const auto top = readInt(*store, QStringLiteral("Top"));
    if (!top)
        return;
    form.move(form.x(), *top);

    const auto left = readInt(*store, QStringLiteral("Left"));
    if (!left)
        return;
    form.move(*left, form.y());

    const auto width = readInt(*store, QStringLiteral("Width"));
    if (!width)
        return;
    form.resize(*width, form.height());

    const auto height = readInt(*store, QStringLiteral("Height"));
    if (!height)
        return;
    form.resize(form.width(), *height);

    const auto invert = readInt(*store, QStringLiteral("InvertGrids"));
    if (!invert)
        return;
    form.setInvertGrids(*invert != 0);
}

void WriteSettings(const TKELDMainMDIForm &form)
{
    const auto store = open();
    store->setValue(QStringLiteral("Top"), qint32(form.y()));
    store->setValue(QStringLiteral("Left"), qint32(form.x()));
    store->setValue(QStringLiteral("Width"), qint32(form.width()));
    store->setValue(QStringLiteral("Height"), qint32(form.height()));
    store->setValue(QStringLiteral("InvertGrids"), qint32(form.InvertGrids() ? 1 : 0));
    store->sync();
    switch (store->status()) {
    case QSettings::NoError:
        return;
    case QSettings::AccessError:
        throw std::runtime_error(
            QStringLiteral("The settings could not be saved to %1: access denied.")
                .arg(store->fileName()).toStdString());
    case QSettings::FormatError:
        throw std::runtime_error(
            QStringLiteral("The settings could not be saved to %1: the store is damaged.")
                .arg(store->fileName()).toStdString());
    }
}

} // namespace AppSettings
