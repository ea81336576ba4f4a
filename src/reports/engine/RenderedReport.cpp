#include "RenderedReport.h"

#include "PageGeometry.h"

RenderedPage::RenderedPage(const QSizeF &size, std::vector<PagePrimitive> items)
    : m_size(size), m_items(std::move(items))
{
}

RenderedReport::RenderedReport() : m_data(std::make_shared<const Data>()) {}

RenderedReport::RenderedReport(const QPageLayout &layout, const QString &title,
                               const QDateTime &runDateTime, std::vector<RenderedPage> pages,
                               CsvTable csv)
    : m_data(std::make_shared<const Data>(
          Data{layout, title, runDateTime, std::move(pages), std::move(csv)}))
{
}

QSizeF RenderedReport::pageSize() const
{
    return PageGeometry::paperSize(m_data->layout);
}
