#include "ProductArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kDeep(0x0B, 0x4F, 0x6C);
const QColor kBright(0x1E, 0x9B, 0xC4);

QPixmap canvas(QSizeF size, qreal dpr)
{
    QPixmap pm((size * dpr).toSize());
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap ProductArt::picture(int side, qreal dpr)
{
    QPixmap pm = canvas(QSizeF(side, side), dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;

    QLinearGradient tile(0, 0, s, s);
    tile.setColorAt(0, kBright);
    tile.setColorAt(1, kDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0, 0, s, s).adjusted(1, 1, -1, -1), s * 0.18, s * 0.18);

    // Speech bubble with its tail at the lower left.
    QPainterPath bubble;
    const QRectF body(s * 0.16, s * 0.18, s * 0.68, s * 0.48);
    bubble.addRoundedRect(body, s * 0.1, s * 0.1);
    QPainterPath tail;
    tail.moveTo(s * 0.28, body.bottom() - 1);
    tail.lineTo(s * 0.24, s * 0.82);
    tail.lineTo(s * 0.46, body.bottom() - 1);
    tail.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(bubble.united(tail));

    // Three logged lines inside the bubble, the last one short.
    p.setPen(QPen(kDeep, qMax(1.0, s * 0.05), Qt::SolidLine, Qt::RoundCap));
    const qreal left = body.left() + s * 0.1;
    const qreal widths[] = {0.46, 0.46, 0.28};
    for (int i = 0; i < 3; ++i) {
        const qreal y = body.top() + s * (0.12 + 0.12 * i);
        p.drawLine(QPointF(left, y), QPointF(left + s * widths[i], y));
    }
    return pm;
}

QPixmap ProductArt::titleImage(const QString &text, int pixelHeight, qreal dpr)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Black);
    font.setItalic(true);
    const QFontMetricsF fm(font);
    const qreal shadow = qMax(1.0, pixelHeight / 16.0);
    const QSizeF size(fm.horizontalAdvance(text) + fm.averageCharWidth() / 2 + shadow,
                      fm.height() + shadow);
    QPixmap pm = canvas(size, dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath path;
    path.addText(QPointF(0, fm.ascent()), font, text);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(path.translated(shadow, shadow));
    QLinearGradient fill(0, 0, 0, fm.height());
    fill.setColorAt(0, kBright);
    fill.setColorAt(1, kDeep);
    p.setBrush(fill);
    p.drawPath(path);
    return pm;
}
