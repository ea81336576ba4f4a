#include "TDBGridPlus.h"

#include "DataSource.h"
#include "Dataset.h"
#include "Field.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QHeaderView>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

// Rounds to the nearest integer, a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
int roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return int(lower) + 1;
    if (fraction < 0.5)
        return int(lower);
    return std::fmod(lower, 2.0) == 0.0 ? int(lower) : int(lower) + 1;
}

QPalette::ColorGroup colorGroup(const QStyleOptionViewItem &option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

// The brush the cell's background is drawn with: the selection colour when it is highlighted.
QBrush cellBrush(const QStyleOptionViewItem &option)
{
    if (option.state & QStyle::State_Selected)
        return option.palette.brush(colorGroup(option), QPalette::Highlight);
    if (option.backgroundBrush.style() != Qt::NoBrush)
        return option.backgroundBrush;
    return option.palette.brush(colorGroup(option), QPalette::Base);
}

} // namespace

TDBGridPlus::TDBGridPlus(QWidget *parent) : DBGrid(parent)
{
    connect(verticalHeader(), &QHeaderView::sectionResized, this, &TDBGridPlus::rowResized);
    horizontalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->viewport()->installEventFilter(this);
    // The corner button above the indicator column is the indicator's title cell.
    m_corner = findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);
    setDefaultRowHeight(verticalHeader()->defaultSectionSize());
}

void TDBGridPlus::setGridLineWidth(int pixels)
{
    m_gridLineWidth = qMax(0, pixels);
    setShowGrid(m_gridLineWidth > 0);
    viewport()->update();
}

void TDBGridPlus::setDrawMemo(TgedmMemo mode)
{
    m_drawMemo = mode;
    viewport()->update();
}

void TDBGridPlus::setDrawGraphic(TgedmGraphic mode)
{
    m_drawGraphic = mode;
    viewport()->update();
}

void TDBGridPlus::setDefaultRowHeight(int pixels)
{
    if (pixels <= 0)
        pixels = verticalHeader()->defaultSectionSize();
    applyRowHeight(pixels);
    m_rowHeight = pixels;
    updateTitleHeight();
}

void TDBGridPlus::updateTitleHeight()
{
    if (!titlesVisible())
        return;
    const QFontMetrics metrics(horizontalHeader()->font());
    setTitleHeight(metrics.size(Qt::TextSingleLine, QStringLiteral("Wg")).height() + 4);
}

void TDBGridPlus::setRowSizingAllowed(bool allowed)
{
    m_rowSizingAllowed = allowed;
    verticalHeader()->setSectionResizeMode(allowed ? QHeaderView::Interactive
                                                   : QHeaderView::Fixed);
}

int TDBGridPlus::currentColumn() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void TDBGridPlus::gridLayoutChanged()
{
    DBGrid::gridLayoutChanged();
    // The base grid's own height for the font must not stay.
    setDefaultRowHeight(m_rowHeight);
    m_badPictures.clear();
}

void TDBGridPlus::rowResized(int, int, int newHeight)
{
    if (isApplyingRowHeight())
        return;
    // The user sized one row: every row takes its height.
    if (newHeight != m_rowHeight)
        setDefaultRowHeight(newHeight);
}

// ---- cell drawing ---------------------------------------------------------------------------

QRect TDBGridPlus::adjustedPictureRect(const QRect &cell, const QSize &bitmap)
{
    const int W = cell.width();
    const int H = cell.height();
    const int w = bitmap.width();
    const int h = bitmap.height();
    const double fx = w == 0 ? 0.0 : double(W) / w;
    const double fy = h == 0 ? 0.0 : double(H) / h;
    int width = W;
    int height = H;
    if (fy >= fx)
        height = roundHalfEven(fx * h);
    else
        width = roundHalfEven(fy * w);
    return QRect(cell.left() + (W - width) / 2, cell.top() + (H - height) / 2, width, height);
}

void TDBGridPlus::prepareCell(QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!OnChangeDrawing)
        return;
    bool highlighted = option.state & QStyle::State_Selected;
    OnChangeDrawing(const_cast<TDBGridPlus &>(*this), index.column(), index.row(), option.state,
                    highlighted);
    if (highlighted)
        option.state |= QStyle::State_Selected;
    else
        option.state &= ~QStyle::State_Selected;
}

void TDBGridPlus::drawCellExtras(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    const Field *f = datasetModel()->fieldAt(index.column());
    if (!datasetModel()->dataset() || !f)
        return;
    if (f->type() == FieldType::Memo) {
        if (m_drawMemo == gedmYes && defaultDrawing())
            drawMemoCell(painter, option, index.data(DatasetModel::ValueRole).toString());
        return;
    }
    if (m_drawGraphic != gedgNo)
        drawPictureCell(painter, option, index);
}

void TDBGridPlus::drawMemoCell(QPainter *painter, const QStyleOptionViewItem &option,
                               QString text) const
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    painter->save();
    painter->fillRect(option.rect, cellBrush(option));
    painter->setClipRect(option.rect, Qt::IntersectClip);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(colorGroup(option),
                                         option.state & QStyle::State_Selected
                                             ? QPalette::HighlightedText
                                             : QPalette::Text));
    // No mnemonic flag: an "&" in a note is an ordinary character.
    painter->drawText(option.rect.adjusted(2, 2, 0, 0),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter->restore();
}

bool TDBGridPlus::drawPictureCell(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const QVariant value = index.data(DatasetModel::ValueRole);
    QImage image;
    if (value.typeId() == QMetaType::QImage) {
        image = value.value<QImage>();
    } else if (value.typeId() == QMetaType::QByteArray) {
        QByteArray bytes = value.toByteArray();
        if (!bytes.isEmpty()) {
            QBuffer buffer(&bytes);
            QImageReader reader(&buffer);
            image = reader.read();
            if (image.isNull()) {
                reportPictureError(index, reader.errorString());
                return false;
            }
        }
    } else {
        return false;   // not a picture
    }
    painter->save();
    painter->fillRect(option.rect, cellBrush(option));
    if (!image.isNull()) {
        const QRect target = m_drawGraphic == gedgStretch
                                 ? option.rect
                                 : adjustedPictureRect(option.rect, image.size());
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, image);
    }
    painter->restore();
    return true;
}

void TDBGridPlus::reportPictureError(const QModelIndex &index, const QString &message) const
{
    const QPair<int, int> cell(index.row(), index.column());
    if (m_badPictures.contains(cell))
        return;
    m_badPictures.insert(cell);
    // Not from inside the painting: the owner may show a message box.
    auto *self = const_cast<TDBGridPlus *>(this);
    QMetaObject::invokeMethod(self, [self, message] { emit self->error(message); },
                              Qt::QueuedConnection);
}

void TDBGridPlus::paintEvent(QPaintEvent *event)
{
    DBGrid::paintEvent(event);
    if (m_gridLineWidth <= 1 || model()->rowCount() == 0 || model()->columnCount() == 0)
        return;
    // Qt draws one-pixel lines; wider ones are laid over the cells' right and bottom edges.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor color = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    QPainter painter(viewport());
    const int w = m_gridLineWidth;
    int firstRow = rowAt(0);
    int lastRow = rowAt(viewport()->height() - 1);
    if (firstRow < 0)
        return;
    if (lastRow < 0)
        lastRow = model()->rowCount() - 1;
    const int bottom = rowViewportPosition(lastRow) + rowHeight(lastRow);
    for (int r = firstRow; r <= lastRow; ++r)
        painter.fillRect(0, rowViewportPosition(r) + rowHeight(r) - w, viewport()->width(), w,
                         color);
    for (int c = 0; c < model()->columnCount(); ++c) {
        if (isColumnHidden(c))
            continue;
        const int right = columnViewportPosition(c) + columnWidth(c);
        if (right >= 0 && right - w <= viewport()->width())
            painter.fillRect(right - w, 0, w, bottom, color);
    }
}

// ---- mouse and title clicks -----------------------------------------------------------------

QPoint TDBGridPlus::gridPos(QObject *where, QMouseEvent *event) const
{
    auto *widget = qobject_cast<QWidget *>(where);
    const QPoint pos = event->position().toPoint();
    return widget ? widget->mapTo(this, pos) : pos;
}

void TDBGridPlus::raiseMouse(const TMouseEvent &handler, QObject *where, QMouseEvent *event)
{
    if (!handler)
        return;
    const QPoint p = gridPos(where, event);
    handler(*this, event->button(), event->modifiers(), p.x(), p.y());
}

int TDBGridPlus::titleColumnAt(QObject *where, const QPoint &pos) const
{
    const int indicator = indicatorVisible() ? 1 : 0;
    if (where == horizontalHeader()->viewport()) {
        if (!horizontalHeader()->viewport()->rect().contains(pos))
            return -1;
        const int logical = horizontalHeader()->logicalIndexAt(pos);
        return logical < 0 ? -1 : logical + indicator;
    }
    if (m_corner && where == m_corner.data() && indicator)
        return m_corner->rect().contains(pos) ? 0 : -1;
    return -1;
}

bool TDBGridPlus::titlePress(QObject *where, QMouseEvent *event)
{
    const int column = titlesVisible() ? titleColumnAt(where, event->position().toPoint()) : -1;
    if (column >= 0) {
        TdbeNativeClick held;
        if (event->modifiers() & Qt::ShiftModifier)
            held |= ncssShift;
        if (event->modifiers() & Qt::ControlModifier)
            held |= ncssCtrl;
        if (event->modifiers() & Qt::AltModifier)
            held |= ncssAlt;
        if (held != m_nativeClick) {
            // Captured: the base grid never sees this press.
            m_capture = {true, column, event->button(), event->modifiers()};
            return true;
        }
    }
    m_capture = {};
    raiseMouse(OnMouseDown, where, event);
    return false;
}

void TDBGridPlus::titleMove(QObject *where, QMouseEvent *event)
{
    raiseMouse(OnMouseMove, where, event);
    if (m_capture.active && titleColumnAt(where, event->position().toPoint()) != m_capture.column)
        m_capture.active = false;   // moved onto another column or off the title row
}

bool TDBGridPlus::titleRelease(QObject *where, QMouseEvent *event)
{
    raiseMouse(OnMouseUp, where, event);
    if (!m_capture.active)
        return false;
    const TitleCapture capture = m_capture;
    m_capture = {};
    if (titleColumnAt(where, event->position().toPoint()) != capture.column)
        return true;
    // Data columns count from 0; the indicator's title cell is -1.
    const int index = capture.column - (indicatorVisible() ? 1 : 0);
    const QPoint p = gridPos(where, event);
    if (OnColumnClick)
        OnColumnClick(*this, index, capture.button, capture.shift, p.x(), p.y());
    const TColumnClickSimpleEvent *simple = nullptr;
    switch (capture.button) {
    case Qt::LeftButton: simple = &OnColumnLeftClick; break;
    case Qt::RightButton: simple = &OnColumnRightClick; break;
    case Qt::MiddleButton: simple = &OnColumnMiddleClick; break;
    default: break;
    }
    if (simple && *simple)
        (*simple)(*this, index, capture.shift, p.x(), p.y());
    return true;
}

bool TDBGridPlus::eventFilter(QObject *watched, QEvent *event)
{
    const bool title = watched == horizontalHeader()->viewport()
                       || (m_corner && watched == m_corner.data());
    const bool indicator = watched == verticalHeader()->viewport();
    if (title || indicator) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (title)
                return titlePress(watched, mouse);
            m_capture = {};
            raiseMouse(OnMouseDown, watched, mouse);
            break;
        case QEvent::MouseMove:
            if (title)
                titleMove(watched, mouse);
            else
                raiseMouse(OnMouseMove, watched, mouse);
            break;
        case QEvent::MouseButtonRelease:
            if (title)
                return titleRelease(watched, mouse);
            raiseMouse(OnMouseUp, watched, mouse);
            break;
        default:
            break;
        }
    }
    return DBGrid::eventFilter(watched, event);
}

void TDBGridPlus::mousePressEvent(QMouseEvent *event)
{
    m_capture = {};
    DBGrid::mousePressEvent(event);
    raiseMouse(OnMouseDown, viewport(), event);
}

void TDBGridPlus::mouseMoveEvent(QMouseEvent *event)
{
    DBGrid::mouseMoveEvent(event);
    raiseMouse(OnMouseMove, viewport(), event);
}

void TDBGridPlus::mouseReleaseEvent(QMouseEvent *event)
{
    DBGrid::mouseReleaseEvent(event);
    raiseMouse(OnMouseUp, viewport(), event);
}
