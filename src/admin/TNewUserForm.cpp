#include "TNewUserForm.h"

#include "Membership.h"
#include "Prompter.h"
#include "RunGuarded.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TNewUserForm::TNewUserForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NewUserForm"));
    setWindowTitle(tr("New User"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    auto *nameLabel = new QLabel(tr("&Name"), this);
    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setAccessibleName(tr("Name"));
    NameEdit->setMinimumWidth(NameEdit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);
    nameLabel->setBuddy(NameEdit);
    auto *form = new QFormLayout;
    form->addRow(nameLabel, NameEdit);

    auto *buttons = new QDialogButtonBox(this);
    OKButton = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setAccessibleName(tr("OK"));
    OKButton->setDefault(true);
    CancelButton = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAccessibleName(tr("Cancel"));
    connect(OKButton, &QPushButton::clicked, this, [this] { runGuarded([this] { accept(); }); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    NameEdit->setFocus();
}

QString TNewUserForm::userName() const { return NameEdit->text(); }

void TNewUserForm::accept()
{
    if (!Membership::isAcceptableNewUserName(userName())) {
        Prompter::instance().message(QString::fromLatin1(Membership::kUserNameLengthText));
        NameEdit->setFocus();
        return;
    }
    QDialog::accept();
}
