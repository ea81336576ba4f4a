#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <functional>

class DBNavigator;
class Dataset;
class QDialogButtonBox;
class QModelIndex;
class QPushButton;
class QSpinBox;
class TDBGridPlus;
class TDataModule1;
class TKELDMainMDIForm;

// "Urgency Values": the urgency levels of the shared urgency table, each with a name, a colour
// and a threshold time, listed from the shortest threshold. The colour is chosen with the colour
// dialog and the threshold with the "Threshold" dialog; both open from a click on their cell.
// The window holds no data of its own: a pending change of the table is posted when the window
// closes and cancelled by Esc.
class TUrgencyForm : public QWidget
{
    Q_OBJECT
public:
    // The grid's columns.
    enum Column { DescriptionColumn = 0, ColourColumn = 1, ThresholdColumn = 2 };

    // archive: the database is open read-only; the navigator then offers no changes.
    TUrgencyForm(TDataModule1 &dm, bool archive, QWidget *parent = nullptr);
    ~TUrgencyForm() override;

    DBNavigator *DBNavigator1;
    TDBGridPlus *DBGrid1;
    QPushButton *CloseButton;

    // Told once when the window closes (the owner clears its reference to it).
    std::function<void()> onClosed;

    // The colour dialog for the current level; the chosen colour is stored, not yet posted.
    // False when nothing was chosen.
    bool ColorSelect();
    // The threshold dialog for the current level; on OK the threshold is stored and posted.
    bool ThresholdSelect();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(bool archive);
    void DBGrid1CellClick(const QModelIndex &index);
    void cancelAndClose();
    Dataset &table() const;

    TDataModule1 &m_dm;
    bool m_cancelled = false;
    bool m_closedTold = false;
};

// "Threshold": days, hours and minutes of a threshold time, made for one use.
class TUrgencyTimeEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TUrgencyTimeEditForm(QWidget *parent = nullptr);

    QSpinBox *DaysSpinEdit;     // 0 to 1000
    QSpinBox *HoursSpinEdit;    // 0 to 23
    QSpinBox *MinsSpinEdit;     // 0 to 59
    QDialogButtonBox *Buttons;

    // A threshold in days split into whole days and the hours, minutes and seconds of its
    // fraction (milliseconds dropped), and put together again.
    struct Parts
    {
        int days = 0, hours = 0, mins = 0, secs = 0;
        bool operator==(const Parts &) const = default;
    };
    static Parts split(double thresholdDays);
    static double join(const Parts &parts);
};

// The "Urgency Values" command: brings the window to the front, or opens it.
void UrgencyFormOpenExecute(TKELDMainMDIForm &form, TDataModule1 &dm);
