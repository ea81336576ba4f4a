#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

// Every message box, confirmation, input box and file or colour question of the program goes
// through the one Prompter, so that tests can script the answers and read the texts shown.
class Prompter
{
public:
    enum class Kind { Plain, Information, Warning, Error };

    virtual ~Prompter() = default;

    // A message with an OK button. Plain messages carry the title "Vellomar".
    virtual void message(const QString &text, Kind kind = Kind::Plain) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool confirm(const QString &text) = 0;
    // An input box; false on Cancel.
    virtual bool input(const QString &caption, const QString &prompt, QString *value) = 0;
    // A file to open; empty on Cancel. filter in Qt's form ("Database Files (*.vdb);;All Files (*)").
    virtual QString openFileName(const QString &caption, const QString &folder,
                                 const QString &filter, const QString &defaultSuffix) = 0;
    // A file to write; empty on Cancel. The dialog asks before an existing file is replaced.
    virtual QString saveFileName(const QString &caption, const QString &folder,
                                 const QString &filter, const QString &defaultSuffix) = 0;
    // A colour as 0x00BBGGRR; false on Cancel.
    virtual bool chooseColor(qint64 *bgr) = 0;

    // The prompter in use; the program installs the Qt one, tests a scripted one.
    static Prompter &instance();
    static void install(std::unique_ptr<Prompter> prompter);   // returns ownership to the holder
    // The window dialogs are centred over (the main window once it exists).
    static void setParentWidget(QWidget *parent);
    static QWidget *parentWidget();
};

// The program's prompter: modal Qt dialogs.
class QtPrompter final : public Prompter
{
public:
    void message(const QString &text, Kind kind) override;
    bool confirm(const QString &text) override;
    bool input(const QString &caption, const QString &prompt, QString *value) override;
    QString openFileName(const QString &caption, const QString &folder, const QString &filter,
                         const QString &defaultSuffix) override;
    QString saveFileName(const QString &caption, const QString &folder, const QString &filter,
                         const QString &defaultSuffix) override;
    bool chooseColor(qint64 *bgr) override;
};

// For tests: records every text shown and answers from queues (confirm: Yes unless told).
class ScriptedPrompter final : public Prompter
{
public:
    struct Shown
    {
        Kind kind;
        QString text;
    };
    QList<Shown> messages;          // every message(), in order
    QStringList questions;          // every confirm() and input() prompt, in order
    QList<bool> confirmAnswers;     // taken from the front; empty: Yes
    QList<std::pair<bool, QString>> inputAnswers;   // (OK?, text); empty: Cancel
    QStringList fileAnswers;        // open and save dialogs; empty string: Cancel
    QStringList fileCaptions;       // the caption of every open and save dialog, in order
    QList<qint64> colorAnswers;     // empty: Cancel

    void message(const QString &text, Kind kind) override;
    bool confirm(const QString &text) override;
    bool input(const QString &caption, const QString &prompt, QString *value) override;
    QString openFileName(const QString &caption, const QString &folder, const QString &filter,
                         const QString &defaultSuffix) override;
    QString saveFileName(const QString &caption, const QString &folder, const QString &filter,
                         const QString &defaultSuffix) override;
    bool chooseColor(qint64 *bgr) override;

    QStringList texts() const;      // the texts of messages, in order
};
