#pragma once

#include <QDialog>

class DBMemo;
class DataSource;
class Dataset;
class QPushButton;

// The notes window: the notes of one call or action, shown read-only in a scrolling memo with one
// "OK" button. Enter, Esc and "OK" close it.
//
// Bound to a data source it shows the `Notes` field of the current row (and would follow the
// row); it never puts the dataset into Edit state. Given plain text it shows that text.
// The window is modal, made for one showing and released when closed: use the static helpers.
class TMemoPopupForm : public QDialog
{
    Q_OBJECT
public:
    explicit TMemoPopupForm(QWidget *parent = nullptr);

    // Shows the notes of the source's current row modally. Does nothing when the source has no
    // open dataset or the dataset has no rows.
    static void showNotes(QWidget *parent, DataSource &source,
                          const QString &field = QStringLiteral("Notes"));
    // The same for a dataset with no data source of its own at hand.
    static void showNotes(QWidget *parent, Dataset &dataset,
                          const QString &field = QStringLiteral("Notes"));
    // Shows a text that is not bound to any record.
    static void showText(QWidget *parent, const QString &text);

    // Binds the memo to a field of the source's current row, read-only.
    void bind(DataSource *source, const QString &field = QStringLiteral("Notes"));
    // Unbinds the memo and shows the text.
    void setNotesText(const QString &text);
    QString notesText() const;

    DBMemo *DBMemo1 = nullptr;
    QPushButton *OkButton = nullptr;
};
