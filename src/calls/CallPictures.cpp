#include "CallPictures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPaintDevice>
#include <QRect>

#include <cmath>

namespace {

const QColor kBackground(0xFF, 0xFF, 0xF0);   // the grids' cream
const QColor kOverdueFill(0xD3, 0x2F, 0x2F);
const QColor kOverdueEdge(0x8E, 0x1B, 0x1B);
const QColor kClosedFill(0x2E, 0x7D, 0x32);
const QColor kClosedEdge(0x1B, 0x4D, 0x20);

QImage drawnImage(CallPictures::Picture which)
{
    QImage image(CallPictures::kSide, CallPictures::kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    CallPictures::draw(p, QRectF(0, 0, CallPictures::kSide, CallPictures::kSide), which);
    return image;
}

struct CacheKey {
    int picture, width, height, ratio;   // the ratio in hundredths
    bool operator==(const CacheKey &) const = default;
};

size_t qHash(const CacheKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.picture, key.width, key.height, key.ratio);
}

} // namespace

void CallPictures::draw(QPainter &p, const QRectF &rect, Picture which)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect, kBackground);

    // The mark is round whatever the cell's shape: a disc in the middle of the shorter side.
    const qreal side = std::min(rect.width(), rect.height());
    const qreal d = side * 0.82;
    const QRectF disc(rect.center().x() - d / 2, rect.center().y() - d / 2, d, d);
    const qreal edge = std::max<qreal>(1.0, side / 34.0);
    const bool overdue = which == Picture::Overdue;

    p.setPen(QPen(overdue ? kOverdueEdge : kClosedEdge, edge));
    p.setBrush(overdue ? kOverdueFill : kClosedFill);
    p.drawEllipse(disc.adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2));

    const QPointF c = disc.center();
    const qreal u = d / 28.0;   // the marks are designed on a 28-unit disc
    if (overdue) {
        // An exclamation mark: a tapering bar and a dot.
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        QPainterPath bar;
        bar.moveTo(c.x() - 2.6 * u, c.y() - 9.5 * u);
        bar.lineTo(c.x() + 2.6 * u, c.y() - 9.5 * u);
        bar.lineTo(c.x() + 1.5 * u, c.y() + 3.0 * u);
        bar.lineTo(c.x() - 1.5 * u, c.y() + 3.0 * u);
        bar.closeSubpath();
        p.drawPath(bar);
        p.drawEllipse(QPointF(c.x(), c.y() + 7.4 * u), 2.2 * u, 2.2 * u);
    } else {
        // A tick.
        QPen tick(Qt::white, 3.6 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(tick);
        p.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(c.x() - 7.0 * u, c.y() + 0.5 * u);
        path.lineTo(c.x() - 2.2 * u, c.y() + 5.5 * u);
        path.lineTo(c.x() + 7.5 * u, c.y() - 5.5 * u);
        p.drawPath(path);
    }
    p.restore();
}

const QImage &CallPictures::OverdueImage()
{
    static const QImage image = drawnImage(Picture::Overdue);
    return image;
}

const QImage &CallPictures::ClosedImage2()
{
    static const QImage image = drawnImage(Picture::Closed);
    return image;
}

QPixmap CallPictures::pixmap(Picture which, QSize size, qreal devicePixelRatio)
{
    if (size.isEmpty())
        return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    static QHash<CacheKey, QPixmap> cache;
    const CacheKey key{int(which), size.width(), size.height(), int(std::lround(ratio * 100))};
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    // A grid of many sizes (rows resized by the user) must not grow the cache without end.
    if (cache.size() > 64)
        cache.clear();

    QPixmap pm(QSize(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio))));
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        draw(p, QRectF(QPointF(0, 0), QSizeF(size)), which);
    }
    cache.insert(key, pm);
    return pm;
}

void CallPictures::paint(QPainter &painter, const QRect &cell, Picture which)
{
    const QPaintDevice *device = painter.device();
    const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
    painter.drawPixmap(cell.topLeft(), pixmap(which, cell.size(), ratio));
}
