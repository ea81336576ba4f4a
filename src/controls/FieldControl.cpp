#include "FieldControl.h"

#include <QWidget>

FieldControl::FieldControl(QWidget *control) : m_control(control)
{
    // The control is not fully built yet: the first followField() is the control's own to make.
    auto follow = [this] { followField(); };
    QObject::connect(&m_link, &FieldDataLink::dataChange, control, follow);
    QObject::connect(&m_link, &FieldDataLink::editingChange, control, follow);
    QObject::connect(&m_link, &FieldDataLink::activeChange, control, follow);
}

void FieldControl::setDataSource(DataSource *source)
{
    m_link.setDataSource(source);
    followField();
}

void FieldControl::setDataField(const QString &name)
{
    const QString previous = m_link.fieldName();
    const QString current = m_control->accessibleName();
    if (!hasCaption() && (current.isEmpty() || current == previous))
        m_control->setAccessibleName(name);
    m_link.setFieldName(name);
    followField();
}

void FieldControl::setDataReadOnly(bool readOnly)
{
    m_link.setReadOnly(readOnly);
    updateEditability();
}
