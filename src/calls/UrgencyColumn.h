#pragma once

#include "UrgencyColour.h"

#include <QString>

class Dataset;
class QPainter;
class QRect;

// The urgency column of the calls and actions grids: what its cell shows for a row of the calls
// or actions dataset, as a drawing and in words. The levels are read from the urgency table's
// rows in memory every time, never from the database, so a change made in the urgency window
// shows at the next repaint.
class UrgencyColumn
{
public:
    UrgencyColumn(Dataset &rows, Dataset &urgencyTable, int statusClosedId);

    struct Cell
    {
        UrgencyMark mark;
        QString text;       // "Closed", "Overdue", the level's description, or nothing
    };
    // The cell of a row of the rows dataset (0-based); an empty cell when it cannot be read.
    Cell cellAt(int row) const;

    // Draws the row's mark over the cell: a picture or a colour; nothing for an empty cell,
    // which the grid has painted already.
    void paint(QPainter &painter, const QRect &cell, int row) const;

private:
    Dataset &m_rows;
    Dataset &m_urgency;
    int m_closedId;
};
