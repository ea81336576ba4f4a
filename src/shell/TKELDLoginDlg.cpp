#include "TKELDLoginDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <pwd.h>
#include <unistd.h>

TKELDLoginDlg::TKELDLoginDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Login"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *product = new QLabel(QStringLiteral("Vellomar"));
    QFont f = product->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    product->setFont(f);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);

    auto *form = new QFormLayout;
    UserNameEdit = new QLineEdit(operatingSystemUserName());
    UserNameEdit->setObjectName(QStringLiteral("UserNameEdit"));
    UserNameEdit->setAccessibleName(QStringLiteral("User Name"));
    PasswordEdit = new QLineEdit;
    PasswordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    PasswordEdit->setEchoMode(QLineEdit::Password);
    PasswordEdit->setAccessibleName(QStringLiteral("Password"));
    auto *userLabel = new QLabel(QStringLiteral("&User Name:"));
    userLabel->setBuddy(UserNameEdit);
    auto *passwordLabel = new QLabel(QStringLiteral("&Password:"));
    passwordLabel->setBuddy(PasswordEdit);
    form->addRow(userLabel, UserNameEdit);
    form->addRow(passwordLabel, PasswordEdit);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    setMinimumWidth(320);
    // The name is usually right: start in the password.
    if (UserNameEdit->text().isEmpty())
        UserNameEdit->setFocus();
    else
        PasswordEdit->setFocus();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
}

QString TKELDLoginDlg::userName() const { return UserNameEdit->text(); }

QString TKELDLoginDlg::password() const { return PasswordEdit->text(); }

QString TKELDLoginDlg::operatingSystemUserName()
{
    QString name;
    if (const passwd *pw = getpwuid(geteuid()))
        name = QString::fromLocal8Bit(pw->pw_name);
    if (name.isEmpty())
        name = qEnvironmentVariable("USER");
    return name.left(256);
}
