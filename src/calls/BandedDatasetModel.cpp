#include "BandedDatasetModel.h"

#include "Dataset.h"
#include "DataSource.h"
#include "DbError.h"
#include "Field.h"

#include <QMetaObject>

BandedDatasetModel::BandedDatasetModel(QObject *parent) : DatasetModel(parent)
{
    connect(this, &QAbstractItemModel::modelReset, this, [this] { m_readErrorShown = false; });
}

void BandedDatasetModel::setBands(const QList<GridBand> &bands)
{
    m_bands = bands;
    // One column per band, named after the band's first bound column so that the base's
    // per-column answers (the typed value, alignment) have a field to go by.
    QList<GridColumn> columns;
    for (const GridBand &band : bands) {
        GridColumn c;
        c.caption = band.caption;
        c.width = band.width;
        c.readOnly = true;
        for (const auto &line : band.lines)
            for (const BandColumn &column : line)
                if (c.fieldName.isEmpty() && column.isBound())
                    c.fieldName = column.fieldName;
        columns << c;
    }
    setColumns(columns);
}

void BandedDatasetModel::setColumnWidth(int band, int line, int index, int width)
{
    if (band < 0 || band >= m_bands.size() || line < 0 || line > 1)
        return;
    QList<BandColumn> &columns = m_bands[band].lines[size_t(line)];
    if (index < 0 || index >= columns.size())
        return;
    columns[index].width = qMax(1, width);
}

void BandedDatasetModel::setBandWidth(int band, int width)
{
    if (band >= 0 && band < m_bands.size())
        m_bands[band].width = qMax(1, width);
}

Field *BandedDatasetModel::fieldOf(const BandColumn &column) const
{
    Dataset *ds = dataset();
    if (!ds || !column.isBound())
        return nullptr;
    Field *f = ds->findField(column.fieldName);
    return f && f->isActive() ? f : nullptr;
}

QString BandedDatasetModel::columnText(int row, const BandColumn &column) const
{
    Dataset *ds = dataset();
    Field *f = fieldOf(column);
    if (!ds || !f || row < 0 || row >= ds->recordCount())
        return {};
    try {
        return ds->displayTextAt(row, *f);
    } catch (const DbError &e) {
        reportReadError(e.message());
        return {};
    }
}

QString BandedDatasetModel::cellText(int row, const BandColumn &column) const
{
    if (column.isBound())
        return columnText(row, column);
    return unboundText ? unboundText(row, column) : QString();
}

void BandedDatasetModel::reportReadError(const QString &message) const
{
    // A block that cannot be read: its cells stay empty and the user hears of it once.
    if (m_readErrorShown)
        return;
    m_readErrorShown = true;
    auto *self = const_cast<BandedDatasetModel *>(this);
    QMetaObject::invokeMethod(self, [self, message] { emit self->error(message); },
                              Qt::QueuedConnection);
}

QString BandedDatasetModel::bandText(int row, const GridBand &band) const
{
    QStringList parts;
    for (const auto &line : band.lines)
        for (const BandColumn &column : line) {
            const QString text = cellText(row, column).trimmed();
            if (text.isEmpty())
                continue;
            const QString heading = column.isBound() ? column.heading() : QString();
            parts << (heading.isEmpty() ? text : heading + QLatin1Char(' ') + text);
        }
    return parts.join(QLatin1String(", "));
}

QString BandedDatasetModel::bandHeading(const GridBand &band) const
{
    QStringList headings;
    for (const auto &line : band.lines)
        for (const BandColumn &column : line)
            if (!column.heading().isEmpty())
                headings << column.heading();
    const QString caption = band.caption.isEmpty() ? band.accessibleName : band.caption;
    if (headings.isEmpty())
        return caption;
    if (caption.isEmpty())
        return headings.join(QLatin1String(", "));
    return caption + QLatin1String(": ") + headings.join(QLatin1String(", "));
}

QVariant BandedDatasetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_bands.size())
        return DatasetModel::data(index, role);
    Dataset *ds = dataset();
    if (!ds || index.row() >= ds->recordCount())
        return QVariant();
    const GridBand &band = m_bands.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return bandText(index.row(), band);
    case Qt::ToolTipRole: {
        // The whole of a note that the cell cuts short.
        QStringList notes;
        for (const auto &line : band.lines)
            for (const BandColumn &column : line)
                if (const Field *f = fieldOf(column); f && f->type() == FieldType::Memo)
                    notes << columnText(index.row(), column);
        notes.removeAll(QString());
        return notes.isEmpty() ? QVariant() : QVariant(notes.join(QLatin1Char('\n')));
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return DatasetModel::data(index, role);
    }
}

QVariant BandedDatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_bands.size())
        return DatasetModel::headerData(section, orientation, role);
    const GridBand &band = m_bands.at(section);
    switch (role) {
    case Qt::DisplayRole: return band.caption;
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole: return bandHeading(band);
    default: return QVariant();
    }
}
