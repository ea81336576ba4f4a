#include "DBNavigator.h"

#include "DataSource.h"
#include "Dataset.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QtDebug>
#include <cmath>

namespace {

// The hourglass while a button acts, restored however the action ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

constexpr int kIconSize = 16;

QPolygonF triangle(bool pointsLeft, qreal left, qreal right)
{
    const qreal tip = pointsLeft ? left : right;
    const qreal base = pointsLeft ? right : left;
    return QPolygonF({QPointF(base, 3), QPointF(base, 13), QPointF(tip, 8)});
}

// Small line drawings in the manner of the usual record buttons.
QIcon drawIcon(DBNavigator::Button which)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x20, 0x20, 0x20);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);

    switch (which) {
    case DBNavigator::First:
        p.drawRect(QRectF(3, 3, 2, 10));
        p.drawPolygon(triangle(true, 6, 12));
        break;
    case DBNavigator::Prior:
        p.drawPolygon(triangle(true, 5, 11));
        break;
    case DBNavigator::Next:
        p.drawPolygon(triangle(false, 5, 11));
        break;
    case DBNavigator::Last:
        p.drawPolygon(triangle(false, 4, 10));
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case DBNavigator::Insert:
        p.drawRect(QRectF(3, 7, 10, 2));
        p.drawRect(QRectF(7, 3, 2, 10));
        break;
    case DBNavigator::Delete:
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DBNavigator::Edit: {
        // a pencil lying from the lower left to the upper right
        p.translate(8, 8);
        p.rotate(-45);
        p.drawRect(QRectF(-3, -1.5, 8, 3));
        p.drawPolygon(QPolygonF({QPointF(-3, -1.5), QPointF(-3, 1.5), QPointF(-6, 0)}));
        p.setBrush(QColor(0xC0, 0x40, 0x40));
        p.drawRect(QRectF(5.5, -1.5, 1.5, 3));
        break;
    }
    case DBNavigator::Post: {
        p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    }
    case DBNavigator::Cancel:
        p.setPen(QPen(QColor(0xC0, 0x00, 0x00), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DBNavigator::Refresh: {
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        const QRectF circle(3, 3, 10, 10);
        p.drawArc(circle, 90 * 16, 270 * 16);    // from twelve o'clock round to three
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        // the arrow head at twelve o'clock, pointing right
        p.drawPolygon(QPolygonF({QPointF(7, 0.5), QPointF(11, 3), QPointF(7, 5.5)}));
        break;
    }
    }
    p.end();
    return QIcon(pixmap);
}

constexpr DBNavigator::Button kOrder[] = {
    DBNavigator::First, DBNavigator::Prior, DBNavigator::Next,   DBNavigator::Last,
    DBNavigator::Insert, DBNavigator::Delete, DBNavigator::Edit, DBNavigator::Post,
    DBNavigator::Cancel, DBNavigator::Refresh};

} // namespace

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (Button which : kOrder) {
        auto *b = new QToolButton(this);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIcon(drawIcon(which));
        b->setIconSize(QSize(kIconSize, kIconSize));
        b->setToolTip(hint(which));
        b->setAccessibleName(hint(which));
        // Reached with Tab, but a click leaves the focus where the typing is, so that a post
        // writes the typed text rather than a focus change writing it first.
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this, [this, which] { press(which); });
        layout->addWidget(b);
        m_buttons[indexOf(which)] = b;
    }
    layout->addStretch(0);
    setAccessibleName(tr("Record navigator"));
    updateButtons();
}

int DBNavigator::indexOf(Button which)
{
    int i = 0;
    for (unsigned bits = unsigned(which); bits > 1; bits >>= 1)
        ++i;
    return i;
}

QString DBNavigator::hint(Button which)
{
    switch (which) {
    case First: return tr("First record (Ctrl-Shift <)");
    case Prior: return tr("Prior record (Ctrl <)");
    case Next: return tr("Next record (Ctrl >)");
    case Last: return tr("Last record (Ctrl-Shift >)");
    case Insert: return tr("Insert record");
    case Delete: return tr("Delete record");
    case Edit: return tr("Edit record");
    case Post: return tr("Post edit");
    case Cancel: return tr("Cancel edit");
    case Refresh: return tr("Refresh data");
    }
    return {};
}

QToolButton *DBNavigator::button(Button which) const
{
    return m_buttons[indexOf(which)];
}

void DBNavigator::setDataSource(DataSource *source)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (source) {
        const auto follow = [this] { updateButtons(); };
        m_connections << connect(source, &DataSource::datasetChanged, this, follow)
                      << connect(source, &DataSource::activeChanged, this, follow)
                      << connect(source, &DataSource::stateChanged, this, follow)
                      << connect(source, &DataSource::recordChanged, this, follow)
                      << connect(source, &DataSource::dataSetChanged, this, follow)
                      << connect(source, &QObject::destroyed, this, follow, Qt::QueuedConnection);
    }
    updateButtons();
}

void DBNavigator::setVisibleButtons(Buttons buttons)
{
    m_visible = buttons;
    for (Button which : kOrder)
        button(which)->setVisible(buttons.testFlag(which));
}

Dataset *DBNavigator::activeDataset() const
{
    if (!m_source || !m_source->isEnabled())
        return nullptr;
    Dataset *ds = m_source->dataset();
    return ds && ds->isActive() ? ds : nullptr;
}

void DBNavigator::updateButtons()
{
    Dataset *ds = activeDataset();
    const bool active = ds != nullptr;
    const bool editing = active && ds->isEditing();
    const bool changeable = active && ds->canModify() && !editing;
    const bool hasRows = active && !ds->isEmpty();

    button(First)->setEnabled(active && !ds->bof());
    button(Prior)->setEnabled(active && !ds->bof());
    button(Next)->setEnabled(active && !ds->eof());
    button(Last)->setEnabled(active && !ds->eof());
    button(Insert)->setEnabled(changeable);
    button(Delete)->setEnabled(changeable && hasRows);
    button(Edit)->setEnabled(changeable);   // on an empty list it starts a new row
    button(Post)->setEnabled(editing);
    button(Cancel)->setEnabled(editing);
    button(Refresh)->setEnabled(active && !editing);
}

void DBNavigator::doAction(Button which)
{
    Dataset *ds = activeDataset();
    if (!ds)
        return;
    // The question comes before the hourglass.
    if (which == Delete && confirmDelete && !confirmDelete(tr("Delete record?")))
        return;
    WaitCursor wait;
    switch (which) {
    case First: ds->first(); break;
    case Prior: ds->prior(); break;
    case Next: ds->next(); break;
    case Last: ds->last(); break;
    case Insert: ds->insert(); break;
    case Delete: ds->remove(); break;
    case Edit: ds->edit(); break;
    case Post: ds->post(); break;
    case Cancel: ds->cancel(); break;
    case Refresh: ds->refresh(); break;
    }
}

void DBNavigator::press(Button which)
{
    // Qt lets no exception through its event loop: an engine error is reported here.
    try {
        doAction(which);
    } catch (const DbError &e) {
        report(e.message());
        updateButtons();
        return;
    } catch (const std::exception &e) {
        report(QString::fromLocal8Bit(e.what()));
        updateButtons();
        return;
    }
    updateButtons();
    emit clicked(which);
}

void DBNavigator::report(const QString &message)
{
    if (onError)
        onError(message);
    else
        qWarning().noquote() << message;
}

bool DBNavigator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int step = key->key() == Qt::Key_Left ? -1 : key->key() == Qt::Key_Right ? 1 : 0;
        int from = -1;
        for (int i = 0; i < kButtonCount; ++i) {
            if (m_buttons[i] == watched)
                from = i;
        }
        if (step != 0 && from >= 0 && key->modifiers() == Qt::NoModifier) {
            // the next visible, enabled button that way, if any
            for (int i = from + step; i >= 0 && i < kButtonCount; i += step) {
                QToolButton *b = m_buttons[i];
                if (b->isVisibleTo(this) && b->isEnabled()) {
                    b->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
