#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "New User": the name of a user to create. OK is the default button and closes the dialog only
// for a name of 4 to 20 characters; otherwise it says so and stays open. Esc cancels.
class TNewUserForm : public QDialog
{
    Q_OBJECT
public:
    explicit TNewUserForm(QWidget *parent = nullptr);

    QString userName() const;

    QLineEdit *NameEdit;
    QPushButton *OKButton;
    QPushButton *CancelButton;

public slots:
    void accept() override;
};
