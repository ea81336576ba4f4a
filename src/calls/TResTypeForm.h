#pragma once

#include <QDialog>

class DBGrid;
class QPushButton;
class TDataModule1;

// "Select Resolution Type": the resolution types listed in a read-only grid over the data
// module's ValuesListResolutionTypeADOQuery, and "OK". A double click or Enter in the grid does
// what "OK" does. The choice is simply the list's current row when the dialog closes, however
// it closes: there is no way to cancel.
class TResTypeForm : public QDialog
{
    Q_OBJECT
public:
    explicit TResTypeForm(TDataModule1 &dm, QWidget *parent = nullptr);

    DBGrid *DBGrid1;
    QPushButton *OKButton;

    // The ValueID of the list's current row; 0 when the list is closed or empty.
    static int chosenValueID(const TDataModule1 &dm);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
