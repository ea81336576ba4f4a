#include "TUsersGroupsForm.h"

#include "Catalog.h"
#include "Membership.h"
#include "Prompter.h"
#include "RunGuarded.h"
#include "TNewUserForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

namespace {

QPushButton *button(const QString &objectName, const QString &text, const QString &accessible,
                    QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAccessibleName(accessible);
    // Enter closes the window (the Close button is the default); it never presses these.
    b->setAutoDefault(false);
    return b;
}

QListWidget *groupList(const QString &objectName, const QString &accessible, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setAccessibleName(accessible);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    const QFontMetrics fm = list->fontMetrics();
    list->setFixedSize(fm.horizontalAdvance(QStringLiteral("CallReadUsersXXXXX")) + 24,
                       fm.height() * 9);
    return list;
}

bool hasSelection(const QListWidget *list)
{
    return list->currentItem() && list->currentItem()->isSelected();
}

// Moves the current entry of one list to the end of the other, where it becomes the current one.
void moveCurrent(QListWidget *from, QListWidget *to)
{
    QListWidgetItem *item = from->takeItem(from->currentRow());
    from->setCurrentRow(-1);
    from->clearSelection();
    to->addItem(item);
    to->setCurrentItem(item);
}

} // namespace

TUsersGroupsForm::TUsersGroupsForm(Catalog &catalog, const SessionState &session, QWidget *parent)
    : QDialog(parent), m_catalog(catalog), m_session(session)
{
    setObjectName(QStringLiteral("UsersGroupsForm"));
    setWindowTitle(tr("Maintain Users and Groups"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    // ---- User
    // Captions are made just before their controls, so that assistive technology reads them in
    // order.
    auto *userGroup = new QGroupBox(tr("User "), this);
    auto *nameLabel = new QLabel(tr("&Name"), userGroup);
    UserNameComboBox = new QComboBox(userGroup);
    UserNameComboBox->setObjectName(QStringLiteral("UserNameComboBox"));
    UserNameComboBox->setEditable(false);
    UserNameComboBox->setAccessibleName(tr("Name"));
    UserNameComboBox->setMinimumContentsLength(20);
    UserNameComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    nameLabel->setBuddy(UserNameComboBox);
    NewButton = button(QStringLiteral("NewButton"), tr("Ne&w..."), tr("New..."), userGroup);
    DeleteButton = button(QStringLiteral("DeleteButton"), tr("D&elete"), tr("Delete"), userGroup);
    auto *userRow = new QHBoxLayout(userGroup);
    userRow->addWidget(nameLabel);
    userRow->addWidget(UserNameComboBox, 1);
    userRow->addSpacing(8);
    userRow->addWidget(NewButton);
    userRow->addWidget(DeleteButton);

    // ---- Group Membership
    auto *membershipGroup = new QGroupBox(tr("Group Membership"), this);
    auto *availableLabel = new QLabel(tr("A&vailable Groups"), membershipGroup);
    AvailableGroupsListBox = groupList(QStringLiteral("AvailableGroupsListBox"),
                                       tr("Available Groups"), membershipGroup);
    availableLabel->setBuddy(AvailableGroupsListBox);
    AddButton = button(QStringLiteral("AddButton"), tr("A&dd >>"), tr("Add >>"), membershipGroup);
    RemoveButton = button(QStringLiteral("RemoveButton"), tr("<< &Remove"), tr("<< Remove"),
                          membershipGroup);
    auto *memberOfLabel = new QLabel(tr("&Member Of"), membershipGroup);
    MemberOfListBox = groupList(QStringLiteral("MemberOfListBox"), tr("Member Of"), membershipGroup);
    memberOfLabel->setBuddy(MemberOfListBox);
    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(AddButton);
    middle->addWidget(RemoveButton);
    middle->addStretch(1);
    auto *grid = new QGridLayout(membershipGroup);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(memberOfLabel, 0, 2);
    grid->addWidget(AvailableGroupsListBox, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(MemberOfListBox, 1, 2);

    CloseButton = new QPushButton(tr("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setAccessibleName(tr("Close"));
    CloseButton->setDefault(true);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(CloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(userGroup);
    layout->addWidget(membershipGroup);
    layout->addLayout(closeRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Keyboard order: the name and its buttons, then the groups from left to right.
    setTabOrder(UserNameComboBox, NewButton);
    setTabOrder(NewButton, DeleteButton);
    setTabOrder(DeleteButton, AvailableGroupsListBox);
    setTabOrder(AvailableGroupsListBox, AddButton);
    setTabOrder(AddButton, RemoveButton);
    setTabOrder(RemoveButton, MemberOfListBox);
    setTabOrder(MemberOfListBox, CloseButton);

    connect(UserNameComboBox, &QComboBox::currentIndexChanged, this,
            [this] { runGuarded([this] { UserNameComboBoxChange(); }); });
    connect(AddButton, &QPushButton::clicked, this, [this] { runGuarded([this] { AddButtonClick(); }); });
    connect(RemoveButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { RemoveButtonClick(); }); });
    connect(NewButton, &QPushButton::clicked, this, [this] { runGuarded([this] { NewButtonClick(); }); });
    connect(DeleteButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { DeleteButtonClick(); }); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);

    UserNameComboBox->setFocus();
}

void TUsersGroupsForm::FormShow()
{
    FillUserList();
    selectUser(m_session.UserName);
    FillGroupLists();
}

void TUsersGroupsForm::FillUserList()
{
    const QStringList users = Membership::listedUsers(m_catalog);
    const QSignalBlocker quiet(UserNameComboBox);
    UserNameComboBox->clear();
    UserNameComboBox->addItems(users);
}

void TUsersGroupsForm::selectUser(const QString &name)
{
    const int found = UserNameComboBox->findText(name, Qt::MatchFixedString);   // no case
    const QSignalBlocker quiet(UserNameComboBox);
    UserNameComboBox->setCurrentIndex(found >= 0 ? found : (UserNameComboBox->count() > 0 ? 0 : -1));
}

QString TUsersGroupsForm::chosenUser() const
{
    return UserNameComboBox->currentIndex() >= 0 ? UserNameComboBox->currentText() : QString();
}

void TUsersGroupsForm::FillGroupLists()
{
    AvailableGroupsListBox->clear();
    MemberOfListBox->clear();
    QStringList available = Membership::programGroups(m_catalog);
    const QString user = chosenUser();
    const QStringList memberOf = user.isEmpty() ? QStringList()
                                                : Membership::programGroupsOf(m_catalog, user);
    available.removeIf([&](const QString &g) { return memberOf.contains(g, Qt::CaseInsensitive); });
    AvailableGroupsListBox->addItems(available);
    MemberOfListBox->addItems(memberOf);
}

bool TUsersGroupsForm::UserInGroup(const QString &group)
{
    const QString user = chosenUser();
    return !user.isEmpty() && Membership::inGroup(m_catalog, user, group);
}

void TUsersGroupsForm::UserNameComboBoxChange() { FillGroupLists(); }

void TUsersGroupsForm::AddButtonClick()
{
    const QString user = chosenUser();
    if (user.isEmpty() || !hasSelection(AvailableGroupsListBox))
        return;
    Membership::joinGroup(m_catalog, user, AvailableGroupsListBox->currentItem()->text());
    moveCurrent(AvailableGroupsListBox, MemberOfListBox);
}

void TUsersGroupsForm::RemoveButtonClick()
{
    const QString user = chosenUser();
    if (user.isEmpty() || !hasSelection(MemberOfListBox))
        return;
    Membership::leaveGroup(m_catalog, user, MemberOfListBox->currentItem()->text());
    moveCurrent(MemberOfListBox, AvailableGroupsListBox);
}

void TUsersGroupsForm::NewButtonClick()
{
    QString entered;
    {
        TNewUserForm dialog(this);
        if (dialog.exec() == QDialog::Accepted) {
            entered = dialog.userName();
            m_catalog.addUser(entered, QString());   // a new user starts without a password
            FillUserList();
        }
    }
    selectUser(entered);
    FillGroupLists();
}

void TUsersGroupsForm::DeleteButtonClick()
{
    const QString user = chosenUser();
    if (user.isEmpty())
        return;
    if (Prompter::instance().confirm(QStringLiteral("Delete user ") + user +
                                     QStringLiteral(" are you sure?")))
        m_catalog.deleteUser(user);
    FillUserList();
    selectUser(m_session.UserName);
    FillGroupLists();
}

void UsersGroupsActionExecute(QWidget *parent, Catalog &catalog, const SessionState &session)
{
    TUsersGroupsForm form(catalog, session, parent);
    form.FormShow();
    form.exec();
}
