#pragma once

#include <QHeaderView>

class BandedDatasetModel;
struct BandColumn;
struct GridBand;

// The headings of a banded grid: a row of band captions, and under each band the headings of
// its columns on two lines, laid out as the cells below them. Dragging a band's edge sizes the
// band; dragging the edge between two columns of a band moves width from one to the other; a
// click on a column's heading is reported.
class BandedHeader : public QHeaderView
{
    Q_OBJECT
public:
    BandedHeader(BandedDatasetModel *bands, QWidget *parent = nullptr);

    // The height of one of the three rows of headings.
    int tierHeight() const;
    // Where a column's heading lies in the header's viewport; empty when not shown.
    QRect headingRect(const QString &columnName) const;
    // The name of the column whose heading is at a point of the viewport; empty for none.
    QString columnAt(const QPoint &pos) const;

    QSize sizeHint() const override;

signals:
    void headingClicked(const QString &columnName);
    // The user moved the edge between two columns of a band.
    void columnsResized();

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    struct Edge
    {
        int band = -1;
        int line = 0;
        int index = 0;          // the column left of the edge
        bool valid() const { return band >= 0; }
    };
    QRect sectionRect(int logicalIndex) const;
    QRect columnsRect(int logicalIndex) const;      // the two lines under the band's caption
    Edge edgeAt(const QPoint &pos) const;
    void dragEdge(int x);
    void drawHeading(QPainter *painter, const QRect &rect, const QString &text,
                     Qt::Alignment alignment, int logicalIndex) const;

    BandedDatasetModel *m_bands;
    Edge m_dragging;
    QString m_pressed;          // the column whose heading the mouse went down on
    QPoint m_pressPos;
    bool m_cursorSet = false;
};
