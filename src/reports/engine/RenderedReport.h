#pragma once

#include "ReportPrimitives.h"

#include <QDateTime>
#include <QPageLayout>
#include <QSizeF>
#include <QStringList>
#include <memory>
#include <vector>

// One laid-out page: its size in points and what prints on it, in painting order.
class RenderedPage
{
public:
    RenderedPage(const QSizeF &size, std::vector<PagePrimitive> items);

    QSizeF size() const { return m_size; }
    const std::vector<PagePrimitive> &items() const { return m_items; }

private:
    QSizeF m_size;
    std::vector<PagePrimitive> m_items;
};

// The rows of the printed detail bands, as the CSV export writes them.
struct CsvTable
{
    QStringList captions;
    std::vector<QStringList> rows;
};

// A report laid out for printing: pages that never change once made, so the preview, the
// printer, a PDF and a CSV export all show the same report. Copies share the pages.
class RenderedReport
{
public:
    RenderedReport();   // no pages
    RenderedReport(const QPageLayout &layout, const QString &title, const QDateTime &runDateTime,
                   std::vector<RenderedPage> pages, CsvTable csv);

    int pageCount() const { return int(m_data->pages.size()); }
    const RenderedPage &page(int index) const { return m_data->pages.at(size_t(index)); }
    const std::vector<RenderedPage> &pages() const { return m_data->pages; }

    // The paper: its size and orientation (margins already applied to the pages).
    QPageLayout pageLayout() const { return m_data->layout; }
    QSizeF pageSize() const;   // points, as the orientation turns it
    QString title() const { return m_data->title; }
    QDateTime runDateTime() const { return m_data->runDateTime; }
    const CsvTable &csv() const { return m_data->csv; }

private:
    struct Data
    {
        QPageLayout layout;
        QString title;
        QDateTime runDateTime;
        std::vector<RenderedPage> pages;
        CsvTable csv;
    };
    std::shared_ptr<const Data> m_data;
};
