#include "DBCheck.h"

#include "ControlColors.h"
#include "Field.h"
#include "WriteRefusal.h"

DBCheck::DBCheck(QWidget *parent) : QCheckBox(parent), FieldControl(this)
{
    followField();
}

DBCheck::DBCheck(const QString &text, QWidget *parent) : QCheckBox(text, parent), FieldControl(this)
{
    followField();
}

void DBCheck::followField()
{
    showField();
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
    const auto refusal = WriteRefusal::of([&] {
        if (m_link.isEditing() || m_link.edit())
            f->setValue(!isChecked());
    });
    showField();
    if (refusal)
        emit writeFailed(*refusal);
}
