#pragma once

#include "DataSource.h"

#include <QComboBox>
#include <QPointer>

class Field;

// A choose-only list over the rows of a list dataset, bound to one field of the current record.
//
// Each row of the list gives a key (keyField) and the text shown for it (listField). Bound to an
// ordinary field, the control shows the row whose key the field holds and writes the chosen
// row's key; bound to an editable lookup field, it shows the row of the lookup's key field and
// chooses through the lookup. An empty key, or -1 (no default), shows nothing. The list is read
// again whenever the list dataset's rows change.
class DBLookupCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit DBLookupCombo(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source);
    QString dataField() const { return m_link.fieldName(); }
    // Also names the control for assistive technology unless it was given a name of its own.
    void setDataField(const QString &name);
    bool isDataReadOnly() const { return m_link.isReadOnly(); }
    void setDataReadOnly(bool readOnly);

    DataSource *listSource() const { return m_listSource; }
    void setListSource(DataSource *source);
    QString keyField() const { return m_keyField; }
    void setKeyField(const QString &name);
    QString listField() const { return m_listField; }
    void setListField(const QString &name);

    FieldDataLink &link() { return m_link; }
    Field *field() const { return m_link.field(); }
    // The key the bound record holds (through the key field of a lookup field).
    QVariant currentKey() const;
    // The key of the row shown, invalid when none.
    QVariant shownKey() const { return currentData(); }

    // Reads the list's rows again and shows the record's key among them.
    void reloadList();

signals:
    void writeFailed(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void showPopup() override;

private:
    void showField();
    void updateEditability();
    bool editable() const;
    void choose(int index);

    FieldDataLink m_link;
    QPointer<DataSource> m_listSource;
    QList<QMetaObject::Connection> m_listConnections;
    QString m_keyField;
    QString m_listField;
};
