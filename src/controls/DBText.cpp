#include "DBText.h"

#include "ControlColors.h"
#include "Field.h"

DBText::DBText(QWidget *parent) : QLabel(parent), FieldControl(this)
{
    setTextFormat(Qt::PlainText);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    ControlColors::applyEditable(this, false);
    // The value can be copied, but Tab does not stop at a display.
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_link.setReadOnly(true);
}

void DBText::showField()
{
    const Field *f = field();
    setText(f ? f->displayText() : QString());
}
