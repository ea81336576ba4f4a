#pragma once

#include <QIcon>

// The pictures of the Reports window's tool buttons, drawn so that they need no icon theme.
namespace ReportIcons {

QIcon print();      // a printer with a sheet
QIcon preview();    // a sheet under a magnifier

} // namespace ReportIcons
