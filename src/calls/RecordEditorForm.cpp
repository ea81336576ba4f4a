#include "RecordEditorForm.h"

#include "ControlColors.h"
#include "DBEdit.h"
#include "DBMemo.h"
#include "DBNavigator.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "EditorParts.h"
#include "FieldControl.h"
#include "Prompter.h"
#include "RecordPosition.h"
#include "RunGuarded.h"
#include "TDBDateTimePanel.h"
#include "UserFieldLabels.h"
#include "Clock.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The statement of an editor's user-field captions: the values of one category by Sequence.
QString labelQuerySql(const QString &category)
{
    return QStringLiteral(
               "SELECT tblValuesList.Description, tblValueCategory.ValueCategory, "
               "tblValueCategory.ValueCategoryID, tblValuesList.Sequence\n"
               "FROM tblValueCategory INNER JOIN tblValuesList ON "
               "tblValueCategory.ValueCategoryID = tblValuesList.ValueCategoryID\n"
               "WHERE (((tblValueCategory.ValueCategory)=\"%1\"))\n"
               "ORDER BY tblValuesList.Sequence;")
        .arg(category);
}

enum class Move { None, First, Prior, Next, Last };

// Ctrl+< and Ctrl+> (the comma and full-stop keys) step back and on; with Shift they go to the
// first and the last record. With Shift held, some layouts report "<" and ">" themselves.
Move recordMove(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool shift = mods == (Qt::ControlModifier | Qt::ShiftModifier);
    if (mods != Qt::ControlModifier && !shift)
        return Move::None;
    switch (key->key()) {
    case Qt::Key_Comma: return shift ? Move::First : Move::Prior;
    case Qt::Key_Less: return Move::First;
    case Qt::Key_Period: return shift ? Move::Last : Move::Next;
    case Qt::Key_Greater: return Move::Last;
    default: return Move::None;
    }
}

// Esc belongs to a text control while it holds typed text (it drops the text), and to an open
// drop-down list (it closes the list).
bool escapeBelongsTo(QObject *watched)
{
    if (auto *edit = qobject_cast<DBEdit *>(watched))
        return edit->isTextModified();
    if (auto *memo = qobject_cast<DBMemo *>(watched))
        return memo->isTextModified();
    if (auto *combo = qobject_cast<QComboBox *>(watched))
        return combo->view() && combo->view()->isVisible();
    return false;
}

} // namespace

RecordEditorForm::RecordEditorForm(const CallsContext &ctx, const Place &place, QWidget *parent)
    : QWidget(parent), m_ctx(ctx), m_place(place), m_source(place.source)
{
    setObjectName(QLatin1String(place.objectName));
    setWindowTitle(place.caption);
    setAccessibleName(place.caption);

    m_labelQuery = new Dataset(ctx.dm.CallsByOrgIDADOQuery->engine(), this);
    m_labelQuery->setSql(labelQuerySql(place.userFieldCategory));

    // ---- tool bar
    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setDataSource(m_source);
    DBNavigator1->setVisibleButtons(DBNavigator::kMoveButtons | DBNavigator::Refresh);
    DBNavigator1->onError = [](const QString &message) {
        Prompter::instance().message(message, Prompter::Kind::Error);
    };
    // Dropping the new row from the navigator ends adding as "&Cancel" does: the fields stay
    // open only for a new row, never for an existing one.
    connect(DBNavigator1, &DBNavigator::clicked, this, [this](DBNavigator::Button which) {
        if (which == DBNavigator::Cancel && m_adding)
            runGuarded([this] { CancelButtonClick(); });
    });

    IdentifierDBText = new DBText(this);
    IdentifierDBText->setObjectName(QStringLiteral("IdentifierDBText"));
    IdentifierDBText->setDataSource(m_source);
    IdentifierDBText->setDataField(place.identifierField);
    IdentifierDBText->setMinimumWidth(64);
    IdentifierDBText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    IdentifierDBText->setContentsMargins(4, 1, 4, 1);
    ControlColors::applyIdentifier(IdentifierDBText);
    EditorParts::describeByValue(IdentifierDBText);

    FindButton = new QToolButton(this);
    FindButton->setObjectName(QStringLiteral("FindButton"));
    FindButton->setIcon(EditorParts::findIcon());
    FindButton->setToolTip(tr("Ctrl-F"));
    FindButton->setAccessibleName(tr("Ctrl-F"));
    FindButton->setFocusPolicy(Qt::TabFocus);
    connect(FindButton, &QToolButton::clicked, this, [this] { runGuarded([this] { findRecord(); }); });

    RecordPositionLabel = new QLabel(this);
    RecordPositionLabel->setObjectName(QStringLiteral("RecordPositionLabel"));
    RecordPositionLabel->setMinimumWidth(56);
    RecordPositionLabel->setAlignment(Qt::AlignCenter);
    RecordPositionLabel->setAccessibleDescription(tr("Record position"));

    CloseToolButton = new QToolButton(this);
    CloseToolButton->setObjectName(QStringLiteral("CloseToolButton"));
    CloseToolButton->setIcon(EditorParts::closeIcon());
    CloseToolButton->setToolTip(tr("Close"));
    CloseToolButton->setAccessibleName(tr("Close"));
    CloseToolButton->setFocusPolicy(Qt::TabFocus);
    connect(CloseToolButton, &QToolButton::clicked, this, [this] { runGuarded([this] { close(); }); });

    auto *bar = new QHBoxLayout;
    bar->addWidget(DBNavigator1);
    bar->addWidget(IdentifierDBText);
    bar->addWidget(FindButton);
    bar->addWidget(RecordPositionLabel);
    bar->addStretch(1);
    bar->addWidget(CloseToolButton);

    // ---- pages: the derived window puts its details page first
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    UserFieldsPage = new QWidget(PageControl1);
    UserFieldsPage->setObjectName(QStringLiteral("UserFieldsPage"));
    auto *userGrid = new QGridLayout(UserFieldsPage);
    for (int i = 0; i < 5; ++i) {
        auto *edit = new DBEdit(UserFieldsPage);
        edit->setObjectName(QStringLiteral("User%1DBEdit").arg(i + 1));
        edit->setDataSource(m_source);
        edit->setDataField(QStringLiteral("User%1").arg(i + 1));
        auto *label = new QLabel(UserFieldsPage);
        label->setObjectName(QStringLiteral("User%1Label").arg(i + 1));
        label->setBuddy(edit);
        label->setMinimumWidth(110);
        userGrid->addWidget(label, i, 0);
        userGrid->addWidget(edit, i, 1);
        UserFieldLabels[size_t(i)] = label;
        UserFieldEdits[size_t(i)] = edit;
    }
    userGrid->setColumnStretch(1, 1);
    userGrid->setRowStretch(5, 1);
    PageControl1->addTab(UserFieldsPage, tr("User Fields"));

    CancelButton = new QPushButton(tr("&Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAccessibleName(tr("Cancel"));
    connect(CancelButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { CancelButtonClick(); }); });
    DoneButton = new QPushButton(tr("&Done"), this);
    DoneButton->setObjectName(QStringLiteral("DoneButton"));
    DoneButton->setAccessibleName(tr("Done"));
    connect(DoneButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { DoneButtonClick(); }); });
    // An archive is read-only: nothing to save.
    DoneButton->setVisible(!ctx.archive());

    m_mainLayout = new QVBoxLayout(this);
    m_mainLayout->addLayout(bar);
    m_mainLayout->addWidget(PageControl1, 1);

    // The indicator follows the dataset however it moves or changes state.
    connect(m_source, &DataSource::recordChanged, this, &RecordEditorForm::refreshPosition);
    connect(m_source, &DataSource::dataSetChanged, this, &RecordEditorForm::refreshPosition);
    connect(m_source, &DataSource::activeChanged, this, &RecordEditorForm::refreshPosition);
    connect(m_source, &DataSource::stateChanged, this, &RecordEditorForm::refreshPosition);
}

RecordEditorForm::~RecordEditorForm() = default;

void RecordEditorForm::finishConstruction()
{
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
    LoadUserFieldLabels();
    refreshPosition();
    if (m_notes)
        m_notes->setFocus(Qt::OtherFocusReason);
}

Dataset &RecordEditorForm::dataset() const
{
    return *m_source->dataset();
}

QBoxLayout *RecordEditorForm::makeButtonRow(QPushButton *closeRecordButton)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(CancelButton);
    row->addWidget(closeRecordButton);
    row->addWidget(DoneButton);
    return row;
}

void RecordEditorForm::setModeControls(const QList<QWidget *> &controls, DBMemo *notes,
                                       QWidget *detailsPage, QPushButton *closeRecordButton)
{
    m_modeControls = controls;
    for (DBEdit *edit : UserFieldEdits)
        m_modeControls << edit;
    m_notes = notes;
    m_detailsPage = detailsPage;
    m_closeRecordButton = closeRecordButton;
}

void RecordEditorForm::switchMode(bool adding)
{
    m_adding = adding;
    for (QWidget *w : std::as_const(m_modeControls)) {
        w->setEnabled(adding);
        if (auto *control = dynamic_cast<FieldControl *>(w))
            control->setDataReadOnly(!adding);
        else if (auto *panel = qobject_cast<TDBDateTimePanel *>(w))
            panel->setReadOnly(!adding);
    }
    if (m_notes)
        m_notes->setDataReadOnly(!adding);
    DBNavigator1->setVisibleButtons(adding ? DBNavigator::Buttons(DBNavigator::Cancel)
                                           : DBNavigator::kMoveButtons | DBNavigator::Refresh);
    if (m_closeRecordButton)
        m_closeRecordButton->setVisible(!adding);
    if (adding) {
        if (m_detailsPage)
            PageControl1->setCurrentWidget(m_detailsPage);
        if (m_notes)
            m_notes->setFocus(Qt::OtherFocusReason);
    } else {
        CancelButton->setFocus(Qt::OtherFocusReason);
    }
    refreshPosition();
}

QDateTime RecordEditorForm::stampInputTime()
{
    const QDateTime input = EditorParts::wholeSeconds(Clock::now());
    m_ctx.dm.setLastInputTime(input);
    return input;
}

void RecordEditorForm::LoadUserFieldLabels()
{
    ::LoadUserFieldLabels(*m_labelQuery, UserFieldLabels);
    for (int i = 0; i < 5; ++i) {
        const QString caption = UserFieldLabels[size_t(i)]->text();
        UserFieldEdits[size_t(i)]->setAccessibleName(
            caption.isEmpty() ? QStringLiteral("User%1").arg(i + 1) : caption);
    }
}

void RecordEditorForm::refreshPosition()
{
    const Dataset *d = m_source->dataset();
    RecordPositionLabel->setText(d ? recordPositionText(*d) : QStringLiteral("None"));
    RecordPositionLabel->setAccessibleName(RecordPositionLabel->text());
}

void RecordEditorForm::CancelButtonClick()
{
    if (dataset().isEditing())
        dataset().cancel();
    close();
}

void RecordEditorForm::findRecord()
{
    // Moving to another row would save or drop a row being entered.
    if (dataset().isEditing())
        return;
    if (m_ctx.main.findInDataset)
        m_ctx.main.findInDataset(this, dataset());
}

void RecordEditorForm::closeEvent(QCloseEvent *event)
{
    runGuarded([this] {
        if (dataset().isEditing())
            dataset().cancel();
    });
    event->accept();
    windowClosed();
}

void RecordEditorForm::windowClosed()
{
    if (m_closed)
        return;
    m_closed = true;
    TKELDMainMDIForm &main = m_ctx.main;
    // The references say which windows are open, so this one goes now rather than when the
    // closed window is finally deleted.
    if (main.*m_place.self == this)
        (main.*m_place.self).clear();
    if (!(main.*m_place.otherEditor) && main.CallsActionsForm)
        main.CallsActionsForm->setEnabled(true);
    for (const QString &name : std::as_const(m_place.heldCommands))
        if (QAction *command = main.action(name))
            main.releaseDisabled(command, this);
}

bool RecordEditorForm::handleKey(QObject *watched, QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        if (escapeBelongsTo(watched))
            return false;
        runGuarded([this] { CancelButtonClick(); });
        return true;
    }
    if (key->key() == Qt::Key_F && mods == Qt::ControlModifier) {
        runGuarded([this] { findRecord(); });
        return true;
    }
    const Move move = recordMove(key);
    if (move == Move::None)
        return false;
    // A row being entered stays where it is: moving would save or drop it.
    if (m_source->dataset() && m_source->dataset()->isActive() && !dataset().isEditing()) {
        const DBNavigator::Button button = move == Move::First   ? DBNavigator::First
                                           : move == Move::Prior ? DBNavigator::Prior
                                           : move == Move::Next  ? DBNavigator::Next
                                                                 : DBNavigator::Last;
        runGuarded([&] { DBNavigator1->doAction(button); });
    }
    return true;
}

void RecordEditorForm::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(this, event))
        QWidget::keyPressEvent(event);
}

bool RecordEditorForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        handleKey(watched, static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}
