#pragma once

#include <QDialog>

class QLineEdit;

// The login dialog: the product name, "&User Name:" pre-filled with the name of the
// operating-system account that runs the program, "&Password:" shown as stars, OK and Cancel.
// A new dialog is made for every attempt.
class TKELDLoginDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TKELDLoginDlg(QWidget *parent = nullptr);

    QString userName() const;
    QString password() const;
    QLineEdit *UserNameEdit = nullptr;
    QLineEdit *PasswordEdit = nullptr;

    // The account running the program, at most 256 characters; empty when unknown.
    static QString operatingSystemUserName();
};
