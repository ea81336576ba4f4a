#include "DBMemo.h"

#include "ControlColors.h"
#include "Field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

// Enter starts a new line, so it changes the text as well.
bool changesText(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter
        || FieldTextBinding::changesText(e);
}

} // namespace

DBMemo::DBMemo(QWidget *parent)
    : QPlainTextEdit(parent),
      FieldControl(this),
      m_text(m_link, {[this] { return toPlainText(); }, [this] { showField(); },
                      [this](const QString &message) { emit writeFailed(message); }})
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);

    connect(&m_link, &FieldDataLink::updateData, this, &DBMemo::updateField);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_text.textChanged();
    });
    followField();
}

void DBMemo::followField()
{
    m_text.followField();
    updateEditability();
}

void DBMemo::showField()
{
    const Field *f = field();
    QString shown;
    if (f)
        shown = m_link.isEditing() ? f->asString() : f->displayText();
    if (toPlainText() != shown) {
        QScopedValueRollback<bool> showing(m_showing, true);
        setPlainText(shown);
    }
}

void DBMemo::updateEditability()
{
    const bool editable = m_link.canModify();
    setReadOnly(!editable);
    // Read-only text can still be read through and selected from the keyboard.
    if (!editable)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    ControlColors::applyEditable(this, editable);
}

void DBMemo::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_text.isModified()) {
            revert();
            selectAll();
            event->accept();
        } else {
            event->ignore();   // nothing typed: the window may use Esc
        }
        return;
    }
    if (!isReadOnly() && changesText(event) && !m_text.beginEdit()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (!m_text.writeOnLeaving(event->reason())) {
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
    }
}
