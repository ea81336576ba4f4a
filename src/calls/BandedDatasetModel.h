#pragma once

#include "DatasetModel.h"
#include "GridBand.h"

#include <functional>

// The rows of a dataset with one model column per band of a banded grid. Like its base it asks
// the dataset for a row only when a view shows that row.
//
// A band's cell speaks for all of its columns: its display and accessible text name every
// column with its value ("CallID 12, Org Name Acme, ..."), and its heading names the band and
// its columns. The texts of unbound columns come from unboundText.
class BandedDatasetModel : public DatasetModel
{
    Q_OBJECT
public:
    explicit BandedDatasetModel(QObject *parent = nullptr);

    void setBands(const QList<GridBand> &bands);
    const QList<GridBand> &bands() const { return m_bands; }
    const GridBand &band(int column) const { return m_bands.at(column); }
    // A new share of its band for one column, as when the user drags a column's edge.
    void setColumnWidth(int band, int line, int index, int width);
    // A band's own width, the share it keeps when the bands are fitted to a grid's width.
    void setBandWidth(int band, int width);

    // The field a bound column shows; nullptr when unbound or not in the dataset.
    Field *fieldOf(const BandColumn &column) const;
    // The display text of a bound column at a row; empty when it cannot be read.
    QString columnText(int row, const BandColumn &column) const;
    // The text of any column at a row: a bound column's display text, else unboundText's.
    QString cellText(int row, const BandColumn &column) const;

    // What an unbound column's cell shows, in words, for assistive technology.
    std::function<QString(int row, const BandColumn &column)> unboundText;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString bandText(int row, const GridBand &band) const;
    QString bandHeading(const GridBand &band) const;
    void reportReadError(const QString &message) const;

    QList<GridBand> m_bands;
    mutable bool m_readErrorShown = false;
};
