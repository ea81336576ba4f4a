#pragma once

#include "Dataset.h"

#include <QObject>
#include <QPointer>

// What controls and detail datasets bind to: a dataset, passed on with its notifications.
// While disabled, bound controls show nothing and are not told of changes.
class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(Dataset *dataset = nullptr, QObject *parent = nullptr);

    Dataset *dataset() const { return m_dataset; }
    void setDataset(Dataset *dataset);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // Typing into a bound control puts the dataset into Edit state (on by default).
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on) { m_autoEdit = on; }

    Dataset::State state() const;

signals:
    void datasetChanged();              // another dataset, or enabled switched
    void activeChanged(bool active);
    void stateChanged(Dataset::State state);
    void recordChanged();
    void dataSetChanged();
    void fieldChanged(Field *field);
    void updateDataRequested();

private:
    QPointer<Dataset> m_dataset;
    QList<QMetaObject::Connection> m_connections;
    bool m_enabled = true;
    bool m_autoEdit = true;
};

// The link between one control and one field of a data source: what the control shows, when
// it may edit, and the write-back of its pending text before a post.
class FieldDataLink : public QObject
{
    Q_OBJECT
public:
    explicit FieldDataLink(QObject *parent = nullptr);

    DataSource *dataSource() const { return m_source; }
    void setDataSource(DataSource *source);
    QString fieldName() const { return m_fieldName; }
    void setFieldName(const QString &name);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    Dataset *dataset() const;
    Field *field() const;               // nullptr when unbound, inactive or unknown
    bool isActive() const;              // a bound, open dataset with the field
    bool isEditing() const;
    bool canModify() const;             // not read-only, field and dataset modifiable
    // Puts the dataset into Edit state when allowed; true when it is editing afterwards.
    bool edit();
    // The control's text changed: the link is modified until the value is written.
    void modified() { m_modified = true; }
    bool isModified() const { return m_modified; }
    void reset();                       // drop pending changes, show the field's value again

signals:
    void dataChange();                  // show the field's value again
    void editingChange();               // editing began or ended
    void activeChange();
    // Write the pending text into the field now (before a post or on leaving the control).
    void updateData();

private:
    void rebind();
    QPointer<DataSource> m_source;
    QList<QMetaObject::Connection> m_connections;
    QString m_fieldName;
    bool m_readOnly = false;
    bool m_modified = false;
};
