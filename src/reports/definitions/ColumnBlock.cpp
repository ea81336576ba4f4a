#include "ColumnBlock.h"

#include "ReportBand.h"
#include "ReportDesign.h"

#include <algorithm>

ColumnBlock &ColumnBlock::add(const QString &caption, const QString &field, Kind kind, const QRectF &cell,
                              const QString &captionName)
{
    m_columns.push_back({caption, field, kind, cell, captionName});
    return *this;
}

double ColumnBlock::height() const
{
    double bottom = 0;
    for (const Column &c : m_columns)
        bottom = std::max(bottom, c.cell.bottom());
    return bottom;
}

void ColumnBlock::addCaptions(ReportBand &band, double top) const
{
    for (const Column &c : m_columns) {
        ReportText &caption = band.addLabel(c.caption, c.cell.translated(0, top));
        caption.setFont(ReportDesign::captionFont());
        if (!c.captionName.isEmpty())
            caption.setName(c.captionName);
    }
}

void ColumnBlock::addValues(ReportBand &band, double top) const
{
    for (const Column &c : m_columns) {
        const QRectF cell = c.cell.translated(0, top);
        ReportText &value = c.kind == Kind::Memo ? band.addMemo(c.field, cell) : band.addField(c.field, cell);
        value.setName(valueName(c.field)).setFont(ReportDesign::valueFont());
        switch (c.kind) {
        case Kind::Date:
            // Decided afresh for every row the band prints.
            value.setFormat(QString::fromLatin1(ReportDesign::kDateFormat)).setShownIf(fieldNotNull(c.field));
            break;
        case Kind::Time:
            value.setFormat(QStringLiteral("hh:nn"));
            break;
        case Kind::Text:
        case Kind::Memo:
            break;
        }
    }
}

QString ColumnBlock::valueName(const QString &field) { return field + QStringLiteral("Text"); }
