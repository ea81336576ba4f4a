#include "PagePainter.h"

#include <QPaintDevice>
#include <QPainter>

namespace PagePainter {
namespace {

// The font that prints at its point size through a painter scaled from points to dots.
QFont deviceFont(const QPainter &painter, const QFont &font)
{
    QFont f = font;
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    f.setPointSizeF(font.pointSizeF() * 72.0 / dpi);
    return f;
}

Qt::Alignment horizontal(Qt::Alignment alignment)
{
    const Qt::Alignment h = alignment & (Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter);
    return h ? h : Qt::AlignLeft;
}

} // namespace

void paint(QPainter &painter, const TextItem &text)
{
    if (text.lines.isEmpty())
        return;
    painter.save();
    painter.setFont(deviceFont(painter, text.font));
    painter.setPen(text.colour);
    const double block = text.lineHeight * double(text.lines.size());
    double top = text.box.top();
    if (text.alignment & Qt::AlignBottom)
        top = text.box.bottom() - block;
    else if (text.alignment & Qt::AlignVCenter)
        top = text.box.top() + (text.box.height() - block) / 2;
    top = std::max(top, text.box.top());
    // A text never spills into its neighbours: it is cut at its box (which always has room for
    // one line).
    painter.setClipRect(QRectF(text.box.left(), text.box.top(), text.box.width(),
                               std::max(text.box.height(), text.lineHeight)),
                        Qt::IntersectClip);
    const int flags = int(horizontal(text.alignment)) | Qt::AlignTop | Qt::TextSingleLine |
                      Qt::TextDontClip;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        const QRectF line(text.box.left(), top + double(i) * text.lineHeight, text.box.width(),
                          text.lineHeight);
        painter.drawText(line, flags, text.lines[i]);
    }
    painter.restore();
}

void paint(QPainter &painter, const LineItem &line)
{
    painter.save();
    QPen pen(line.colour);
    pen.setWidthF(line.width);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(line.line);
    painter.restore();
}

void paint(QPainter &painter, const RectItem &rect)
{
    painter.save();
    if (rect.lineColour.isValid() && rect.lineWidth > 0) {
        QPen pen(rect.lineColour);
        pen.setWidthF(rect.lineWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(rect.fill.isValid() ? QBrush(rect.fill) : QBrush(Qt::NoBrush));
    painter.drawRect(rect.box);
    painter.restore();
}

void paint(QPainter &painter, const PictureItem &picture)
{
    if (picture.image.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(picture.box, picture.image);
    painter.restore();
}

void paintPage(QPainter &painter, const RenderedPage &page)
{
    for (const PagePrimitive &primitive : page.items())
        std::visit([&painter](const auto &item) { paint(painter, item); }, primitive);
}

void scaleToPoints(QPainter &painter, double zoom)
{
    const QPaintDevice *device = painter.device();
    const double x = device ? device->logicalDpiX() / 72.0 : 1.0;
    const double y = device ? device->logicalDpiY() / 72.0 : 1.0;
    painter.scale(x * zoom, y * zoom);
}

QImage pageImage(const RenderedPage &page, double dotsPerInch)
{
    const double scale = dotsPerInch / 72.0;
    QImage image(qCeil(page.size().width() * scale), qCeil(page.size().height() * scale),
                 QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scaleToPoints(painter);
    paintPage(painter, page);
    return image;
}

} // namespace PagePainter
