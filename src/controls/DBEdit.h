#pragma once

#include "DataSource.h"

#include <QLineEdit>

class Field;

// A one-line edit of one field of the current record.
//
// Browsing, it shows the field's display text; while the record is edited, its plain text.
// Typing puts the dataset into Edit state (when the data source allows it) and holds the text
// until it is written into the field: when the dataset asks before a post, when the user leaves
// the control, or on Enter. Esc drops the typed text and shows the field's value again.
//
// A text the field refuses is dropped and the field keeps its value. Called from a post, the
// field's DbError goes on to the caller; from the keyboard or a focus change, the control keeps
// the focus and reports the message through writeFailed().
class DBEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source);
    QString dataField() const { return m_link.fieldName(); }
    // Also names the control for assistive technology unless it was given a name of its own.
    void setDataField(const QString &name);
    bool isDataReadOnly() const { return m_link.isReadOnly(); }
    void setDataReadOnly(bool readOnly);

    FieldDataLink &link() { return m_link; }
    Field *field() const { return m_link.field(); }
    bool isTextModified() const { return m_dirty; }   // typed text not yet in the field

    // Writes the typed text into the field now; throws DbError (after dropping the text) when
    // the field refuses it. Does nothing when nothing was typed.
    void updateField();
    // Drops the typed text and shows the field's value again.
    void revert();

signals:
    void writeFailed(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void updateEditability();
    bool beginEdit();
    bool tryUpdateField();   // false after reporting a refused text
    void onTextEdited();

    FieldDataLink m_link;
    bool m_dirty = false;
    bool m_entering = false;   // putting the dataset into Edit after the text already changed
};
