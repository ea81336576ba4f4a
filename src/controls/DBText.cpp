#include "DBText.h"

#include "ControlColors.h"
#include "Field.h"

DBText::DBText(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    ControlColors::applyEditable(this, false);
    // The value can be copied, but Tab does not stop at a display.
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_link.setReadOnly(true);
    connect(&m_link, &FieldDataLink::dataChange, this, &DBText::showField);
    connect(&m_link, &FieldDataLink::editingChange, this, &DBText::showField);
    connect(&m_link, &FieldDataLink::activeChange, this, &DBText::showField);
}

void DBText::setDataSource(DataSource *source)
{
    m_link.setDataSource(source);
    showField();
}

void DBText::setDataField(const QString &name)
{
    const QString previous = m_link.fieldName();
    if (accessibleName().isEmpty() || accessibleName() == previous)
        setAccessibleName(name);
    m_link.setFieldName(name);
    showField();
}

void DBText::showField()
{
    const Field *f = field();
    setText(f ? f->displayText() : QString());
}
