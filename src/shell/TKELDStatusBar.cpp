#include "TKELDStatusBar.h"

#include "Clock.h"
#include "KeyboardLocks.h"
#include "RunGuarded.h"

#include <QLabel>
#include <QLocale>
#include <QSizeGrip>
#include <QTimer>

namespace {

// Widest texts a panel of each kind shows, so that a larger font than the bar was laid out
// for still fits them.
QString widestClockText()
{
    const QDateTime sample(QDate(2088, 12, 28), QTime(23, 58));
    return QLocale().toString(sample.date(), QLocale::ShortFormat) + QStringLiteral("   ")
           + sample.toString(QStringLiteral("hh:mm"));
}

} // namespace

TKELDStatusBar::TKELDStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    if (auto *grip = findChild<QSizeGrip *>())
        grip->setAccessibleName(tr("Resize window"));
    setMinimumHeight(19);
    insertSizedPanel(0, kClockWidth, Qt::AlignLeft | Qt::AlignVCenter, tr("Date and time"),
                     widestClockText());

    m_timer = new QTimer(this);
    m_timer->setInterval(kTickInterval);
    connect(m_timer, &QTimer::timeout, this, [this] { runGuarded([this] { tick(); }); });
    connect(&KeyboardLocks::instance(), &KeyboardLocks::changed, this,
            [this] { runGuarded([this] { updateKeyPanels(); }); });
    m_timer->start();
    tick();
}

TKELDStatusBar::~TKELDStatusBar() = default;

TKELDStatusBar *TKELDStatusBar::createMainWindowBar(QWidget *parent)
{
    auto *bar = new TKELDStatusBar(parent);
    bar->setObjectName(QStringLiteral("KELDStatusBar1"));
    bar->setShowTime(true);
    bar->setShowShiftKeys(true);
    bar->addPanel(kMessageWidth, Qt::AlignLeft | Qt::AlignVCenter, tr("Status message"));
    bar->tick();
    return bar;
}

void TKELDStatusBar::setShowTime(bool show)
{
    if (show == m_showTime)
        return;
    m_timer->stop();
    if (show)
        insertSizedPanel(0, kClockWidth, Qt::AlignLeft | Qt::AlignVCenter, tr("Date and time"),
                         widestClockText());
    else if (!m_panels.isEmpty())
        removePanel(0);
    m_showTime = show;
    m_timer->start();
}

void TKELDStatusBar::setShowShiftKeys(bool show)
{
    if (show == m_showShiftKeys)
        return;
    m_timer->stop();
    const int s = keyPanelsStart();
    if (show) {
        const QString widest = QStringLiteral("CAPS");
        insertSizedPanel(s, kKeyWidth, Qt::AlignCenter, tr("Caps Lock"), widest);
        insertSizedPanel(s + 1, kKeyWidth, Qt::AlignCenter, tr("Num Lock"), widest);
        insertSizedPanel(s + 2, kKeyWidth, Qt::AlignCenter, tr("Insert or overwrite"), widest);
    } else {
        for (int i = s + 2; i >= s; --i)
            if (i < panelCount())
                removePanel(i);
    }
    m_showShiftKeys = show;
    m_timer->start();
}

void TKELDStatusBar::insertPanel(int index, int width, Qt::Alignment alignment,
                                 const QString &accessibleName)
{
    insertSizedPanel(index, width, alignment, accessibleName, QString());
}

void TKELDStatusBar::insertSizedPanel(int index, int width, Qt::Alignment alignment,
                                      const QString &accessibleName, const QString &widestText)
{
    auto *label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(alignment);
    label->setContentsMargins(2, 0, 2, 0);
    label->setAccessibleName(accessibleName);
    label->setToolTip(accessibleName);
    m_panels.insert(qBound(0, index, panelCount()),
                    Panel{label, width, widestText, accessibleName});
    arrangePanels();
}

void TKELDStatusBar::addPanel(int width, Qt::Alignment alignment, const QString &accessibleName)
{
    insertPanel(panelCount(), width, alignment, accessibleName);
}

void TKELDStatusBar::removePanel(int index)
{
    if (index < 0 || index >= panelCount())
        return;
    QLabel *label = m_panels.takeAt(index).label;
    removeWidget(label);
    delete label;
    arrangePanels();
}

QString TKELDStatusBar::panelText(int index) const
{
    return index >= 0 && index < panelCount() ? m_panels[index].label->text() : QString();
}

void TKELDStatusBar::setPanelText(int index, const QString &text)
{
    if (index < 0 || index >= panelCount())
        return;
    const Panel &p = m_panels[index];
    if (p.label->text() == text)
        return;
    p.label->setText(text);
    p.label->setAccessibleName(text.isEmpty() ? p.role : p.role + QStringLiteral(": ") + text);
}

QLabel *TKELDStatusBar::panel(int index) const
{
    return index >= 0 && index < panelCount() ? m_panels[index].label : nullptr;
}

int TKELDStatusBar::messagePanelIndex() const
{
    return keyPanelsStart() + (m_showShiftKeys ? 3 : 0);
}

QString TKELDStatusBar::messageText() const { return panelText(messagePanelIndex()); }

void TKELDStatusBar::setMessageText(const QString &text)
{
    const int index = messagePanelIndex();
    setPanelText(index, text);
    if (QLabel *label = panel(index); label && label->isVisible())
        label->repaint();
}

void TKELDStatusBar::tick()
{
    if (OnTimer)
        OnTimer();
    if (m_showTime) {
        const QDateTime now = Clock::now();
        setPanelText(0, QLocale().toString(now.date(), QLocale::ShortFormat)
                            + QStringLiteral("   ") + now.toString(QStringLiteral("hh:mm")));
    }
    updateKeyPanels();
}

void TKELDStatusBar::updateKeyPanels()
{
    if (!m_showShiftKeys)
        return;
    const int s = keyPanelsStart();
    const KeyboardLocks &keys = KeyboardLocks::instance();
    const KeyboardLocks::State locks = keys.state();
    // An unknown lock state shows as an empty panel, the same as "off".
    setPanelText(s, locks.capsLock.value_or(false) ? QStringLiteral("CAPS") : QString());
    setPanelText(s + 1, locks.numLock.value_or(false) ? QStringLiteral("NUM") : QString());
    setPanelText(s + 2, keys.overwrite() ? QStringLiteral("OVR") : QStringLiteral("INS"));
}

void TKELDStatusBar::arrangePanels()
{
    // QStatusBar fixes a widget's stretch when it is added, so the panels are added again in
    // order whenever the set changes: fixed widths, the last one taking the rest of the bar.
    for (const Panel &p : std::as_const(m_panels))
        removeWidget(p.label);
    const QFontMetrics fm(font());
    for (int i = 0; i < panelCount(); ++i) {
        const Panel &p = m_panels[i];
        int width = p.width;
        if (!p.widestText.isEmpty())
            width = qMax(width, fm.horizontalAdvance(p.widestText) + 12);
        const bool last = i == panelCount() - 1;
        if (last) {
            p.label->setMinimumWidth(width);
            p.label->setMaximumWidth(QWIDGETSIZE_MAX);
        } else {
            p.label->setFixedWidth(width);
        }
        addWidget(p.label, last ? 1 : 0);
        p.label->show();
    }
}

TKELDStatusBar::ScopedMessage::ScopedMessage(TKELDStatusBar *bar, const QString &text) : m_bar(bar)
{
    if (m_bar)
        m_bar->setMessageText(text);
}

TKELDStatusBar::ScopedMessage::~ScopedMessage()
{
    if (m_bar)
        m_bar->setMessageText(QString());
}
