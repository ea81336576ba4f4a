#pragma once

#include "DBGrid.h"
#include "GridBand.h"

#include <functional>

class BandedDatasetModel;
class BandedHeader;

// A read-only data grid whose records take two lines each, under columns grouped in bands
// (BandedDatasetModel). Rows are read only as they come into view, and the grid's current row
// and the dataset's cursor follow each other, as in every DBGrid.
//
// Bands, columns and rows can be sized: a band by its edge in the top row of headings, a column
// by its edge within its band, every row at once by any row's edge in the indicator column.
// The grid is cream with maroon lines; identifier columns are lime on black. Unbound columns
// are left to the owner's DrawColumnCell (column = the band) and unboundText.
class BandedGrid : public DBGrid
{
    Q_OBJECT
public:
    explicit BandedGrid(QWidget *parent = nullptr);

    void setBands(const QList<GridBand> &bands);
    const QList<GridBand> &bands() const;
    BandedDatasetModel *bandedModel() const { return m_bands; }
    BandedHeader *bandedHeader() const { return m_header; }
    // What an unbound column's cell shows, in words, for assistive technology.
    void setUnboundText(std::function<QString(int row, const BandColumn &column)> text);

    // On: the current row is drawn inverted across the whole row. Off: only its current cell
    // is (the indicator column marks the row either way).
    bool invertSelection() const { return m_invert; }
    void setInvertSelection(bool invert);
    // On: the bands that are not fixed share the grid's width, keeping their proportions.
    // Off: every band keeps its own width.
    bool autoWidth() const { return m_autoWidth; }
    void setAutoWidth(bool on);

    // The height of every row (two lines).
    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int pixels);

    // The band holding a column; -1 when none does.
    int bandOf(const QString &columnName) const;
    // The column at a point of the viewport, and where a column lies in a row (viewport).
    QString columnAt(const QPoint &viewportPos) const;
    QRect columnRect(int row, const QString &columnName) const;

signals:
    // The heading of a column was clicked.
    void headingClicked(const QString &columnName);
    // The right mouse button on a cell of a column (its row is made current first), or the
    // context menu key on the current cell (the first column of its band).
    void cellMenuRequested(const QString &columnName);

protected:
    void gridLayoutChanged() override;
    void prepareCell(QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    class Delegate;
    void paintBand(QPainter *painter, const QStyleOptionViewItem &option,
                   const QModelIndex &index) const;
    void fitBands(int keep = -1);
    void bandResized(int logicalIndex, int newSize);
    void rowResized(int newHeight);
    int twoLineHeight() const;

    BandedDatasetModel *m_bands;
    BandedHeader *m_header;
    bool m_invert = true;
    bool m_autoWidth = false;
    bool m_fitting = false;
    int m_rowHeight = 0;
};
