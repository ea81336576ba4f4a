#include "DatasetModel.h"

#include "DataSource.h"
#include "Dataset.h"
#include "DbError.h"
#include "Field.h"

#include <QMetaObject>
#include <QSize>

namespace {

// The marks of the indicator column (the vertical header): the current row while browsing,
// editing or inserting.
const QString kBrowseMark = QString(QChar(0x25B6));
const QString kEditMark = QStringLiteral("I");
const QString kInsertMark = QStringLiteral("*");
constexpr int kIndicatorWidth = 18;

// A memo shown on one line of a cell: its line breaks become blanks.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

bool isNumber(FieldType type)
{
    return type == FieldType::Integer || type == FieldType::Float;
}

} // namespace

DatasetModel::DatasetModel(QObject *parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataSource(DataSource *source)
{
    if (m_source == source)
        return;
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (source) {
        m_connections << connect(source, &DataSource::datasetChanged, this, &DatasetModel::reload)
                      << connect(source, &DataSource::activeChanged, this, &DatasetModel::reload)
                      << connect(source, &DataSource::dataSetChanged, this, &DatasetModel::reload)
                      << connect(source, &DataSource::recordChanged, this,
                                 &DatasetModel::onRecordChanged)
                      << connect(source, &DataSource::fieldChanged, this,
                                 &DatasetModel::onFieldChanged)
                      << connect(source, &DataSource::stateChanged, this,
                                 &DatasetModel::onStateChanged)
                      << connect(source, &QObject::destroyed, this, [this] {
                             m_source = nullptr;
                             reload();
                         });
    }
    reload();
}

Dataset *DatasetModel::dataset() const
{
    if (!m_source || !m_source->isEnabled())
        return nullptr;
    Dataset *ds = m_source->dataset();
    return ds && ds->isActive() ? ds : nullptr;
}

void DatasetModel::setColumns(const QList<GridColumn> &columns)
{
    m_configured = columns;
    reload();
}

Field *DatasetModel::fieldAt(int column) const
{
    if (!m_dataset || column < 0 || column >= m_fields.size())
        return nullptr;
    Field *f = m_fields.at(column);
    return f && f->isActive() ? f : nullptr;
}

void DatasetModel::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    if (m_rows > 0 && !m_shown.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_shown.size()) - 1));
}

bool DatasetModel::isColumnEditable(int column) const
{
    if (m_readOnly || column < 0 || column >= m_shown.size() || m_shown.at(column).readOnly)
        return false;
    Field *f = fieldAt(column);
    return f && dataset() && f->canModify();
}

void DatasetModel::reload()
{
    beginResetModel();
    Dataset *ds = dataset();
    if (m_dataset != ds) {
        if (m_dataset)
            disconnect(m_dataset, &QObject::destroyed, this, nullptr);
        m_dataset = ds;
        if (ds)
            connect(ds, &QObject::destroyed, this, &DatasetModel::reload);
    }
    m_shown.clear();
    m_fields.clear();
    if (!m_configured.isEmpty()) {
        m_shown = m_configured;
        for (const GridColumn &c : std::as_const(m_shown))
            m_fields << (ds ? ds->findField(c.fieldName) : nullptr);
    } else if (ds) {
        for (const auto &f : ds->fields()) {
            if (!f->isActive() || !f->isVisible())
                continue;
            GridColumn c;
            c.fieldName = f->name();
            m_shown << c;
            m_fields << f.get();
        }
    }
    m_rows = ds ? ds->recordCount() : 0;
    m_currentRow = ds ? ds->currentIndex() : -1;
    m_readErrorShown = false;
    endResetModel();
    emit cursorMoved();
}

void DatasetModel::repaintRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    if (!m_shown.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_shown.size()) - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

void DatasetModel::onRecordChanged()
{
    Dataset *ds = dataset();
    if (!ds || ds->recordCount() != m_rows || ds != m_dataset) {
        reload();
        return;
    }
    const int before = m_currentRow;
    m_currentRow = ds->currentIndex();
    repaintRow(before);
    if (m_currentRow != before)
        repaintRow(m_currentRow);
    emit cursorMoved();
}

void DatasetModel::onFieldChanged()
{
    Dataset *ds = dataset();
    if (!ds || ds->recordCount() != m_rows) {
        reload();
        return;
    }
    repaintRow(ds->currentIndex());
}

void DatasetModel::onStateChanged()
{
    // Inserting adds a row and cancelling takes it away again; the indicator changes its mark.
    onRecordChanged();
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    Dataset *ds = dataset();
    Field *f = fieldAt(index.column());
    if (!ds || !f || !index.isValid() || index.row() >= ds->recordCount())
        return QVariant();
    const int row = index.row();
    try {
        switch (role) {
        case Qt::DisplayRole:
            if (f->type() == FieldType::Boolean)
                return QVariant();      // the check box shows it
            if (f->type() == FieldType::Memo)
                return oneLine(ds->displayTextAt(row, *f));
            return ds->displayTextAt(row, *f);
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole:
            if (role == Qt::ToolTipRole && f->type() != FieldType::Memo)
                return QVariant();
            return ds->displayTextAt(row, *f);
        case Qt::EditRole:
            if (f->type() == FieldType::Boolean)
                return QVariant();
            if (!m_shown.at(index.column()).pickList.isEmpty())
                return ds->displayTextAt(row, *f);
            return ds->valueAt(row, *f);
        case ValueRole:
            return ds->valueAt(row, *f);
        case Qt::CheckStateRole:
            if (f->type() != FieldType::Boolean)
                return QVariant();
            return ds->valueAt(row, *f).toBool() ? Qt::Checked : Qt::Unchecked;
        case Qt::TextAlignmentRole:
            if (isNumber(f->type()))
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return QVariant();
        }
    } catch (const DbError &e) {
        // A block that cannot be read: the cell stays empty and the user hears of it once.
        if (!m_readErrorShown) {
            m_readErrorShown = true;
            const QString message = e.message();
            auto *self = const_cast<DatasetModel *>(this);
            QMetaObject::invokeMethod(self, [self, message] { emit self->error(message); },
                                      Qt::QueuedConnection);
        }
        return QVariant();
    }
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !isColumnEditable(index.column()))
        return false;
    Dataset *ds = dataset();
    Field *f = fieldAt(index.column());
    const bool check = role == Qt::CheckStateRole;
    if (check != (f->type() == FieldType::Boolean) || (!check && role != Qt::EditRole))
        return false;
    try {
        if (ds->currentIndex() != index.row())
            ds->setRecNo(index.row() + 1);
        if (!ds->isEditing()) {
            if (!m_source->autoEdit())
                return false;
            ds->edit();
        }
        QVariant v = value;
        if (check)
            v = value.toInt() == Qt::Checked;
        else if (v.typeId() == QMetaType::QString && v.toString().isEmpty())
            v = QVariant();     // a cleared cell is an empty field
        f->setValue(v);
    } catch (const DbError &e) {
        emit error(e.message());
        return false;
    }
    return true;
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isColumnEditable(index.column())) {
        Field *f = fieldAt(index.column());
        flags |= f->type() == FieldType::Boolean ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    }
    return flags;
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_shown.size())
            return QVariant();
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole)
            return QVariant();
        const GridColumn &c = m_shown.at(section);
        if (!c.caption.isEmpty())
            return c.caption;
        if (Field *f = fieldAt(section))
            return f->displayLabel();
        return c.fieldName;
    }
    // The indicator column: a mark on the current row, nothing that needs the row's values.
    if (role == Qt::SizeHintRole)
        return QSize(kIndicatorWidth, 0);
    if (role != Qt::DisplayRole)
        return QVariant();
    Dataset *ds = dataset();
    if (!ds || section != ds->currentIndex())
        return QString();
    switch (ds->state()) {
    case Dataset::State::Edit: return kEditMark;
    case Dataset::State::Insert: return kInsertMark;
    default: return kBrowseMark;
    }
}
