#pragma once

#include "DataSource.h"

#include <QPlainTextEdit>

class Field;

// A word-wrapped, several-line edit of one field of the current record (notes).
//
// It follows the same rules as DBEdit: typing puts the dataset into Edit state and the text is
// written into the field before a post or when the user leaves the control; Esc drops it.
// Enter starts a new line and Tab moves on to the next control.
class DBMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit DBMemo(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source);
    QString dataField() const { return m_link.fieldName(); }
    // Also names the control for assistive technology unless it was given a name of its own.
    void setDataField(const QString &name);
    bool isDataReadOnly() const { return m_link.isReadOnly(); }
    void setDataReadOnly(bool readOnly);

    FieldDataLink &link() { return m_link; }
    Field *field() const { return m_link.field(); }
    bool isTextModified() const { return m_dirty; }

    // Writes the typed text into the field now; throws DbError (after dropping the text) when
    // the field refuses it. Does nothing when nothing was typed.
    void updateField();
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
    bool tryUpdateField();
    void onTextChanged();

    FieldDataLink m_link;
    bool m_dirty = false;
    bool m_entering = false;
    bool m_showing = false;    // the text is being set from the field
};
