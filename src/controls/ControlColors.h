#pragma once

#include <QColor>
#include <QWidget>

// The colours with meaning: editable fields and grids are cream, display-only fields white,
// identifier displays lime on black.
namespace ControlColors {

inline const QColor kCream = QColor(0xFF, 0xFF, 0xF0);   // 0x00F0FFFF as BGR
inline const QColor kWhite = QColor(Qt::white);
inline const QColor kLime = QColor(0x00, 0xFF, 0x00);
inline const QColor kBlack = QColor(Qt::black);

// Colours a control by whether the user may change it.
void applyEditable(QWidget *widget, bool editable);
// Lime text on black, for identifier displays.
void applyIdentifier(QWidget *widget);

// A colour stored as 0x00BBGGRR.
QColor fromBgr(qint64 bgr);
qint64 toBgr(const QColor &color);

} // namespace ControlColors
