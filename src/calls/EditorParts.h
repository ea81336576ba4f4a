#pragma once

#include <QDateTime>
#include <QIcon>
#include <QList>
#include <QString>
#include <QVariant>
#include <initializer_list>

class DBLookupCombo;
class DBText;
class TDBDateTimePanel;
class DataSource;
class Dataset;
class QAction;
class QGridLayout;
class QLabel;
class QToolButton;
class QWidget;
class TKELDMainMDIForm;

// Pieces the call and action editors are built from, and the zooms their "..." buttons run.
namespace EditorParts {

// A caption, a chooser bound to one key field of the record and the small "..." button beside
// it. The chooser lists listField of the list source's rows and writes their keyField.
struct ChooserRow
{
    QLabel *label = nullptr;
    DBLookupCombo *chooser = nullptr;
    QToolButton *button = nullptr;
};

struct ChooserBinding
{
    QString caption;        // "Owner:"
    DataSource *source = nullptr;
    QString field;          // the record's key field (or editable lookup field)
    DataSource *list = nullptr;
    QString keyField;
    QString listField;
    QString buttonName;     // what the "..." button does, for assistive technology
};

// Builds the row's widgets (parented to parent) and puts them into columns column .. column + 2
// of the grid's row.
ChooserRow addChooserRow(QGridLayout *grid, int row, int column, QWidget *parent,
                         const ChooserBinding &binding);

// A display-only view of one field under a caption, greyed; caption and display go into the
// grid's row at column and column + 1. The caption names the display for assistive technology.
DBText *addDisplayRow(QGridLayout *grid, int row, int column, QWidget *parent,
                      const QString &caption, DataSource *source, const QString &field);

// Assistive technology reads a display's caption as its name and its value as the description.
void describeByValue(DBText *display);

// A caption for a control; its text (without "&" or the trailing colon) names the control.
QLabel *captionFor(QWidget *control, const QString &caption, QWidget *parent);

// The "When Due:" row: a date and time panel over the source's DueDate that proposes now plus
// the site's due-date duration for a new record.
TDBDateTimePanel *addDueDateRow(QGridLayout *grid, int row, QWidget *parent, DataSource *source,
                                double dueDateDuration);

// The "..." button runs the main window's command (a values-list command).
void bindCommand(QToolButton *button, QAction *command, const QString &accessibleName);

// The small pictures of the tool bar's find and close buttons.
QIcon findIcon();
QIcon closeIcon();

// A date-time with its fraction of a second dropped: input times are stamped in whole seconds.
QDateTime wholeSeconds(const QDateTime &time);

// The key held by a field of the dataset's current row; null when the dataset is closed, empty
// or has no such field.
QVariant currentKey(const Dataset &dataset, const QString &field);

// The hourglass and suspended displays of the given datasets while an editor saves; both come
// back however the work ends.
class BusySaving
{
public:
    explicit BusySaving(std::initializer_list<Dataset *> datasets);
    ~BusySaving();
    BusySaving(const BusySaving &) = delete;
    BusySaving &operator=(const BusySaving &) = delete;

private:
    QList<Dataset *> m_datasets;
};

// --- zooms: the directory windows shown at a person or an organisation --------------------------

// Runs "People" and, when the People window is open afterwards, moves it to the person.
void zoomToPerson(TKELDMainMDIForm &main, const QVariant &personId);

// Runs "People" and, when the People window is open afterwards, moves it to the first of the
// candidate people it finds; failing all, to the first person of the organisation; failing that,
// to the organisation, where it starts a new person.
void zoomToContact(TKELDMainMDIForm &main, const QList<QVariant> &candidates,
                   const QVariant &orgId);

// Runs "Organisations && People" and, when that window is open afterwards, moves it to the
// organisation.
void zoomToOrganisation(TKELDMainMDIForm &main, const QVariant &orgId);

} // namespace EditorParts
