#pragma once

#include "ReportControl.h"

#include <QImage>
#include <functional>
#include <memory>

// A picture in a box: a fixed image, or one chosen for the current row.
class ReportPicture final : public ReportControlOf<ReportPicture>
{
public:
    using ImageSource = std::function<QImage(const ReportContext &)>;

    static std::unique_ptr<ReportPicture> create(const QImage &image, const QRectF &rect);
    static std::unique_ptr<ReportPicture> fromRow(ImageSource source, const QRectF &rect);

    // Keeping the aspect ratio (the default) centres the largest undistorted picture in the box;
    // otherwise it is stretched to fill it.
    ReportPicture &setKeepAspectRatio(bool keep);
    bool keepsAspectRatio() const { return m_keepAspect; }

    PagePrimitive layOut(const ReportContext &context, TextMeasurer &measurer) const override;

private:
    explicit ReportPicture(const QRectF &rect) : ReportControlOf<ReportPicture>(rect) {}

    QImage m_image;
    ImageSource m_source;
    bool m_keepAspect = true;
};
