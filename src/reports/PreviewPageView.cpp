#include "PreviewPageView.h"

#include "PagePainter.h"

#include <QPainter>
#include <QtMath>

PreviewPageView::PreviewPageView(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    setPalette(grey);
    setFocusPolicy(Qt::NoFocus);
}

void PreviewPageView::setPage(const RenderedPage *page)
{
    m_page = page;
    updateGeometry();
    resize(sizeHint());
    update();
}

void PreviewPageView::setZoom(double zoom)
{
    m_zoom = zoom;
    updateGeometry();
    resize(sizeHint());
    update();
}

QSize PreviewPageView::sheetSize() const
{
    if (!m_page)
        return {};
    const double perPoint = m_zoom * logicalDpiX() / 72.0;
    return {qCeil(m_page->size().width() * perPoint),
            qCeil(m_page->size().height() * m_zoom * logicalDpiY() / 72.0)};
}

QRect PreviewPageView::sheetRect() const
{
    const QSize sheet = sheetSize();
    // Centred across when the canvas is wider than the sheet.
    const int left = std::max(kMargin, (width() - sheet.width()) / 2);
    return {QPoint(left, kMargin), sheet};
}

QSize PreviewPageView::sizeHint() const
{
    const QSize sheet = sheetSize();
    return sheet + QSize(2 * kMargin, 2 * kMargin);
}

void PreviewPageView::paintEvent(QPaintEvent *)
{
    if (!m_page)
        return;
    QPainter painter(this);
    const QRect sheet = sheetRect();
    painter.fillRect(sheet.translated(3, 3), QColor(0x40, 0x40, 0x40));
    painter.fillRect(sheet, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(sheet.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), sheet.size()));
    PagePainter::scaleToPoints(painter, m_zoom);
    PagePainter::paintPage(painter, *m_page);
}
