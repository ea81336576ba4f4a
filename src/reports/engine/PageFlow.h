#pragma once

#include "LaidOutBand.h"
#include "RenderedReport.h"

#include <QPageLayout>
#include <functional>
#include <vector>

// Fills pages from top to bottom with laid-out bands: the page header at the top of every page,
// the page footer at the bottom of every page, the body between them.
class PageFlow
{
public:
    // The page header or footer of a page (by its 1-based number), with its child bands; empty
    // when none prints.
    using PageBand = std::function<std::vector<LaidOutBand>(int pageNumber)>;

    PageFlow(const QPageLayout &layout, PageBand header, PageBand footer);

    // The area inside the margins, in points.
    QRectF body() const { return m_body; }

    void start();                          // the first page
    void newPage();
    int pageNumber() const { return int(m_pages.size()); }
    // Whether anything but the page header has been placed on the current page.
    bool pageHasBody() const { return m_hasBody; }
    // Points left above the page footer.
    double remaining() const { return m_bottom - m_y; }

    // Bands that begin on the same page: on a new one unless they fit on this one together with
    // `reserve` points more (or this page holds nothing yet). A band taller than a whole page is
    // divided between pages.
    void placeUnit(const std::vector<LaidOutBand> &bands, double reserve = 0);

    // Ends the last page and fills in the page numbers.
    std::vector<RenderedPage> finish();

private:
    struct Page
    {
        std::vector<PagePrimitive> items;
        std::vector<std::pair<size_t, const ReportText *>> pageNumbers;
    };
    void startPage();
    void finishPage();
    void place(LaidOutBand band);
    void put(const LaidOutBand &band);
    double capacity() const { return m_bottom - m_bodyTop; }

    QSizeF m_paper;
    QRectF m_body;
    PageBand m_header;
    PageBand m_footer;
    std::vector<Page> m_pages;
    std::vector<LaidOutBand> m_pageFooter;
    double m_y = 0;
    double m_bodyTop = 0;      // below the page header
    double m_bottom = 0;       // above the page footer
    bool m_hasBody = false;
};
