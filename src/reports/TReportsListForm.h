#pragma once

#include "ReportRun.h"

#include <QWidget>

class DBGrid;
class DataSource;
class Dataset;
class Engine;
class QToolBar;
class QToolButton;
class TKELDMainMDIForm;

// "Reports": the rows of tblReport by their ListName. Print runs the current row's report
// straight to the printer, Preview/Print (also a double click or Enter in the list) shows it in
// the preview first. Esc closes the window.
class TReportsListForm : public QWidget
{
    Q_OBJECT
public:
    // The list reads through the engine's connection; createDocument makes each report's
    // definition for one run.
    TReportsListForm(Engine &engine, ReportDocumentFactory createDocument,
                     QWidget *parent = nullptr);
    ~TReportsListForm() override;

    QToolBar *ToolBar1;
    QToolButton *ToolButton1;           // Print
    QToolButton *PreViewToolButton;     // Preview/Print
    QWidget *Spacer;                    // keeps Close at the right end
    QToolButton *CloseToolButton;
    DBGrid *DBGrid1;
    Dataset *ReportADOTable;            // tblReport, read-only, in the table's order
    DataSource *ReportDataSource;

    // The prompts, the preview and the printer a run uses; the dialogs and the default printer
    // unless replaced.
    ReportRun::Services Services;

    // Runs the report of the current row, with the preview or straight to the printer.
    ReportRun::Outcome RunReport(bool preview);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
};

// The "List Reports" command: brings the Reports window to the front, or opens it centred in
// the main window.
void ListReportsExecute(TKELDMainMDIForm &form, Engine &engine,
                        const ReportDocumentFactory &createDocument);
