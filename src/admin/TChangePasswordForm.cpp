#include "OkCancelDialog.h"
#include "TChangePasswordForm.h"

#include "Catalog.h"
#include "DbError.h"
#include "Prompter.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit *passwordEdit(const QString &objectName, const QString &accessible, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setAccessibleName(accessible);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(TChangePasswordForm::kMaxLength);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('*')) *
                              TChangePasswordForm::kMaxLength + 16);
    return edit;
}

QString errorText(const std::exception &e)
{
    if (const auto *db = dynamic_cast<const DbError *>(&e))
        return db->message();
    return QString::fromLocal8Bit(e.what());
}

} // namespace

TChangePasswordForm::TChangePasswordForm(Catalog &catalog, SessionState &session, QWidget *parent)
    : QDialog(parent), m_catalog(catalog), m_session(session)
{
    setObjectName(QStringLiteral("ChangePasswordForm"));
    setWindowTitle(tr("Change Password"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    // Each caption is made just before its field, so that assistive technology reads them in
    // order.
    auto *form = new QFormLayout;
    auto *userNameCaption = new QLabel(tr("User Name"), this);
    UserNameLabel = new QLabel(session.UserName, this);
    UserNameLabel->setObjectName(QStringLiteral("UserNameLabel"));
    UserNameLabel->setAccessibleDescription(tr("User Name"));
    form->addRow(userNameCaption, UserNameLabel);
    const auto row = [&](const QString &objectName, const QString &caption, const QString &name) {
        auto *label = new QLabel(caption, this);
        QLineEdit *edit = passwordEdit(objectName, name, this);
        label->setBuddy(edit);
        form->addRow(label, edit);
        return edit;
    };
    OldPasswordEdit = row(QStringLiteral("OldPasswordEdit"), tr("&Old Password"), tr("Old Password"));
    NewPasswordEdit = row(QStringLiteral("NewPasswordEdit"), tr("&New Password"), tr("New Password"));
    VerifyEdit = row(QStringLiteral("VerifyEdit"), tr("&Verify"), tr("Verify"));

    const OkCancelButtons buttons = layOutOkCancel(this, form, [this] { OKButtonClick(); });
    OKButton = buttons.ok;
    CancelButton = buttons.cancel;

    OldPasswordEdit->setFocus();
}

void TChangePasswordForm::OKButtonClick()
{
    Prompter &prompter = Prompter::instance();
    const QString oldPassword = OldPasswordEdit->text();
    const QString newPassword = NewPasswordEdit->text();
    if (oldPassword != m_session.Password) {
        prompter.message(QStringLiteral("Old Password Incorrect"));
        OldPasswordEdit->setFocus();
        return;
    }
    if (newPassword.size() < kMinLength) {
        prompter.message(QStringLiteral("Password must be at least 5 characters"));
        NewPasswordEdit->setFocus();
        return;
    }
    if (newPassword != VerifyEdit->text()) {
        prompter.message(QStringLiteral("New Password and Verify do not agree, please retype"));
        NewPasswordEdit->clear();
        VerifyEdit->clear();
        NewPasswordEdit->setFocus();
        return;
    }
    try {
        m_catalog.changePassword(m_session.UserName, oldPassword, newPassword);
    } catch (const DbError &e) {
        OldPasswordEdit->clear();
        NewPasswordEdit->clear();
        VerifyEdit->clear();
        reject();
        prompter.message(e.message());
        return;
    }
    m_session.Password = newPassword;
    accept();
}

bool ChangePasswordActionExecute(QWidget *parent, SessionState &session,
                                 const std::function<Catalog &()> &bindCatalog)
{
    bool changed = false;
    try {
        TChangePasswordForm form(bindCatalog(), session, parent);
        changed = form.exec() == QDialog::Accepted;
    } catch (const std::exception &e) {
        Prompter::instance().message(QStringLiteral("Change password failed because\r\n") +
                                     errorText(e));
        return false;
    }
    if (changed)
        Prompter::instance().message(QStringLiteral("Password Changed"));
    return changed;
}
