#pragma once

#include <QPixmap>
#include <QString>

// The product's pictures, drawn rather than shipped so that they stay sharp at any scale:
// the program picture (a call-log speech bubble on a tile) and the title image (the product
// name in display lettering). Both the splash window and the about box show them.
class ProductArt
{
public:
    // A square picture, side in device-independent pixels.
    static QPixmap picture(int side, qreal devicePixelRatio = 1.0);
    // The title lettering, pixelHeight the height of the letters' em box.
    static QPixmap titleImage(const QString &text, int pixelHeight,
                              qreal devicePixelRatio = 1.0);
};
