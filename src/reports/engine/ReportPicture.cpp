#include "ReportPicture.h"

std::unique_ptr<ReportPicture> ReportPicture::create(const QImage &image, const QRectF &rect)
{
    std::unique_ptr<ReportPicture> picture(new ReportPicture(rect));
    picture->m_image = image;
    return picture;
}

std::unique_ptr<ReportPicture> ReportPicture::fromRow(ImageSource source, const QRectF &rect)
{
    std::unique_ptr<ReportPicture> picture(new ReportPicture(rect));
    picture->m_source = std::move(source);
    return picture;
}

ReportPicture &ReportPicture::setKeepAspectRatio(bool keep)
{
    m_keepAspect = keep;
    return *this;
}

PagePrimitive ReportPicture::layOut(const ReportContext &context, TextMeasurer &) const
{
    const QImage image = m_source ? m_source(context) : m_image;
    QRectF box = m_rect;
    if (m_keepAspect && !image.isNull() && !box.isEmpty()) {
        const QSizeF fitted = QSizeF(image.size()).scaled(box.size(), Qt::KeepAspectRatio);
        box = QRectF(QPointF(), fitted);
        box.moveCenter(m_rect.center());
    }
    return PictureItem{box, image};
}
