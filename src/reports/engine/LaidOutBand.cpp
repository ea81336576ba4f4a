#include "LaidOutBand.h"

#include "ReportBand.h"
#include "ReportText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEpsilon = 1e-6;

// Lines of a text whose whole height lies above the cut.
int linesAbove(const TextItem &text, double cut)
{
    if (text.lineHeight <= 0)
        return int(text.lines.size());
    const int n = int(std::floor((cut - text.box.top()) / text.lineHeight + kEpsilon));
    return std::clamp(n, 0, int(text.lines.size()));
}

} // namespace

LaidOutBand LaidOutBand::layOut(const ReportBand &band, const ReportContext &context,
                                TextMeasurer &measurer, double left)
{
    struct Placed
    {
        Item item;
        double top;
        double bottom;
        double growth;
        double shift = 0;
    };
    LaidOutBand out;
    std::vector<Placed> placed;
    placed.reserve(band.controls().size());
    for (const auto &control : band.controls()) {
        const auto *text = dynamic_cast<const ReportText *>(control.get());
        if (!control->isShown(context)) {
            if (text)
                out.m_texts.emplace_back(control.get(), QString());
            continue;
        }
        PagePrimitive primitive = control->layOut(context, measurer);
        if (text)
            out.m_texts.emplace_back(control.get(), std::get<TextItem>(primitive).text);
        const QRectF design = control->rect();
        const double growth = std::max(0.0, boundsOf(primitive).height() - design.height());
        placed.push_back({Item{std::move(primitive), text && text->isPageNumber() ? text : nullptr},
                          design.top(), design.bottom(), growth});
    }

    // Controls below a grown text move down by its growth (and by whatever moved it).
    std::vector<Placed *> byTop;
    for (Placed &p : placed)
        byTop.push_back(&p);
    std::stable_sort(byTop.begin(), byTop.end(), [](auto *a, auto *b) { return a->top < b->top; });
    double extra = 0;
    for (size_t i = 0; i < byTop.size(); ++i) {
        for (size_t j = 0; j < i; ++j)
            if (byTop[j]->growth > 0 && byTop[j]->bottom <= byTop[i]->top + kEpsilon)
                byTop[i]->shift = std::max(byTop[i]->shift, byTop[j]->shift + byTop[j]->growth);
        extra = std::max(extra, byTop[i]->shift + byTop[i]->growth);
    }

    out.m_height = band.height() + extra;
    out.m_items.reserve(placed.size());
    for (Placed &p : placed) {
        translate(p.item.primitive, QPointF(left, p.shift));
        out.m_items.push_back(std::move(p.item));
    }
    return out;
}

std::optional<std::pair<LaidOutBand, LaidOutBand>> LaidOutBand::splitAt(double cut) const
{
    // Move the cut up to the top of the first line that does not fit, for every text it crosses.
    for (bool moved = true; moved;) {
        moved = false;
        for (const Item &item : m_items) {
            const auto *text = std::get_if<TextItem>(&item.primitive);
            if (!text || text->box.top() >= cut - kEpsilon || text->box.bottom() <= cut + kEpsilon)
                continue;
            const int k = linesAbove(*text, cut);
            if (k >= int(text->lines.size()))
                continue;
            const double boundary = text->box.top() + k * text->lineHeight;
            if (boundary < cut - kEpsilon) {
                cut = boundary;
                moved = true;
            }
        }
    }
    if (cut <= kEpsilon)
        return std::nullopt;

    LaidOutBand head;
    LaidOutBand tail;
    head.m_height = cut;
    head.m_texts = m_texts;
    double tailHeight = m_height - cut;
    auto addToTail = [&](Item item, double top) {
        const QRectF bounds = boundsOf(item.primitive);
        translate(item.primitive, QPointF(0, top - bounds.top()));
        tailHeight = std::max(tailHeight, top + bounds.height());
        tail.m_items.push_back(std::move(item));
    };
    for (const Item &item : m_items) {
        const QRectF bounds = boundsOf(item.primitive);
        if (bounds.bottom() <= cut + kEpsilon) {
            head.m_items.push_back(item);
        } else if (bounds.top() >= cut - kEpsilon) {
            addToTail(item, bounds.top() - cut);
        } else if (const auto *text = std::get_if<TextItem>(&item.primitive)) {
            const int k = linesAbove(*text, cut);
            if (k >= int(text->lines.size())) {
                Item upper = item;
                std::get<TextItem>(upper.primitive).box.setBottom(cut);
                head.m_items.push_back(std::move(upper));
                continue;
            }
            if (k > 0) {
                Item upper = item;
                auto &t = std::get<TextItem>(upper.primitive);
                t.lines = text->lines.mid(0, k);
                t.box.setHeight(k * text->lineHeight);
                head.m_items.push_back(std::move(upper));
            }
            Item lower = item;
            auto &t = std::get<TextItem>(lower.primitive);
            t.lines = text->lines.mid(k);
            t.box.setHeight(std::max(double(t.lines.size()) * text->lineHeight,
                                     bounds.bottom() - cut));
            addToTail(std::move(lower), 0);
        } else {
            addToTail(item, 0);
        }
    }
    tail.m_height = tailHeight;
    if (tail.m_height >= m_height - kEpsilon)
        return std::nullopt;
    return std::make_pair(std::move(head), std::move(tail));
}
