#include "TDateTimePromptForm.h"

#include "Clock.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

// The locale's short date, always with a four-digit year so that no century is guessed.
QString shortDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// Pickers that Tab leaves at once, like the dialog's other fields; Left and Right still move
// between the day, month and year (hours, minutes, seconds).
template <typename Edit>
class LeftOnTab final : public Edit
{
public:
    using Edit::Edit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QDateEdit *datePicker(const char *name, const QString &accessibleName, QWidget *parent)
{
    auto *picker = new LeftOnTab<QDateEdit>(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setAccessibleName(accessibleName);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(shortDateFormat());
    picker->setMinimumWidth(140);
    return picker;
}

QTimeEdit *timePicker(const char *name, const QString &accessibleName, QWidget *parent)
{
    auto *picker = new LeftOnTab<QTimeEdit>(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setAccessibleName(accessibleName);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    picker->setMinimumWidth(100);
    return picker;
}

} // namespace

TDateTimePromptForm::TDateTimePromptForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("DateTimePromptForm"));
    setWindowTitle(tr("Set date/time range for report"));
    setModal(true);

    FromLabel = boldLabel(tr("From"), this);
    FromLabel->setObjectName(QStringLiteral("FromLabel"));
    FromDatePicker = datePicker("FromDatePicker", tr("From date"), this);
    FromTimePicker = timePicker("FromTimePicker", tr("From time"), this);
    ToLabel = boldLabel(tr("To"), this);
    ToLabel->setObjectName(QStringLiteral("ToLabel"));
    ToDatePicker = datePicker("ToDatePicker", tr("To date"), this);
    ToTimePicker = timePicker("ToTimePicker", tr("To time"), this);
    FromLabel->setBuddy(FromDatePicker);
    ToLabel->setBuddy(ToDatePicker);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    Buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("OK"));
    Buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *grid = new QGridLayout;
    grid->addWidget(FromLabel, 0, 0);
    grid->addWidget(FromDatePicker, 0, 1);
    grid->addWidget(FromTimePicker, 0, 2);
    grid->addWidget(ToLabel, 1, 0);
    grid->addWidget(ToDatePicker, 1, 1);
    grid->addWidget(ToTimePicker, 1, 2);
    grid->setHorizontalSpacing(10);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(Buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(FromDatePicker, FromTimePicker);
    setTabOrder(FromTimePicker, ToDatePicker);
    setTabOrder(ToDatePicker, ToTimePicker);
    setTabOrder(ToTimePicker, Buttons->button(QDialogButtonBox::Ok));
    setTabOrder(Buttons->button(QDialogButtonBox::Ok), Buttons->button(QDialogButtonBox::Cancel));

    // Every picker starts at now; the times are then set to the ends of the day's range.
    const QDateTime now = Clock::now();
    for (QDateTimeEdit *picker : {static_cast<QDateTimeEdit *>(FromDatePicker),
                                  static_cast<QDateTimeEdit *>(FromTimePicker),
                                  static_cast<QDateTimeEdit *>(ToDatePicker),
                                  static_cast<QDateTimeEdit *>(ToTimePicker)})
        picker->setDateTime(now);
    const auto [from, to] = defaultRange(now);
    FromTimePicker->setTime(from.time());
    ToTimePicker->setTime(to.time());
    FromDatePicker->setFocus();
}

QDateTime TDateTimePromptForm::from() const
{
    return QDateTime(FromDatePicker->date(), FromTimePicker->time());
}

QDateTime TDateTimePromptForm::to() const
{
    return QDateTime(ToDatePicker->date(), ToTimePicker->time());
}

std::pair<QDateTime, QDateTime> TDateTimePromptForm::defaultRange(const QDateTime &now)
{
    return {QDateTime(now.date(), QTime(0, 1, 0)), QDateTime(now.date(), QTime(23, 59, 0))};
}
