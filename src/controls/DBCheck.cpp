#include "DBCheck.h"

#include "ControlColors.h"
#include "Field.h"

DBCheck::DBCheck(QWidget *parent) : QCheckBox(parent)
{
    init();
}

DBCheck::DBCheck(const QString &text, QWidget *parent) : QCheckBox(text, parent)
{
    init();
}

void DBCheck::init()
{
    auto follow = [this] {
        showField();
        updateEditability();
    };
    connect(&m_link, &FieldDataLink::dataChange, this, follow);
    connect(&m_link, &FieldDataLink::editingChange, this, follow);
    connect(&m_link, &FieldDataLink::activeChange, this, follow);
    follow();
}

void DBCheck::setDataSource(DataSource *source)
{
    m_link.setDataSource(source);
    showField();
    updateEditability();
}

void DBCheck::setDataField(const QString &name)
{
    const QString previous = m_link.fieldName();
    if (text().isEmpty() && (accessibleName().isEmpty() || accessibleName() == previous))
        setAccessibleName(name);
    m_link.setFieldName(name);
    showField();
    updateEditability();
}

void DBCheck::setDataReadOnly(bool readOnly)
{
    m_link.setReadOnly(readOnly);
    updateEditability();
}

void DBCheck::showField()
{
    const Field *f = field();
    const bool ticked = f && !f->isNull() && f->asBoolean();
    if (isChecked() != ticked)
        setChecked(ticked);
}

void DBCheck::updateEditability()
{
    ControlColors::applyEditable(this, m_link.canModify());
}

void DBCheck::nextCheckState()
{
    Field *f = field();
    if (!f || !m_link.canModify())
        return;   // the box stays as the field is
    try {
        if (!m_link.isEditing() && !m_link.edit())
            return;
        f->setValue(!isChecked());
    } catch (const DbError &e) {
        showField();
        emit writeFailed(e.message());
        return;
    }
    showField();
}
