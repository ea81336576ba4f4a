#include "DBEdit.h"

#include "ControlColors.h"
#include "Field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace {

constexpr int kUnboundedLength = 32767;   // QLineEdit's own default

} // namespace

DBEdit::DBEdit(QWidget *parent)
    : QLineEdit(parent),
      FieldControl(this),
      m_text(m_link, {[this] { return text(); }, [this] { showField(); },
                      [this](const QString &message) { emit writeFailed(message); }})
{
    // Before a post: a refused text throws on to whoever posts.
    connect(&m_link, &FieldDataLink::updateData, this, &DBEdit::updateField);
    connect(this, &QLineEdit::textEdited, this, [this] { m_text.textChanged(); });
    followField();
}

void DBEdit::followField()
{
    m_text.followField();
    updateEditability();
}

void DBEdit::showField()
{
    const Field *f = field();
    QString shown;
    int length = kUnboundedLength;
    if (f) {
        shown = m_link.isEditing() ? f->asString() : f->displayText();
        if (f->type() == FieldType::Text && f->size() > 0)
            length = f->size();
    }
    if (maxLength() != length)
        setMaxLength(length);
    // Re-setting the same text would move the cursor to the end under the user's hands.
    if (text() != shown)
        setText(shown);
}

void DBEdit::updateEditability()
{
    const bool editable = m_link.canModify();
    setReadOnly(!editable);
    ControlColors::applyEditable(this, editable);
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_text.isModified()) {
            revert();
            selectAll();
            event->accept();
            return;
        }
        break;   // nothing typed: the window may use Esc
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_text.isModified() && !m_text.tryUpdateField())
            selectAll();
        break;   // the base class passes Enter on to a default button
    default:
        if (!isReadOnly() && FieldTextBinding::changesText(event) && !m_text.beginEdit()) {
            event->accept();   // the record may not be edited now
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!m_text.writeOnLeaving(event->reason())) {
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
    }
}
