#pragma once

#include "FieldControl.h"
#include "FieldTextBinding.h"

#include <QLineEdit>

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
class DBEdit : public QLineEdit, public FieldControl
{
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);

    bool isTextModified() const { return m_text.isModified(); }   // typed text not yet in the field

    // Writes the typed text into the field now; throws DbError (after dropping the text) when
    // the field refuses it. Does nothing when nothing was typed.
    void updateField() { m_text.updateField(); }
    // Drops the typed text and shows the field's value again.
    void revert() { m_text.revert(); }

signals:
    void writeFailed(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void followField() override;
    void updateEditability() override;
    void showField();

    FieldTextBinding m_text;
};
