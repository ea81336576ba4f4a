#pragma once

#include "SessionState.h"

#include <QDialog>
#include <functional>

class Catalog;
class QLabel;
class QLineEdit;
class QPushButton;

// "Change Password": the logged-in user's own password. OK checks, in this order and stopping at
// the first failure with the window left open: the old password is the one the user logged in
// with (to the letter), the new one has at least 5 characters, Verify repeats it (else both are
// emptied). Then the catalog changes it: on success the session keeps the new password (later
// reconnects use it) and the window closes with OK; an engine error empties the three edits,
// closes the window with Cancel and shows the engine's text.
class TChangePasswordForm : public QDialog
{
    Q_OBJECT
public:
    TChangePasswordForm(Catalog &catalog, SessionState &session, QWidget *parent = nullptr);

    QLabel *UserNameLabel;       // the logged-in user's name
    QLineEdit *OldPasswordEdit;  // each shown as stars, at most 25 characters
    QLineEdit *NewPasswordEdit;
    QLineEdit *VerifyEdit;
    QPushButton *OKButton;
    QPushButton *CancelButton;

    void OKButtonClick();

    static constexpr int kMaxLength = 25;
    static constexpr int kMinLength = 5;

private:
    Catalog &m_catalog;
    SessionState &m_session;
};

// The "Change Password" command: the window, modal over parent, on the catalog that bindCatalog
// returns; "Password Changed" when it closed with OK. An error while making or showing the
// window is shown as "Change password failed because" and its text. True when changed.
bool ChangePasswordActionExecute(QWidget *parent, SessionState &session,
                                 const std::function<Catalog &()> &bindCatalog);
