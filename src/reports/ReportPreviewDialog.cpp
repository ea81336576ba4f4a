#include "ReportPreviewDialog.h"

#include "PreviewPageView.h"
#include "PreviewZoom.h"
#include "ReportPrintJob.h"
#include "ReportSaving.h"
#include "RunGuarded.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

ReportPreviewDialog::ReportPreviewDialog(const RenderedReport &report, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_report(report)
{
    setObjectName(QStringLiteral("ReportPreviewDialog"));
    setWindowTitle(report.title().isEmpty() ? tr("Preview")
                                            : tr("Preview - %1").arg(report.title()));
    setModal(true);

    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setAccessibleName(tr("Preview tools"));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    FirstPageAction = addCommand(tr("First page"), QKeySequence(Qt::Key_Home),
                                 [this] { showPage(1); });
    PriorPageAction = addCommand(tr("Prior page"), QKeySequence(Qt::Key_PageUp),
                                 [this] { showPage(m_page - 1); });
    NextPageAction = addCommand(tr("Next page"), QKeySequence(Qt::Key_PageDown),
                                [this] { showPage(m_page + 1); });
    LastPageAction = addCommand(tr("Last page"), QKeySequence(Qt::Key_End),
                                [this] { showPage(pageCount()); });
    const std::pair<QAction *, QStyle::StandardPixmap> icons[] = {
        {FirstPageAction, QStyle::SP_MediaSkipBackward},
        {PriorPageAction, QStyle::SP_MediaSeekBackward},
        {NextPageAction, QStyle::SP_MediaSeekForward},
        {LastPageAction, QStyle::SP_MediaSkipForward}};
    for (const auto &[action, pixmap] : icons) {
        action->setIcon(style()->standardIcon(pixmap));
        if (auto *button = qobject_cast<QToolButton *>(ToolBar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    PageLabel = new QLabel(this);
    PageLabel->setObjectName(QStringLiteral("PageLabel"));
    PageLabel->setMinimumWidth(PageLabel->fontMetrics().horizontalAdvance(tr("Page 9999 of 9999")));
    PageLabel->setAlignment(Qt::AlignCenter);
    ToolBar->addWidget(PageLabel);
    ToolBar->addSeparator();

    FitWidthAction = addCommand(tr("Fit width"), {}, [this] { setZoomMode(ZoomMode::FitWidth); });
    FitPageAction = addCommand(tr("Fit page"), {}, [this] { setZoomMode(ZoomMode::FitPage); });
    ActualSizeAction = addCommand(tr("100%"), QKeySequence(Qt::CTRL | Qt::Key_0),
                                  [this] { setZoom(1.0); });
    ActualSizeAction->setToolTip(tr("Printed size (Ctrl+0)"));
    ToolBar->widgetForAction(ActualSizeAction)->setAccessibleName(tr("Zoom to printed size"));
    ZoomInAction = addCommand(tr("Zoom in"), QKeySequence::ZoomIn,
                              [this] { setZoom(PreviewZoom::zoomIn(zoom())); });
    ZoomOutAction = addCommand(tr("Zoom out"), QKeySequence::ZoomOut,
                               [this] { setZoom(PreviewZoom::zoomOut(zoom())); });
    for (QAction *a : {FitWidthAction, FitPageAction})
        a->setCheckable(true);
    ZoomLabel = new QLabel(this);
    ZoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    ZoomLabel->setMinimumWidth(
        ZoomLabel->fontMetrics().horizontalAdvance(QStringLiteral(" 800% ")));
    ZoomLabel->setAlignment(Qt::AlignCenter);
    ToolBar->addWidget(ZoomLabel);
    ToolBar->addSeparator();

    PrintAction = addCommand(tr("Print..."), QKeySequence(Qt::CTRL | Qt::Key_P),
                             [this] { ReportPrintJob::printChosen(m_report, this); });
    SaveCsvAction = addCommand(tr("Save as CSV..."), {},
                               [this] { ReportSaving::saveAsCsv(m_report); });
    SavePdfAction = addCommand(tr("Save as PDF..."), {},
                               [this] { ReportSaving::saveAsPdf(m_report); });
    ToolBar->addSeparator();
    CloseAction = addCommand(tr("Close"), QKeySequence(Qt::Key_Escape), [this] { reject(); });

    PageView = new PreviewPageView;
    PageView->setObjectName(QStringLiteral("PageView"));
    PageView->setAccessibleName(tr("Report page"));
    ScrollArea = new QScrollArea(this);
    ScrollArea->setObjectName(QStringLiteral("ScrollArea"));
    ScrollArea->setAccessibleName(tr("Report page"));
    ScrollArea->setBackgroundRole(QPalette::Dark);
    ScrollArea->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ScrollArea->setWidget(PageView);
    ScrollArea->setFocusPolicy(Qt::StrongFocus);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(ScrollArea, 1);

    // Most of the screen, for a page to be read at a useful size.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::max(640, available.width() * 3 / 4), std::max(480, available.height() * 9 / 10));
    setMinimumSize(480, 360);

    showPage(1);
    applyZoom();
    ScrollArea->setFocus();
}

ReportPreviewDialog::~ReportPreviewDialog() = default;

QAction *ReportPreviewDialog::addCommand(const QString &text, const QKeySequence &key,
                                         const std::function<void()> &work)
{
    auto *action = new QAction(text, this);
    action->setShortcut(key);
    const QString name = QString(text).remove(QStringLiteral("..."));
    if (!key.isEmpty())
        action->setToolTip(
            QStringLiteral("%1 (%2)").arg(name, key.toString(QKeySequence::NativeText)));
    connect(action, &QAction::triggered, this, [work] { runGuarded(work); });
    ToolBar->addAction(action);
    if (QWidget *button = ToolBar->widgetForAction(action))
        button->setAccessibleName(name);
    return action;
}

void ReportPreviewDialog::showPage(int page)
{
    m_page = pageCount() == 0 ? 0 : std::clamp(page, 1, pageCount());
    PageView->setPage(m_page > 0 ? &m_report.page(m_page - 1) : nullptr);
    ScrollArea->verticalScrollBar()->setValue(0);
    updateState();
}

double ReportPreviewDialog::zoom() const { return PageView->zoom(); }

void ReportPreviewDialog::setZoomMode(ZoomMode mode)
{
    if (mode == ZoomMode::Fixed)
        m_fixedZoom = zoom();
    m_zoomMode = mode;
    applyZoom();
}

void ReportPreviewDialog::setZoom(double zoom)
{
    m_fixedZoom = PreviewZoom::clamp(zoom);
    m_zoomMode = ZoomMode::Fixed;
    applyZoom();
}

void ReportPreviewDialog::applyZoom()
{
    double z = m_fixedZoom;
    if (m_zoomMode != ZoomMode::Fixed && pageCount() > 0) {
        // The viewport less a vertical scroll bar, so that fitting the width never needs a
        // horizontal one.
        QSize viewport = ScrollArea->viewport()->size();
        if (m_zoomMode == ZoomMode::FitWidth)
            viewport.rwidth() -= ScrollArea->verticalScrollBar()->sizeHint().width();
        const QSizeF pagePoints = m_report.pageSize();
        z = m_zoomMode == ZoomMode::FitWidth
                ? PreviewZoom::fitWidth(pagePoints, viewport, PageView->logicalDpiX(),
                                        PreviewPageView::kMargin)
                : PreviewZoom::fitPage(pagePoints, viewport, PageView->logicalDpiX(),
                                       PreviewPageView::kMargin);
    }
    PageView->setZoom(z);
    updateState();
}

void ReportPreviewDialog::updateState()
{
    const int count = pageCount();
    PageLabel->setText(tr("Page %1 of %2").arg(m_page).arg(count));
    PageLabel->setAccessibleName(PageLabel->text());
    FirstPageAction->setEnabled(m_page > 1);
    PriorPageAction->setEnabled(m_page > 1);
    NextPageAction->setEnabled(m_page < count);
    LastPageAction->setEnabled(m_page < count);
    PrintAction->setEnabled(count > 0);
    SavePdfAction->setEnabled(count > 0);
    FitWidthAction->setChecked(m_zoomMode == ZoomMode::FitWidth);
    FitPageAction->setChecked(m_zoomMode == ZoomMode::FitPage);
    ZoomLabel->setText(QStringLiteral("%1%").arg(qRound(zoom() * 100)));
    ZoomLabel->setAccessibleName(tr("Zoom %1").arg(ZoomLabel->text()));
    ZoomInAction->setEnabled(zoom() < PreviewZoom::kMaximum);
    ZoomOutAction->setEnabled(zoom() > PreviewZoom::kMinimum);
}

void ReportPreviewDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (m_zoomMode != ZoomMode::Fixed)
        applyZoom();
}

void ReportPreviewDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    applyZoom();
}

void ReportPreviewDialog::preview(const RenderedReport &report, QWidget *parent)
{
    ReportPreviewDialog dialog(report, parent);
    dialog.exec();
}
