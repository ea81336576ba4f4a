#include "PageFlow.h"

#include "PageGeometry.h"
#include "ReportText.h"
#include "TextMeasurer.h"

namespace {

constexpr double kEpsilon = 1e-6;

} // namespace

PageFlow::PageFlow(const QPageLayout &layout, PageBand header, PageBand footer)
    : m_paper(PageGeometry::paperSize(layout)),
      m_body(PageGeometry::body(layout)),
      m_header(std::move(header)),
      m_footer(std::move(footer))
{
}

void PageFlow::start() { startPage(); }

void PageFlow::newPage()
{
    finishPage();
    startPage();
}

void PageFlow::startPage()
{
    m_pages.emplace_back();
    const int number = pageNumber();
    m_y = m_body.top();
    m_pageFooter = m_footer ? m_footer(number) : std::vector<LaidOutBand>();
    m_bottom = m_body.bottom();
    for (const LaidOutBand &band : m_pageFooter)
        m_bottom -= band.height();
    if (m_header)
        for (const LaidOutBand &band : m_header(number))
            put(band);
    m_bodyTop = m_y;
    m_hasBody = false;
}

void PageFlow::finishPage()
{
    m_y = m_bottom;
    for (const LaidOutBand &band : m_pageFooter)
        put(band);
    m_pageFooter.clear();
}

void PageFlow::put(const LaidOutBand &band)
{
    Page &page = m_pages.back();
    for (const LaidOutBand::Item &item : band.items()) {
        PagePrimitive primitive = item.primitive;
        translate(primitive, QPointF(0, m_y));
        if (item.pageNumber)
            page.pageNumbers.emplace_back(page.items.size(), item.pageNumber);
        page.items.push_back(std::move(primitive));
    }
    m_y += band.height();
    m_hasBody = true;
}

void PageFlow::placeUnit(const std::vector<LaidOutBand> &bands, double reserve)
{
    if (bands.empty())
        return;
    double total = reserve;
    for (const LaidOutBand &b : bands)
        total += b.height();
    if (total > remaining() + kEpsilon && m_hasBody)
        newPage();
    for (const LaidOutBand &b : bands)
        place(b);
}

void PageFlow::place(LaidOutBand band)
{
    for (;;) {
        if (band.height() <= remaining() + kEpsilon) {
            put(band);
            return;
        }
        if (band.height() <= capacity() + kEpsilon) {
            newPage();   // fits on a page of its own
            continue;
        }
        // Taller than any page: what fits here, the rest on the next pages.
        if (auto parts = band.splitAt(remaining())) {
            put(parts->first);
            newPage();
            band = std::move(parts->second);
            continue;
        }
        if (m_hasBody) {
            newPage();
            continue;
        }
        put(band);   // nothing smaller can be made of it: it overruns this page
        return;
    }
}

std::vector<RenderedPage> PageFlow::finish()
{
    finishPage();
    const int count = pageNumber();
    std::vector<RenderedPage> pages;
    pages.reserve(m_pages.size());
    for (size_t p = 0; p < m_pages.size(); ++p) {
        Page &page = m_pages[p];
        for (const auto &[index, control] : page.pageNumbers) {
            auto &text = std::get<TextItem>(page.items[index]);
            text.text = control->pageText(int(p) + 1, count);
            text.lines = TextMeasurer::paragraphs(text.text);
        }
        pages.emplace_back(m_paper, std::move(page.items));
    }
    m_pages.clear();
    return pages;
}
