#pragma once

#include "FieldControl.h"
#include "FieldTextBinding.h"

#include <QPlainTextEdit>

// A word-wrapped, several-line edit of one field of the current record (notes).
//
// It follows the same rules as DBEdit: typing puts the dataset into Edit state and the text is
// written into the field before a post or when the user leaves the control; Esc drops it.
// Enter starts a new line and Tab moves on to the next control.
class DBMemo : public QPlainTextEdit, public FieldControl
{
    Q_OBJECT
public:
    explicit DBMemo(QWidget *parent = nullptr);

    bool isTextModified() const { return m_text.isModified(); }

    // Writes the typed text into the field now; throws DbError (after dropping the text) when
    // the field refuses it. Does nothing when nothing was typed.
    void updateField() { m_text.updateField(); }
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
    bool m_showing = false;    // the text is being set from the field
};
