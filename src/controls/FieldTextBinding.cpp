#include "FieldTextBinding.h"

#include "DataSource.h"
#include "Field.h"
#include "WriteRefusal.h"

#include <QKeyEvent>
#include <QScopedValueRollback>

FieldTextBinding::FieldTextBinding(FieldDataLink &link, Control control)
    : m_link(link), m_control(std::move(control))
{
}

bool FieldTextBinding::changesText(const QKeyEvent *e)
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

void FieldTextBinding::followField()
{
    if (m_entering)
        return;
    m_dirty = false;
    m_control.showField();
}

bool FieldTextBinding::beginEdit()
{
    if (m_link.isEditing())
        return true;
    bool editing = false;
    if (const auto refusal = WriteRefusal::of([&] { editing = m_link.edit(); })) {
        m_control.reportRefusal(*refusal);
        return false;
    }
    return editing;
}

void FieldTextBinding::textChanged()
{
    // Text that came in without a key press (pasted with the mouse, dropped).
    if (!m_link.isEditing()) {
        QScopedValueRollback<bool> entering(m_entering, true);
        if (!beginEdit()) {
            m_control.showField();
            return;
        }
    }
    m_dirty = true;
    m_link.modified();
}

void FieldTextBinding::updateField()
{
    if (!m_dirty)
        return;
    Field *f = m_link.field();
    if (!f) {
        m_dirty = false;
        return;
    }
    const QString typed = m_control.text();
    try {
        f->setValue(typed.isEmpty() ? QVariant() : QVariant(typed));
    } catch (...) {
        revert();
        throw;
    }
    revert();   // nothing is pending now: show the value as the field took it
}

bool FieldTextBinding::tryUpdateField()
{
    if (const auto refusal = WriteRefusal::of([this] { updateField(); })) {
        m_control.reportRefusal(*refusal);
        return false;
    }
    return true;
}

bool FieldTextBinding::writeOnLeaving(Qt::FocusReason reason)
{
    if (!m_dirty || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return true;
    return tryUpdateField();
}

void FieldTextBinding::revert()
{
    m_dirty = false;
    m_link.reset();
    m_control.showField();
}
