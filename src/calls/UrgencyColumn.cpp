#include "UrgencyColumn.h"

#include "CallPictures.h"
#include "Clock.h"
#include "Dataset.h"
#include "DbError.h"

#include <QCoreApplication>
#include <QPainter>

UrgencyColumn::UrgencyColumn(Dataset &rows, Dataset &urgencyTable, int statusClosedId)
    : m_rows(rows), m_urgency(urgencyTable), m_closedId(statusClosedId)
{
}

UrgencyColumn::Cell UrgencyColumn::cellAt(int row) const
{
    if (!m_rows.isActive() || row < 0 || row >= m_rows.recordCount())
        return {};
    const Field *status = m_rows.findField(QStringLiteral("StatusID"));
    const Field *due = m_rows.findField(QStringLiteral("DueDate"));
    if (!status || !due)
        return {};
    try {
        const QVariant statusId = m_rows.valueAt(row, *status);
        const bool closed = !statusId.isNull() && statusId.toLongLong() == m_closedId;
        const QDateTime dueAt = m_rows.valueAt(row, *due).toDateTime();

        std::vector<UrgencyLevel> levels = urgencyLevelsOf(m_urgency);
        // The rule picks one level; to learn which, give each level its position as its colour.
        std::vector<UrgencyLevel> numbered = levels;
        for (size_t i = 0; i < numbered.size(); ++i)
            numbered[i].colour = QColor::fromRgb(QRgb(i));
        UrgencyMark mark = urgencyMarkFor(closed, dueAt, Clock::now(), numbered);

        switch (mark.kind) {
        case UrgencyMark::Kind::Empty:
            return {};
        case UrgencyMark::Kind::Closed:
            return {mark, QCoreApplication::translate("UrgencyColumn", "Closed")};
        case UrgencyMark::Kind::Overdue:
            return {mark, QCoreApplication::translate("UrgencyColumn", "Overdue")};
        case UrgencyMark::Kind::Colour:
            break;
        }
        if (levels.empty())     // the grid's own cream: nothing to tell
            return {urgencyMarkFor(closed, dueAt, Clock::now(), levels), QString()};
        const int level = int(mark.colour.rgb() & 0xFFFFFF);
        mark.colour = levels[size_t(level)].colour;
        const Field *description = m_urgency.findField(QStringLiteral("Description"));
        return {mark, description ? m_urgency.valueAt(level, *description).toString() : QString()};
    } catch (const DbError &) {
        // An unreadable row shows no mark; the grid reports the read failure itself.
        return {};
    }
}

void UrgencyColumn::paint(QPainter &painter, const QRect &cell, int row) const
{
    const UrgencyMark mark = cellAt(row).mark;
    switch (mark.kind) {
    case UrgencyMark::Kind::Empty:
        break;
    case UrgencyMark::Kind::Closed:
        CallPictures::paint(painter, cell, CallPictures::Picture::Closed);
        break;
    case UrgencyMark::Kind::Overdue:
        CallPictures::paint(painter, cell, CallPictures::Picture::Overdue);
        break;
    case UrgencyMark::Kind::Colour:
        painter.fillRect(cell, mark.colour);
        break;
    }
}
