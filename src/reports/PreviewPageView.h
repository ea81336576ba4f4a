#pragma once

#include "RenderedReport.h"

#include <QWidget>

// One page of a laid-out report on a white sheet, at a zoom: the preview's canvas. Its size
// follows the page and the zoom; a scroll area around it does the scrolling.
class PreviewPageView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMargin = 12;   // pixels of grey around the sheet

    explicit PreviewPageView(QWidget *parent = nullptr);

    void setPage(const RenderedPage *page);   // nullptr: an empty grey canvas
    const RenderedPage *page() const { return m_page; }
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }

    // The sheet's rectangle in this widget, in pixels.
    QRect sheetRect() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSize sheetSize() const;

    const RenderedPage *m_page = nullptr;
    double m_zoom = 1.0;
};
