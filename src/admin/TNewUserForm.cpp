#include "OkCancelDialog.h"
#include "TNewUserForm.h"

#include "Membership.h"
#include "Prompter.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

    const OkCancelButtons buttons = layOutOkCancel(this, form, [this] { accept(); });
    OKButton = buttons.ok;
    CancelButton = buttons.cancel;

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
