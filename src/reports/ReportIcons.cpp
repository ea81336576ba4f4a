#include "ReportIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ReportIcons {
namespace {

constexpr int kSide = 24;

QPen pen(const QColor &colour, double width)
{
    QPen p(colour, width);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

void drawSheet(QPainter &p, const QRectF &r)
{
    p.setPen(pen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(pen(QColor(120, 140, 170), 1));
    for (double y = r.top() + 3; y < r.bottom() - 1.5; y += 3)
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
}

template <typename Draw>
QIcon drawn(Draw draw)
{
    QPixmap pm(kSide, kSide);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pm);
}

} // namespace

QIcon print()
{
    return drawn([](QPainter &p) {
        drawSheet(p, QRectF(6.5, 2.5, 11, 9));
        p.setPen(pen(QColor(60, 60, 60), 1.2));
        p.setBrush(QColor(170, 170, 175));
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 15.5, 11, 6));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 170, 60));
        p.drawEllipse(QPointF(18.5, 12.5), 1.2, 1.2);
    });
}

QIcon preview()
{
    return drawn([](QPainter &p) {
        drawSheet(p, QRectF(2.5, 2.5, 14, 19));
        p.setPen(pen(QColor(40, 40, 40), 1.6));
        p.setBrush(QColor(200, 225, 255, 200));
        p.drawEllipse(QPointF(14, 12), 5, 5);
        p.setPen(pen(QColor(40, 40, 40), 2.6));
        p.drawLine(QPointF(17.6, 15.6), QPointF(21.5, 19.5));
    });
}

} // namespace ReportIcons
