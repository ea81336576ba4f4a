#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QStringList>
#include <variant>

// What a laid-out page is made of. Every coordinate and size is in points (1/72 inch) from the
// top left corner of the paper, whatever device the page is later painted on.

// A text in its box. The renderer has already broken it into lines, so every device prints the
// same lines; the painter only places them by the alignment.
struct TextItem
{
    QRectF box;
    QString text;           // the whole text, as a CSV export or a search sees it
    QStringList lines;      // the text as printed, one entry per line
    double lineHeight = 0;  // points from one line to the next
    QFont font;             // sized in points
    QColor colour = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};

struct LineItem
{
    QLineF line;
    QColor colour = Qt::black;
    double width = 1;       // points
};

struct RectItem
{
    QRectF box;
    QColor lineColour = Qt::black;   // invalid: no outline
    double lineWidth = 1;
    QColor fill;                     // invalid: not filled
};

// A picture, already fitted: it fills its box.
struct PictureItem
{
    QRectF box;
    QImage image;
};

using PagePrimitive = std::variant<TextItem, LineItem, RectItem, PictureItem>;

// The primitive moved by an offset.
void translate(PagePrimitive &primitive, const QPointF &offset);
// The box a primitive takes on the page.
QRectF boundsOf(const PagePrimitive &primitive);
