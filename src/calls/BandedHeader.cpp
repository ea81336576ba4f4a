#include "BandedHeader.h"

#include "BandedDatasetModel.h"
#include "DataSource.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <cmath>

namespace {

constexpr int kEdgeReach = 3;       // pixels either side of an edge that grab it
constexpr int kMinColumnWidth = 12;

} // namespace

BandedHeader::BandedHeader(BandedDatasetModel *bands, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), m_bands(bands)
{
    setSectionsMovable(false);
    setSectionsClickable(false);
    setHighlightSections(false);
    viewport()->setMouseTracking(true);
    // Sizing a band to its contents would look at the rows in view only, and at the texts of
    // all its columns on one line: never wanted.
    setResizeContentsPrecision(0);
}

int BandedHeader::tierHeight() const
{
    return fontMetrics().height() + 6;
}

QSize BandedHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(3 * tierHeight());
    return size;
}

QRect BandedHeader::sectionRect(int logicalIndex) const
{
    return QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex),
                 viewport()->height());
}

QRect BandedHeader::columnsRect(int logicalIndex) const
{
    return sectionRect(logicalIndex).adjusted(0, tierHeight(), 0, 0);
}

void BandedHeader::drawHeading(QPainter *painter, const QRect &rect, const QString &text,
                               Qt::Alignment alignment, int logicalIndex) const
{
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    opt.text = text;
    opt.textAlignment = alignment;
    opt.position = QStyleOptionHeader::Middle;
    opt.state |= QStyle::State_Raised;
    if (isEnabled())
        opt.state |= QStyle::State_Enabled;
    style()->drawControl(QStyle::CE_Header, &opt, painter, this);
}

void BandedHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid() || logicalIndex < 0 || logicalIndex >= m_bands->bands().size())
        return;
    const GridBand &band = m_bands->band(logicalIndex);
    const QList<GridBand::Placed> placed = band.place(rect.adjusted(0, tierHeight(), 0, 0));
    bool anyHeading = !band.caption.isEmpty();
    for (const GridBand::Placed &p : placed)
        anyHeading = anyHeading || !band.columnAt(p).heading().isEmpty();
    if (!anyHeading) {
        drawHeading(painter, rect, QString(), Qt::AlignCenter, logicalIndex);
        return;
    }
    drawHeading(painter, QRect(rect.left(), rect.top(), rect.width(), tierHeight()), band.caption,
                Qt::AlignCenter, logicalIndex);
    for (const GridBand::Placed &p : placed)
        drawHeading(painter, p.rect, band.columnAt(p).heading(), Qt::AlignLeft | Qt::AlignVCenter,
                    logicalIndex);
}

QString BandedHeader::columnAt(const QPoint &pos) const
{
    if (pos.y() < tierHeight())
        return {};
    const int logical = logicalIndexAt(pos.x());
    if (logical < 0 || logical >= m_bands->bands().size())
        return {};
    const GridBand &band = m_bands->band(logical);
    for (const GridBand::Placed &p : band.place(columnsRect(logical)))
        if (p.rect.contains(pos))
            return band.columnAt(p).name;
    return {};
}

QRect BandedHeader::headingRect(const QString &columnName) const
{
    for (int logical = 0; logical < m_bands->bands().size(); ++logical) {
        if (isSectionHidden(logical))
            continue;
        const GridBand &band = m_bands->band(logical);
        for (const GridBand::Placed &p : band.place(columnsRect(logical)))
            if (band.columnAt(p).name == columnName)
                return p.rect;
    }
    return {};
}

BandedHeader::Edge BandedHeader::edgeAt(const QPoint &pos) const
{
    if (pos.y() < tierHeight())
        return {};
    const int logical = logicalIndexAt(pos.x());
    if (logical < 0 || logical >= m_bands->bands().size() || m_bands->band(logical).fixed)
        return {};
    for (const GridBand::Placed &p : m_bands->band(logical).place(columnsRect(logical))) {
        if (p.lastInLine || pos.y() < p.rect.top() || pos.y() > p.rect.bottom())
            continue;
        const int edge = p.rect.left() + p.rect.width();
        if (std::abs(pos.x() - edge) <= kEdgeReach)
            return {logical, p.line, p.index};
    }
    return {};
}

void BandedHeader::dragEdge(int x)
{
    const GridBand &band = m_bands->band(m_dragging.band);
    QRect left, right;
    for (const GridBand::Placed &p : band.place(columnsRect(m_dragging.band))) {
        if (p.line != m_dragging.line)
            continue;
        if (p.index == m_dragging.index)
            left = p.rect;
        else if (p.index == m_dragging.index + 1)
            right = p.rect;
    }
    const int end = right.left() + right.width();
    if (left.isEmpty() || right.isEmpty() || end - left.left() < 2 * kMinColumnWidth)
        return;
    x = qBound(left.left() + kMinColumnWidth, x, end - kMinColumnWidth);
    // The two columns keep their joint share of the band and split it where the edge is.
    const QList<BandColumn> &line = band.lines[size_t(m_dragging.line)];
    const int joint = qMax(line[m_dragging.index].width + line[m_dragging.index + 1].width,
                           left.width() + right.width());
    const int first = qBound(1, int(std::lround(double(joint) * (x - left.left())
                                                / double(end - left.left()))),
                             joint - 1);
    m_bands->setColumnWidth(m_dragging.band, m_dragging.line, m_dragging.index, first);
    m_bands->setColumnWidth(m_dragging.band, m_dragging.line, m_dragging.index + 1, joint - first);
    viewport()->update();
    emit columnsResized();
}

void BandedHeader::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    m_pressed.clear();
    if (event->button() == Qt::LeftButton) {
        if (const Edge edge = edgeAt(pos); edge.valid()) {
            m_dragging = edge;
            event->accept();
            return;
        }
        // A press on a band's edge sizes the band; anywhere else on a heading it may be a click.
        const int logical = logicalIndexAt(pos.x());
        const int left = logical < 0 ? 0 : sectionViewportPosition(logical);
        const int right = logical < 0 ? 0 : left + sectionSize(logical);
        const int reach = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this) + 1;
        if (logical >= 0 && pos.x() > left + reach && pos.x() < right - reach) {
            m_pressed = columnAt(pos);
            m_pressPos = pos;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void BandedHeader::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragging.valid()) {
        dragEdge(pos.x());
        event->accept();
        return;
    }
    if (!m_pressed.isEmpty()
        && (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance())
        m_pressed.clear();
    QHeaderView::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton && edgeAt(pos).valid())
        setCursor(Qt::SplitHCursor);
}

void BandedHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging.valid()) {
        m_dragging = {};
        event->accept();
        return;
    }
    const QString pressed = m_pressed;
    m_pressed.clear();
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !pressed.isEmpty()
        && columnAt(event->position().toPoint()) == pressed)
        emit headingClicked(pressed);
}

void BandedHeader::mouseDoubleClickEvent(QMouseEvent *event)
{
    // No sizing of a band to its contents: a double click is a second press.
    mousePressEvent(event);
}

bool BandedHeader::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave && !m_dragging.valid())
        unsetCursor();
    return QHeaderView::viewportEvent(event);
}
