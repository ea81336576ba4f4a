#pragma once

#include <QDateTime>
#include <QDialog>

class QDateEdit;
class QDialogButtonBox;
class QLabel;
class QTimeEdit;

// "Set date/time range for report": a From and a To, each a date and a time of day, for the
// range reports. It opens on today from 00:01:00 to 23:59:00 and makes no check that From comes
// before To.
class TDateTimePromptForm : public QDialog
{
    Q_OBJECT
public:
    explicit TDateTimePromptForm(QWidget *parent = nullptr);

    QLabel *FromLabel;
    QDateEdit *FromDatePicker;
    QTimeEdit *FromTimePicker;
    QLabel *ToLabel;
    QDateEdit *ToDatePicker;
    QTimeEdit *ToTimePicker;
    QDialogButtonBox *Buttons;

    // The date of the date picker with the time of day of the time picker.
    QDateTime from() const;
    QDateTime to() const;

    // The range the dialog opens on for the day of now: 00:01:00 to 23:59:00.
    static std::pair<QDateTime, QDateTime> defaultRange(const QDateTime &now);
};
