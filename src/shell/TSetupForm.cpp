#include "TSetupForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox *upDown(const QString &objectName, const QString &label, int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(0, maximum);
    box->setWrapping(false);
    box->setAccelerated(true);
    box->setAlignment(Qt::AlignRight);
    box->setAccessibleName(label);
    return box;
}

// Check boxes of this window carry their text on the left of the box.
QCheckBox *leftTextCheckBox(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setLayoutDirection(Qt::RightToLeft);
    box->setAccessibleName(text);
    return box;
}

} // namespace

TSetupForm::TSetupForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(tr("Options"));
    // a fixed dialog: a title and a close button, nothing to resize, minimise or maximise
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    auto *durationGroup = new QGroupBox(tr("Default Due Date Duration"), this);
    DaysUpDown = upDown(QStringLiteral("DaysUpDown"), tr("Days"), 1000, durationGroup);
    HoursUpDown = upDown(QStringLiteral("HoursUpDown"), tr("Hours"), 23, durationGroup);
    MinsUpDown = upDown(QStringLiteral("MinsUpDown"), tr("Mins"), 59, durationGroup);
    auto *durationRow = new QHBoxLayout(durationGroup);
    for (auto [box, text] : {std::pair{DaysUpDown, tr("Days")}, std::pair{HoursUpDown, tr("Hours")},
                             std::pair{MinsUpDown, tr("Mins")}}) {
        auto *label = new QLabel(text, durationGroup);
        label->setBuddy(box);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 24);
        durationRow->addWidget(label);
        durationRow->addWidget(box);
        durationRow->addSpacing(12);
    }
    durationRow->addStretch(1);

    auto *optionsGroup = new QGroupBox(tr("Options"), this);
    AutoAddFirstActionCheckBox =
        leftTextCheckBox(QStringLiteral("AutoAddFirstActionCheckBox"),
                         tr("Automatically add the first action for a Call"), optionsGroup);
    AllowCompleteIfActionsOpenCheckBox =
        leftTextCheckBox(QStringLiteral("AllowCompleteIfActionsOpenCheckBox"),
                         tr("Allow Call to complete when actions are still open"), optionsGroup);
    auto *optionsColumn = new QVBoxLayout(optionsGroup);
    optionsColumn->addWidget(AutoAddFirstActionCheckBox);
    optionsColumn->addWidget(AllowCompleteIfActionsOpenCheckBox);

    auto *buttons = new QDialogButtonBox(this);
    OKButton = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(durationGroup);
    layout->addWidget(optionsGroup);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    DaysUpDown->setFocus();
}
