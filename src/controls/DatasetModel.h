#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

class DataSource;
class Dataset;
class Field;

// One column of a data grid. An empty caption takes the field's display label; a width of 0
// takes the field's display width (or a width by type).
struct GridColumn
{
    QString fieldName;
    QString caption;
    int width = 0;              // pixels
    bool readOnly = false;
    QStringList pickList;       // non-empty: edited with a drop-down list of these texts
};

// A table over the rows of a data source's dataset. The row count is the dataset's exact
// record count; a row's values are asked of the dataset only when a view shows that row, so a
// long result is read block by block as the user scrolls and never whole.
//
// Edits put the dataset on the edited row and into Edit state, then set the field; an error of
// the data layer is reported through error() with the engine's text.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The field's typed value (a QDateTime, a number, the whole text of a memo), for delegates.
    static constexpr int ValueRole = Qt::UserRole + 1;

    explicit DatasetModel(QObject *parent = nullptr);

    DataSource *dataSource() const { return m_source; }
    void setDataSource(DataSource *source);
    Dataset *dataset() const;           // nullptr unless bound to an enabled, open dataset

    // No list: every visible field of the dataset, in field order.
    void setColumns(const QList<GridColumn> &columns);
    QList<GridColumn> columns() const { return m_configured; }
    const GridColumn &columnAt(int column) const { return m_shown.at(column); }
    Field *fieldAt(int column) const;   // nullptr when the column names no field of the dataset

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    bool isColumnEditable(int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void error(const QString &message);
    // The dataset's cursor moved or the rows were re-read: views follow the current row.
    void cursorMoved();

private:
    void rebind();
    void reload();
    void onRecordChanged();
    void onFieldChanged();
    void onStateChanged();
    void repaintRow(int row);

    QPointer<DataSource> m_source;
    QPointer<Dataset> m_dataset;        // the dataset the columns' fields belong to
    QList<QMetaObject::Connection> m_connections;
    QList<GridColumn> m_configured;
    QList<GridColumn> m_shown;
    QList<Field *> m_fields;            // per shown column, may hold nullptr
    int m_rows = 0;
    int m_currentRow = -1;              // the row marked current, for repainting
    bool m_readOnly = false;
    mutable bool m_readErrorShown = false;  // one message per reload for a block that fails
};
