#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

class QPainter;
class QRect;

// The two marks of the urgency cells, drawn rather than shipped so that they stay sharp at any
// cell size: the overdue mark (a red disc with a white exclamation mark, for open rows that are
// due or overdue) and the closed mark (a green disc with a white tick, for closed rows).
// Each picture fills its whole rectangle: a pale background and the mark centred on it.
class CallPictures
{
public:
    enum class Picture { Overdue, Closed };

    // The side of the square pictures: the width of the grids' urgency band.
    static constexpr int kSide = 34;

    // The kSide-square pictures, drawn once.
    static const QImage &OverdueImage();
    static const QImage &ClosedImage2();

    // The picture drawn afresh for a cell of this size (device-independent pixels) and pixel
    // ratio, cached per size.
    static QPixmap pixmap(Picture which, QSize size, qreal devicePixelRatio = 1.0);

    // Covers the cell with the picture, at the painter's pixel ratio.
    static void paint(QPainter &painter, const QRect &cell, Picture which);

    // Draws the picture into rect with the painter as it is (no caching).
    static void draw(QPainter &painter, const QRectF &rect, Picture which);
};
