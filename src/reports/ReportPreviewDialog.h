#pragma once

#include "RenderedReport.h"

#include <QDialog>

class PreviewPageView;
class QAction;
class QLabel;
class QScrollArea;
class QToolBar;

// The modal preview of a laid-out report: one page at a time, page by page (PgUp, PgDn, Home,
// End), zoomed to the width, to the whole page, to the printed size or in steps; printing
// through the print dialog (Ctrl+P), saving as CSV or PDF. Esc closes it.
class ReportPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    enum class ZoomMode { FitWidth, FitPage, Fixed };

    explicit ReportPreviewDialog(const RenderedReport &report, QWidget *parent = nullptr);
    ~ReportPreviewDialog() override;

    QToolBar *ToolBar;
    QAction *FirstPageAction;
    QAction *PriorPageAction;
    QAction *NextPageAction;
    QAction *LastPageAction;
    QLabel *PageLabel;          // "Page 2 of 5"
    QAction *FitWidthAction;
    QAction *FitPageAction;
    QAction *ActualSizeAction;
    QAction *ZoomInAction;
    QAction *ZoomOutAction;
    QLabel *ZoomLabel;          // "75%"
    QAction *PrintAction;
    QAction *SaveCsvAction;
    QAction *SavePdfAction;
    QAction *CloseAction;
    QScrollArea *ScrollArea;
    PreviewPageView *PageView;

    const RenderedReport &report() const { return m_report; }
    int pageCount() const { return m_report.pageCount(); }
    int currentPage() const { return m_page; }   // 1-based; 0 when the report has no pages
    void showPage(int page);                     // kept within the pages

    ZoomMode zoomMode() const { return m_zoomMode; }
    double zoom() const;
    void setZoomMode(ZoomMode mode);            // FitWidth or FitPage follow the window's size
    void setZoom(double zoom);                  // a fixed zoom

    // Shows the preview of the report over the parent until it is closed.
    static void preview(const RenderedReport &report, QWidget *parent);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QAction *addCommand(const QString &text, const QKeySequence &key,
                        const std::function<void()> &work);
    void applyZoom();
    void updateState();

    RenderedReport m_report;
    int m_page = 0;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    double m_fixedZoom = 1.0;
};
