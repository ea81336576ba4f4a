#pragma once

#include "DatasetModel.h"

#include <QStyle>
#include <QTableView>
#include <functional>

class DataSource;
class Dataset;
class QStyleOptionViewItem;

// A data-aware grid: one row per record of a data source's dataset, one column per field.
// The grid's current row and the dataset's cursor follow each other; rows are read only as
// they come into view. Cells are edited in place (with a drop-down for columns that have a
// pick list) unless the grid or the column is read-only.
//
// The vertical header serves as the indicator column: it marks the current record (a triangle
// while browsing, "I" while editing, "*" while inserting), and its corner button is the
// indicator's title cell.
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    // The owner's drawing of a cell, after the grid's own: painter, cell rectangle, column
    // index among the data columns, the cell, its draw state.
    using DrawColumnCellEvent = std::function<void(QPainter &, const QRect &, int,
                                                   const QModelIndex &, QStyle::State)>;

    explicit DBGrid(QWidget *parent = nullptr);

    DataSource *dataSource() const;
    void setDataSource(DataSource *source);
    // No columns: every visible field of the dataset.
    void setColumns(const QList<GridColumn> &columns);
    QList<GridColumn> columns() const;
    DatasetModel *datasetModel() const { return m_model; }

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // Off: the grid fills the cells' backgrounds and leaves their contents to DrawColumnCell.
    bool defaultDrawing() const { return m_defaultDrawing; }
    void setDefaultDrawing(bool on);
    bool titlesVisible() const;
    void setTitlesVisible(bool visible);
    bool indicatorVisible() const;
    void setIndicatorVisible(bool visible);
    // The title row's height in pixels; 0 takes the style's height for the title font.
    int titleHeight() const;
    void setTitleHeight(int pixels);

    DrawColumnCellEvent DrawColumnCell;

    // Used by the grid's delegate: paints one cell, giving the subclasses their say.
    void paintCell(QPainter *painter, const QStyleOptionViewItem &option,
                   const QModelIndex &index,
                   const std::function<void(const QStyleOptionViewItem &)> &defaultPaint) const;

    void keyboardSearch(const QString &search) override;

signals:
    // A failure of the data layer while the grid moved or edited the dataset.
    void error(const QString &message);

protected:
    // For a subclass whose model shapes the columns its own way; the grid takes the model over.
    DBGrid(DatasetModel *model, QWidget *parent);

    // After the columns, the data source or a font changed: column widths and row heights.
    virtual void gridLayoutChanged();
    // Before a cell is drawn: may change its state (such as whether it is highlighted).
    virtual void prepareCell(QStyleOptionViewItem &option, const QModelIndex &index) const;
    // After the grid has drawn a cell and before DrawColumnCell.
    virtual void drawCellExtras(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const;

    // Sets the default height of every row; a subclass can tell its own change from the user's.
    void applyRowHeight(int pixels);
    bool isApplyingRowHeight() const { return m_applyingRowHeight; }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followDataset();
    void applyColumnWidths();
    int naturalRowHeight() const;

    DatasetModel *m_model;
    bool m_readOnly = false;
    bool m_defaultDrawing = true;
    bool m_following = false;
    bool m_applyingRowHeight = false;
    QStringList m_widthsFor;    // the columns the widths were last worked out for
};
