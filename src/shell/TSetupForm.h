#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QSpinBox;

// The Options window: the default due-date duration as days, hours and minutes, and the two
// call options. A fixed dialog; OK is the default button and Esc cancels.
class TSetupForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSetupForm(QWidget *parent = nullptr);

    // "Default Due Date Duration": 0-1000 days, 0-23 hours, 0-59 minutes; the arrows stop at
    // the limits rather than wrap.
    QSpinBox *DaysUpDown;
    QSpinBox *HoursUpDown;
    QSpinBox *MinsUpDown;
    // "Options"
    QCheckBox *AutoAddFirstActionCheckBox;
    QCheckBox *AllowCompleteIfActionsOpenCheckBox;

    QPushButton *OKButton;
    QPushButton *CancelButton;
};
