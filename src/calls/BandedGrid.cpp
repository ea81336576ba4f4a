#include "BandedGrid.h"

#include "BandedDatasetModel.h"
#include "BandedHeader.h"
#include "ControlColors.h"
#include "DataSource.h"
#include "Field.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <cmath>

namespace {

const QColor kMaroon(0x80, 0x00, 0x00);
constexpr int kMinBandWidth = 24;
constexpr int kDefaultBandWidth = 100;

QPalette::ColorGroup colorGroup(const QStyleOptionViewItem &option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

bool isNumber(const Field *f)
{
    return f && (f->type() == FieldType::Integer || f->type() == FieldType::Float);
}

} // namespace

// Draws a band's cell through the grid (which gives its owner the last word), then the cell's
// maroon edges at the right and the bottom.
class BandedGrid::Delegate : public QStyledItemDelegate
{
public:
    explicit Delegate(BandedGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem inner(option);
        inner.rect.adjust(0, 0, -1, -1);
        m_grid->paintCell(painter, inner, index, [&](const QStyleOptionViewItem &o) {
            m_grid->paintBand(painter, o, index);
        });
        painter->save();
        painter->setPen(kMaroon);
        const QRect &r = option.rect;
        painter->drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }

private:
    BandedGrid *m_grid;
};

BandedGrid::BandedGrid(QWidget *parent)
    : DBGrid(new BandedDatasetModel, parent),
      m_bands(static_cast<BandedDatasetModel *>(datasetModel())),
      m_header(new BandedHeader(m_bands, this))
{
    setHorizontalHeader(m_header);
    m_header->installEventFilter(this);     // font changes, as for the grid's own titles
    setItemDelegate(new Delegate(this));
    setReadOnly(true);
    setShowGrid(false);                     // the cells draw their own maroon lines
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setTabKeyNavigation(false);             // Tab leaves the grid; the arrows move within it
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);   // whole records at the top
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QPalette cream = palette();
    cream.setColor(QPalette::Base, ControlColors::kCream);
    setPalette(cream);

    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Interactive);
    connect(rows, &QHeaderView::sectionResized, this,
            [this](int, int, int newHeight) { rowResized(newHeight); });
    setRowHeight(twoLineHeight());

    connect(m_header, &QHeaderView::sectionResized, this,
            [this](int logical, int, int newSize) { bandResized(logical, newSize); });
    connect(m_header, &BandedHeader::columnsResized, viewport(), qOverload<>(&QWidget::update));
    connect(m_header, &BandedHeader::headingClicked, this, &BandedGrid::headingClicked);
}

void BandedGrid::setBands(const QList<GridBand> &bands)
{
    m_bands->setBands(bands);
    m_fitting = true;
    for (int i = 0; i < bands.size(); ++i) {
        m_header->setSectionResizeMode(i, bands[i].fixed ? QHeaderView::Fixed
                                                         : QHeaderView::Interactive);
        m_header->resizeSection(i, bands[i].width > 0 ? bands[i].width : kDefaultBandWidth);
    }
    m_fitting = false;
    fitBands();
}

const QList<GridBand> &BandedGrid::bands() const
{
    return m_bands->bands();
}

void BandedGrid::setUnboundText(std::function<QString(int, const BandColumn &)> text)
{
    m_bands->unboundText = std::move(text);
}

void BandedGrid::setInvertSelection(bool invert)
{
    m_invert = invert;
    viewport()->update();
}

void BandedGrid::setAutoWidth(bool on)
{
    m_autoWidth = on;
    fitBands();
}

int BandedGrid::twoLineHeight() const
{
    return 2 * (fontMetrics().height() + 4);
}

void BandedGrid::setRowHeight(int pixels)
{
    m_rowHeight = qMax(pixels, 4);
    applyRowHeight(m_rowHeight);
}

void BandedGrid::rowResized(int newHeight)
{
    // The user sized one row: every row takes its height.
    if (!isApplyingRowHeight() && newHeight != m_rowHeight)
        setRowHeight(newHeight);
}

void BandedGrid::gridLayoutChanged()
{
    // The band widths are the grid's own and stay through every re-read of the rows; the row
    // height stays what the user or the font made it.
    applyRowHeight(m_rowHeight);
}

void BandedGrid::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_rowHeight = twoLineHeight();
    DBGrid::changeEvent(event);
}

void BandedGrid::bandResized(int logicalIndex, int newSize)
{
    if (m_fitting)
        return;
    // The user sized the band: that is its width from now on.
    m_bands->setBandWidth(logicalIndex, newSize);
    fitBands(logicalIndex);
}

void BandedGrid::fitBands(int keep)
{
    if (!m_autoWidth || m_fitting)
        return;
    // The bands share the width by their own widths, not by their sizes of the moment, so that a
    // grid squeezed for a while (or while it was being laid out) gets its proportions back.
    int available = viewport()->width();
    QList<int> flexible;
    double total = 0;
    for (int i = 0; i < m_bands->bands().size(); ++i) {
        if (m_header->isSectionHidden(i))
            continue;
        if (i == keep || m_bands->band(i).fixed) {
            available -= m_header->sectionSize(i);
        } else {
            flexible << i;
            total += qMax(m_bands->band(i).width, 1);
        }
    }
    if (flexible.isEmpty())
        return;
    QList<int> widths;
    bool squeezed = false;
    int used = 0;
    for (int k = 0; k < flexible.size(); ++k) {
        const double share = qMax(m_bands->band(flexible[k]).width, 1) / total;
        int width = k == flexible.size() - 1 ? available - used
                                             : int(std::lround(share * available));
        if (width < kMinBandWidth) {
            width = kMinBandWidth;
            squeezed = true;
        }
        widths << width;
        used += width;
    }
    m_fitting = true;
    for (int k = 0; k < flexible.size(); ++k) {
        m_header->resizeSection(flexible[k], widths[k]);
        // After the user sized a band, the others' new sizes are their widths too, all in the
        // same pixels.
        if (keep >= 0 && !squeezed)
            m_bands->setBandWidth(flexible[k], widths[k]);
    }
    m_fitting = false;
}

bool BandedGrid::viewportEvent(QEvent *event)
{
    const bool handled = DBGrid::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        fitBands();     // the grid, or a scroll bar coming or going, changed the width
    return handled;
}

int BandedGrid::bandOf(const QString &columnName) const
{
    for (int i = 0; i < m_bands->bands().size(); ++i)
        if (m_bands->band(i).hasColumn(columnName))
            return i;
    return -1;
}

QString BandedGrid::columnAt(const QPoint &viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid())
        return {};
    const GridBand &band = m_bands->band(index.column());
    for (const GridBand::Placed &p : band.place(visualRect(index).adjusted(0, 0, -1, -1)))
        if (p.rect.contains(viewportPos))
            return band.columnAt(p).name;
    return {};
}

QRect BandedGrid::columnRect(int row, const QString &columnName) const
{
    const int b = bandOf(columnName);
    if (b < 0)
        return {};
    const GridBand &band = m_bands->band(b);
    const QRect cell = visualRect(m_bands->index(row, b)).adjusted(0, 0, -1, -1);
    for (const GridBand::Placed &p : band.place(cell))
        if (band.columnAt(p).name == columnName)
            return p.rect;
    return {};
}

void BandedGrid::prepareCell(QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // Not inverted: of the current row only the current cell is drawn selected.
    if (!m_invert && index.column() != currentIndex().column())
        option.state &= ~QStyle::State_Selected;
}

void BandedGrid::paintBand(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    const GridBand &band = m_bands->band(index.column());
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = colorGroup(option);
    painter->save();
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    else if (option.backgroundBrush.style() != Qt::NoBrush)
        painter->fillRect(option.rect, option.backgroundBrush);
    else
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Base));
    const QColor textColour =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    painter->setFont(option.font);
    const QFontMetrics metrics(option.font);

    for (const GridBand::Placed &p : band.place(option.rect)) {
        QRect content = p.rect;
        painter->setPen(kMaroon);
        if (!p.lastInLine) {
            painter->drawLine(p.rect.right(), p.rect.top(), p.rect.right(), p.rect.bottom());
            content.setRight(content.right() - 1);
        }
        if (p.line == 0 && !p.spansLines) {
            painter->drawLine(p.rect.left(), p.rect.bottom(), p.rect.right(), p.rect.bottom());
            content.setBottom(content.bottom() - 1);
        }
        const BandColumn &column = band.columnAt(p);
        if (!column.isBound())
            continue;   // the owner draws it
        const Field *f = m_bands->fieldOf(column);
        QString text = m_bands->columnText(index.row(), column);
        if (column.identifier) {
            painter->fillRect(content, ControlColors::kBlack);
            painter->setPen(ControlColors::kLime);
        } else {
            painter->setPen(textColour);
        }
        QRect textRect = content.adjusted(3, 1, -3, -1);
        painter->save();
        painter->setClipRect(content, Qt::IntersectClip);
        if (f && f->type() == FieldType::Memo) {
            // A note runs on over the lines it has, word-wrapped and cut after the last whole
            // line; "&" is an ordinary character.
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            const int lines = qMax(1, textRect.height() / metrics.lineSpacing());
            textRect.setHeight(qMin(textRect.height(), lines * metrics.lineSpacing()));
            painter->setClipRect(textRect, Qt::IntersectClip);
            painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        } else {
            const Qt::Alignment align = isNumber(f) ? Qt::AlignRight : Qt::AlignLeft;
            painter->drawText(textRect, align | Qt::AlignVCenter,
                              metrics.elidedText(text, Qt::ElideRight, textRect.width()));
        }
        painter->restore();
    }
    painter->restore();
}

void BandedGrid::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && (mods & Qt::KeypadModifier)
        && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
        // Ctrl and the keypad's + or -: the view moves one line down or up; the record stays.
        verticalScrollBar()->triggerAction(event->key() == Qt::Key_Plus
                                               ? QAbstractSlider::SliderSingleStepAdd
                                               : QAbstractSlider::SliderSingleStepSub);
        event->accept();
        return;
    }
    DBGrid::keyPressEvent(event);
}

void BandedGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            setCurrentIndex(index);     // the row clicked becomes the current record
    }
    DBGrid::mousePressEvent(event);
}

void BandedGrid::contextMenuEvent(QContextMenuEvent *event)
{
    QString column;
    if (event->reason() == QContextMenuEvent::Mouse) {
        column = columnAt(event->pos());
    } else if (const QModelIndex current = currentIndex(); current.isValid()) {
        const GridBand &band = m_bands->band(current.column());
        for (const auto &line : band.lines)
            if (column.isEmpty() && !line.isEmpty())
                column = line.first().name;
    }
    event->accept();
    if (!column.isEmpty())
        emit cellMenuRequested(column);
}
