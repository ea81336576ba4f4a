#pragma once

#include "SessionState.h"

#include <QDialog>

class Catalog;
class QComboBox;
class QListWidget;
class QPushButton;

// "Maintain Users and Groups": creates and deletes users of the workgroup and gives them
// memberships of the program's groups. A fixed, modal dialog; what it changes goes to the
// catalog at once. The lists show the catalog as it was when last filled: after an engine error
// they are left as they were until the next fill (choosing another name, or reopening).
class TUsersGroupsForm : public QDialog
{
    Q_OBJECT
public:
    TUsersGroupsForm(Catalog &catalog, const SessionState &session, QWidget *parent = nullptr);

    // Group "User "
    QComboBox *UserNameComboBox;     // choose only
    QPushButton *NewButton;
    QPushButton *DeleteButton;
    // Group "Group Membership"
    QListWidget *AvailableGroupsListBox;
    QListWidget *MemberOfListBox;
    QPushButton *AddButton;
    QPushButton *RemoveButton;

    QPushButton *CloseButton;

    // Fills the lists with the logged-in user chosen (or the first listed user). Run before the
    // window is shown; engine errors pass to the caller.
    void FormShow();

    // The users of the catalog but the built-in accounts, in catalog order.
    void FillUserList();
    // The program groups: the chosen user's in Member Of, the others in Available Groups.
    void FillGroupLists();
    // Is the chosen user a member of the group (letter case not counting)?
    bool UserInGroup(const QString &group);
    // The user chosen in the name list; empty when the list is empty.
    QString chosenUser() const;
    // Chooses the entry equal to the name (letter case not counting), else the first entry.
    // Does not fill the group lists.
    void selectUser(const QString &name);

    // The buttons; each needs its selection and does nothing without it.
    void AddButtonClick();
    void RemoveButtonClick();
    void NewButtonClick();       // runs the New User dialog
    void DeleteButtonClick();    // asks first

private:
    void UserNameComboBoxChange();

    Catalog &m_catalog;
    const SessionState &m_session;
};

// The "User Group Membership" command: the window, modal over parent.
void UsersGroupsActionExecute(QWidget *parent, Catalog &catalog, const SessionState &session);
