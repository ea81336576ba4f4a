#pragma once

#include "FieldControl.h"

#include <QComboBox>
#include <QPointer>

// A choose-only list over the rows of a list dataset, bound to one field of the current record.
//
// Each row of the list gives a key (keyField) and the text shown for it (listField). Bound to an
// ordinary field, the control shows the row whose key the field holds and writes the chosen
// row's key; bound to an editable lookup field, it shows the row of the lookup's key field and
// chooses through the lookup. An empty key, or -1 (no default), shows nothing. The list is read
// again whenever the list dataset's rows change.
class DBLookupCombo : public QComboBox, public FieldControl
{
    Q_OBJECT
public:
    explicit DBLookupCombo(QWidget *parent = nullptr);

    DataSource *listSource() const { return m_listSource; }
    void setListSource(DataSource *source);
    QString keyField() const { return m_keyField; }
    void setKeyField(const QString &name);
    QString listField() const { return m_listField; }
    void setListField(const QString &name);

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
    void followField() override;
    void updateEditability() override;
    void showField();
    bool editable() const;
    void choose(int index);

    QPointer<DataSource> m_listSource;
    QList<QMetaObject::Connection> m_listConnections;
    QString m_keyField;
    QString m_listField;
};
