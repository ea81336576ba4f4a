#pragma once

#include "ReportPrimitives.h"

#include <optional>
#include <utility>
#include <vector>

class ReportBand;
class ReportContext;
class ReportControl;
class ReportText;
class TextMeasurer;

// One printing of a band: its primitives with x on the paper and y from the band's top, the
// height it takes, and the text each of its text controls printed (empty for a hidden one).
//
// A growing text pushes down the controls that start below its designed bottom and makes the
// band taller by as much as it grew.
class LaidOutBand
{
public:
    struct Item
    {
        PagePrimitive primitive;
        const ReportText *pageNumber = nullptr;   // set for page numbers, filled in at the end
    };
    using PrintedText = std::pair<const ReportControl *, QString>;

    static LaidOutBand layOut(const ReportBand &band, const ReportContext &context,
                              TextMeasurer &measurer, double left);

    double height() const { return m_height; }
    const std::vector<Item> &items() const { return m_items; }
    const std::vector<PrintedText> &printedTexts() const { return m_texts; }

    // The band cut at a height, for a band taller than a page: the part above the cut and the
    // part for the next page. Texts that cross the cut are divided between their lines (the cut
    // moves up to a line's top); other primitives that cross it go whole to the second part.
    // nullopt when the second part would be no shorter than the band.
    std::optional<std::pair<LaidOutBand, LaidOutBand>> splitAt(double cut) const;

private:
    double m_height = 0;
    std::vector<Item> m_items;
    std::vector<PrintedText> m_texts;
};
