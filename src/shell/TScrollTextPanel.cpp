#include "TScrollTextPanel.h"

#include "RunGuarded.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

namespace {

const QColor kLetters(0xE0, 0xE0, 0xC8);
const QColor kHighlight(0xFF, 0xFF, 0xFF);
const QColor kShadow(0x60, 0x60, 0x60);

} // namespace

TScrollTextPanel::TScrollTextPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    m_timer = new QTimer(this);
    m_timer->setInterval(30);
    connect(m_timer, &QTimer::timeout, this, [this] { runGuarded([this] { step(); }); });
}

void TScrollTextPanel::setLines(const QStringList &lines)
{
    m_lines = lines;
    m_position = 0;
    setAccessibleDescription(lines.join(QLatin1Char('\n')));
    update();
}

void TScrollTextPanel::setInterval(int ms) { m_timer->setInterval(ms); }

int TScrollTextPanel::interval() const { return m_timer->interval(); }

void TScrollTextPanel::start() { m_timer->start(); }

void TScrollTextPanel::stop() { m_timer->stop(); }

bool TScrollTextPanel::isRunning() const { return m_timer->isActive(); }

int TScrollTextPanel::lineHeight() const { return fontMetrics().lineSpacing() + 2; }

int TScrollTextPanel::textHeight() const { return int(m_lines.size()) * lineHeight(); }

int TScrollTextPanel::cycleLength() const { return qMax(1, textHeight() + height()); }

int TScrollTextPanel::textTop() const
{
    // Up and out at the top, then in again from the bottom edge.
    return m_position < textHeight() ? -m_position : height() - (m_position - textHeight());
}

void TScrollTextPanel::step()
{
    m_position = (m_position + 1) % cycleLength();
    // Only the text moves, so the panel is scrolled rather than painted anew.
    scroll(0, -1);
}

QSize TScrollTextPanel::sizeHint() const
{
    int widest = 0;
    for (const QString &line : m_lines)
        widest = qMax(widest, fontMetrics().horizontalAdvance(line));
    return {widest + 40, 22 * lineHeight()};
}

void TScrollTextPanel::resizeEvent(QResizeEvent *event)
{
    m_position %= cycleLength();
    QWidget::resizeEvent(event);
}

void TScrollTextPanel::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), Qt::black);
    const int lh = lineHeight();
    const int top = textTop();
    const int first = qMax(0, (event->rect().top() - top) / lh - 1);
    for (int i = first; i < m_lines.size(); ++i) {
        const QRect line(0, top + i * lh, width(), lh);
        if (line.top() > event->rect().bottom())
            break;
        // Raised lettering: a light edge above and left, a dark one below and right.
        p.setPen(kHighlight);
        p.drawText(line.translated(-1, -1), Qt::AlignCenter, m_lines[i]);
        p.setPen(kShadow);
        p.drawText(line.translated(1, 1), Qt::AlignCenter, m_lines[i]);
        p.setPen(kLetters);
        p.drawText(line, Qt::AlignCenter, m_lines[i]);
    }
}
