#include "ControlColors.h"

#include <QPalette>

namespace ControlColors {

void applyEditable(QWidget *widget, bool editable)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, editable ? kCream : kWhite);
    widget->setPalette(p);
}

void applyIdentifier(QWidget *widget)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, kBlack);
    p.setColor(QPalette::Window, kBlack);
    p.setColor(QPalette::Text, kLime);
    p.setColor(QPalette::WindowText, kLime);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QColor fromBgr(qint64 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

qint64 toBgr(const QColor &color)
{
    return qint64(color.red()) | (qint64(color.green()) << 8) | (qint64(color.blue()) << 16);
}

} // namespace ControlColors
