#pragma once

#include <QRectF>
#include <QString>
#include <vector>

class ReportBand;

// Columns laid out as a block of cells: the captions print in one band (the page header, or a
// band before the rows) and the values at the same places in the band that carries the row.
class ColumnBlock
{
public:
    enum class Kind {
        Text,   // the field's text on one line
        Date,   // "ddddd hh:nn"; nothing at all when the field is null
        Time,   // a time of day, "hh:nn"
        Memo    // the whole text, wrapped; the band grows to fit
    };

    struct Column
    {
        QString caption;
        QString field;
        Kind kind = Kind::Text;
        QRectF cell;            // from the block's top left
        QString captionName;    // names the caption's label when a run sets it ("UserLabel1")
    };

    ColumnBlock &add(const QString &caption, const QString &field, Kind kind, const QRectF &cell,
                     const QString &captionName = QString());

    const std::vector<Column> &columns() const { return m_columns; }
    double height() const;

    void addCaptions(ReportBand &band, double top) const;
    void addValues(ReportBand &band, double top) const;

    // The name of the text control that prints a field's values.
    static QString valueName(const QString &field);

private:
    std::vector<Column> m_columns;
};
