#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <array>

// One column of a banded grid: a field of the grid's dataset, or an unbound column whose cells
// the grid's owner draws.
struct BandColumn
{
    QString name;               // the column's name; a bound column's is its field's
    QString fieldName;          // empty: unbound
    QString caption;            // the heading; empty: the field's name
    int width = 0;              // the column's share of its band's width
    bool identifier = false;    // drawn lime on black

    bool isBound() const { return !fieldName.isEmpty(); }
    QString heading() const { return caption.isEmpty() ? fieldName : caption; }

    static BandColumn field(const QString &fieldName, int width, const QString &caption = {})
    {
        return {fieldName, fieldName, caption, width, false};
    }
};

// Columns grouped under one heading and laid out on the two lines of a record. Within a line the
// columns share the band's width in proportion to their widths; the columns of the first line
// take both lines when the second line has none.
struct GridBand
{
    QString caption;            // empty: none
    QString accessibleName;     // what assistive technology calls a band without a caption
    int width = 0;              // pixels
    bool fixed = false;         // the user cannot size it, and fitting the grid leaves it alone
    std::array<QList<BandColumn>, 2> lines;

    // A column placed in a rectangle of the band.
    struct Placed
    {
        int line = 0;
        int index = 0;          // within its line
        QRect rect;
        bool spansLines = false;
        bool lastInLine = false;
    };
    // Where the columns lie in a rectangle holding the band's two lines.
    QList<Placed> place(const QRect &twoLines) const;

    const BandColumn &columnAt(const Placed &placed) const
    {
        return lines[size_t(placed.line)][placed.index];
    }
    bool hasColumn(const QString &name) const;
};
