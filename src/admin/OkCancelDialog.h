#pragma once

#include <functional>

class QDialog;
class QLayout;
class QPushButton;

// The two buttons of the small admin dialogs.
struct OkCancelButtons
{
    QPushButton *ok;
    QPushButton *cancel;
};

// Lays the dialog out: the fields above an "OK" (the default button, running onOk guarded) and a
// "Cancel" button that rejects; the dialog keeps the size its contents need.
OkCancelButtons layOutOkCancel(QDialog *dialog, QLayout *fields, std::function<void()> onOk);
