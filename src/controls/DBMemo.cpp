#include "DBMemo.h"

#include "ControlColors.h"
#include "Dataset.h"
#include "Field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

bool changesText(const QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        break;
    }
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

DBMemo::DBMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);

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
    connect(&m_link, &FieldDataLink::updateData, this, &DBMemo::updateField);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::onTextChanged);
    follow();
}

void DBMemo::setDataSource(DataSource *source)
{
    m_link.setDataSource(source);
    m_dirty = false;
    showField();
    updateEditability();
}

void DBMemo::setDataField(const QString &name)
{
    const QString previous = m_link.fieldName();
    if (accessibleName().isEmpty() || accessibleName() == previous)
        setAccessibleName(name);
    m_link.setFieldName(name);
    m_dirty = false;
    showField();
    updateEditability();
}

void DBMemo::setDataReadOnly(bool readOnly)
{
    m_link.setReadOnly(readOnly);
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

bool DBMemo::beginEdit()
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

void DBMemo::onTextChanged()
{
    if (m_showing)
        return;
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

void DBMemo::updateField()
{
    if (!m_dirty)
        return;
    Field *f = field();
    if (!f) {
        m_dirty = false;
        return;
    }
    const QString typed = toPlainText();
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

void DBMemo::revert()
{
    m_dirty = false;
    m_link.reset();
    showField();
}

bool DBMemo::tryUpdateField()
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

void DBMemo::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_dirty) {
            revert();
            selectAll();
            event->accept();
        } else {
            event->ignore();   // nothing typed: the window may use Esc
        }
        return;
    }
    if (!isReadOnly() && changesText(event) && !beginEdit()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DBMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
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
