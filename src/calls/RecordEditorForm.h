#pragma once

#include "CallsContext.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

class DBEdit;
class DBMemo;
class DBNavigator;
class DBText;
class DataSource;
class Dataset;
class QBoxLayout;
class QCloseEvent;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

// What the call and action editors have in common. Each edits the current row of one shared
// dataset, either in add mode (a new row has been started; every field is open) or in view mode
// (read-only; the user moves between rows and may close the current one).
//
// This frame holds the tool bar (navigator, identifier, find button, record position, close
// button), the page control with its "User Fields" page, the "&Cancel" and "&Done" buttons, the
// switch between the two modes, the record keys (Ctrl+F, Ctrl+, and Ctrl+. with or without
// Shift, Esc) and what closing the window must undo: the dataset's pending change is cancelled,
// the browser enabled again unless the other editor is open, the commands held disabled on
// the window's behalf released and the main window's reference to it cleared.
class RecordEditorForm : public QWidget
{
    Q_OBJECT
public:
    ~RecordEditorForm() override;

    DBNavigator *DBNavigator1;
    DBText *IdentifierDBText;           // the record's number, lime on black
    QToolButton *FindButton;            // hint "Ctrl-F"
    QLabel *RecordPositionLabel;
    QToolButton *CloseToolButton;
    QTabWidget *PageControl1;
    QWidget *UserFieldsPage;
    std::array<QLabel *, 5> UserFieldLabels{};
    std::array<DBEdit *, 5> UserFieldEdits{};
    QPushButton *CancelButton;
    QPushButton *DoneButton;

    // "&Done": saves the pending change and closes.
    virtual void DoneButtonClick() = 0;
    // "&Cancel" or Esc: drops the pending change and closes.
    virtual void CancelButtonClick();

    // Sets the captions of User1 to User5 from the label query.
    void LoadUserFieldLabels();
    // The record-position indicator: "Adding", "2/9" or "None".
    void refreshPosition();
    bool isAdding() const { return m_adding; }

    // Whether the browser's "Show Completed" box is ticked; unset, it is not.
    std::function<bool()> browserShowsCompleted;

protected:
    // Where the window stands among the main window's windows and commands.
    struct Place
    {
        const char *objectName;
        QString caption;
        DataSource *source;                 // the shared dataset edited
        QString identifierField;            // shown lime on black in the tool bar
        QString userFieldCategory;          // "Call User Fields"
        QPointer<QWidget> TKELDMainMDIForm::*self;
        QPointer<QWidget> TKELDMainMDIForm::*otherEditor;
        QStringList heldCommands;           // held disabled while the window is open
    };
    RecordEditorForm(const CallsContext &ctx, const Place &place, QWidget *parent);

    // Call at the end of the derived constructor: keys, labels, position, first focus.
    void finishConstruction();

    Dataset &dataset() const;
    DataSource *source() const { return m_source; }
    bool browserCompleted() const { return browserShowsCompleted && browserShowsCompleted(); }

    // The heading line goes between the tool bar and the pages.
    QVBoxLayout *mainLayout() const { return m_mainLayout; }
    // "&Cancel", the window's close-record button (shown in view mode only) and "&Done".
    QBoxLayout *makeButtonRow(QPushButton *closeRecordButton);

    // The controls only add mode opens, the notes memo and the page shown in add mode.
    void setModeControls(const QList<QWidget *> &controls, DBMemo *notes, QWidget *detailsPage,
                         QPushButton *closeRecordButton);
    void switchMode(bool adding);

    // Records the key of the moment a new row is prepared: now in whole seconds, also kept as
    // the data module's LastInputTime so the row is found again after its post.
    QDateTime stampInputTime();

    // The query of the user-field captions; the derived window names it.
    Dataset *m_labelQuery;
    const CallsContext m_ctx;

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A record key or Esc, wherever it was typed in the window; true when it was handled.
    bool handleKey(QObject *watched, QKeyEvent *key);

    // The find window over the dataset (Ctrl+F or the find button).
    void findRecord();

private:
    void windowClosed();

    Place m_place;
    DataSource *m_source;
    DBMemo *m_notes = nullptr;
    QWidget *m_detailsPage = nullptr;
    QPushButton *m_closeRecordButton = nullptr;
    QList<QWidget *> m_modeControls;
    QVBoxLayout *m_mainLayout;
    bool m_adding = false;
    bool m_closed = false;
};
