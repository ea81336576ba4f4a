#include "DBEdit.h"

#include "ControlColors.h"
#include "Dataset.h"
#include "Field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

constexpr int kUnboundedLength = 32767;   // QLineEdit's own default

// Keys that change the text, so that the record must be put into Edit state first.
bool changesText(const QKeyEvent *e)
{
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete)
        return true;
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)
        || e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)
        || e->matches(QKeySequence::DeleteStartOfWord) || e->matches(QKeySequence::DeleteEndOfWord)
        || e->matches(QKeySequence::DeleteEndOfLine)
        || e->matches(QKeySequence::DeleteCompleteLine))
        return true;
    const QString text = e->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent)
{
    auto follow = [this] {
        if (!m_entering) {
            m_dirty = false;
            showField();
        }
        updateEditability();
    };
    connect(&m_link, &FieldDataLink::dataChange, this, follow);
    connect(&m_link, &FieldDataLink::editingChange, this, follow);
    connect(&m_link, &FieldDataLink::activeChange, this, follow);
    // Before a post: a refused text throws on to whoever posts.
    connect(&m_link, &FieldDataLink::updateData, this, &DBEdit::updateField);
    connect(this, &QLineEdit::textEdited, this, &DBEdit::onTextEdited);
    follow();
}

void DBEdit::setDataSource(DataSource *source)
{
    m_link.setDataSource(source);
    m_dirty = false;
    showField();
    updateEditability();
}

void DBEdit::setDataField(const QString &name)
{
    const QString previous = m_link.fieldName();
    if (accessibleName().isEmpty() || accessibleName() == previous)
        setAccessibleName(name);
    m_link.setFieldName(name);
    m_dirty = false;
    showField();
    updateEditability();
}

void DBEdit::setDataReadOnly(bool readOnly)
{
    m_link.setReadOnly(readOnly);
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

bool DBEdit::beginEdit()
{
    if (m_link.isEditing())
        return true;
    try {
        return m_link.edit();
    } catch (const DbError &e) {
        emit writeFailed(e.message());
    } catch (const std::exception &e) {
        emit writeFailed(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void DBEdit::onTextEdited()
{
    // Text that came in without a key press (pasted with the mouse, dropped).
    if (!m_link.isEditing()) {
        QScopedValueRollback<bool> entering(m_entering, true);
        if (!beginEdit()) {
            showField();
            return;
        }
    }
    m_dirty = true;
    m_link.modified();
}

void DBEdit::updateField()
{
    if (!m_dirty)
        return;
    Field *f = field();
    if (!f) {
        m_dirty = false;
        return;
    }
    const QString typed = text();
    try {
        f->setValue(typed.isEmpty() ? QVariant() : QVariant(typed));
    } catch (...) {
        revert();
        throw;
    }
    m_dirty = false;
    m_link.reset();
    showField();
}

void DBEdit::revert()
{
    m_dirty = false;
    m_link.reset();
    showField();
}

bool DBEdit::tryUpdateField()
{
    try {
        updateField();
        return true;
    } catch (const DbError &e) {
        emit writeFailed(e.message());
    } catch (const std::exception &e) {
        emit writeFailed(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_dirty) {
            revert();
            selectAll();
            event->accept();
            return;
        }
        break;   // nothing typed: the window may use Esc
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_dirty && !tryUpdateField())
            selectAll();
        break;   // the base class passes Enter on to a default button
    default:
        if (!isReadOnly() && changesText(event) && !beginEdit()) {
            event->accept();   // the record may not be edited now
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void DBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Another window or a context menu taking the focus is no leaving of the control.
    if (!m_dirty || event->reason() == Qt::ActiveWindowFocusReason
        || event->reason() == Qt::PopupFocusReason)
        return;
    if (!tryUpdateField()) {
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
    }
}
