#pragma once

#include <QPointer>
#include <QStatusBar>
#include <functional>

class QLabel;
class QTimer;

// The main window's status bar: a row of panels, left to right, optionally led by a clock panel
// ("ddddd   hh:nn": the locale's short date, three blanks, 24-hour time) and three key-state
// panels ("CAPS", "NUM", "OVR"/"INS"). A 1000 ms timer refreshes them. The panel after the
// clock and key panels is the message panel that commands write their status texts into.
class TKELDStatusBar : public QStatusBar
{
    Q_OBJECT
    Q_PROPERTY(bool ShowTime READ ShowTime WRITE setShowTime)
    Q_PROPERTY(bool ShowShiftKeys READ ShowShiftKeys WRITE setShowShiftKeys)

public:
    static constexpr int kTickInterval = 1000;
    static constexpr int kClockWidth = 110;
    static constexpr int kKeyWidth = 35;
    static constexpr int kMessageWidth = 90;

    // One clock panel, the timer running and the panels filled.
    explicit TKELDStatusBar(QWidget *parent = nullptr);
    ~TKELDStatusBar() override;

    // The main window's bar: clock, CAPS, NUM, OVR/INS and the message panel.
    static TKELDStatusBar *createMainWindowBar(QWidget *parent);

    bool ShowTime() const { return m_showTime; }
    void setShowTime(bool show);
    bool ShowShiftKeys() const { return m_showShiftKeys; }
    void setShowShiftKeys(bool show);

    // Called on every tick before the panels are updated.
    std::function<void()> OnTimer;

    // Panels. The last panel stretches to the right-hand end of the bar.
    int panelCount() const { return int(m_panels.size()); }
    void insertPanel(int index, int width, Qt::Alignment alignment,
                     const QString &accessibleName);
    void addPanel(int width, Qt::Alignment alignment, const QString &accessibleName);
    void removePanel(int index);
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);
    QLabel *panel(int index) const;

    // The message panel (the first after the clock and key panels; index 4 on the main
    // window's bar). Setting it repaints it at once, so it shows before a long operation.
    int messagePanelIndex() const;
    QString messageText() const;
    void setMessageText(const QString &text);

    // What the timer does: OnTimer, then the clock and key panels.
    void tick();
    QTimer *tickTimer() const { return m_timer; }

    // Shows a status text for the lifetime of the guard and clears it afterwards, also when
    // the operation it covers fails.
    class ScopedMessage
    {
    public:
        ScopedMessage(TKELDStatusBar *bar, const QString &text);
        ~ScopedMessage();
        ScopedMessage(const ScopedMessage &) = delete;
        ScopedMessage &operator=(const ScopedMessage &) = delete;

    private:
        QPointer<TKELDStatusBar> m_bar;
    };

private:
    void insertSizedPanel(int index, int width, Qt::Alignment alignment,
                          const QString &accessibleName, const QString &widestText);
    void updateKeyPanels();
    void arrangePanels();
    int keyPanelsStart() const { return m_showTime ? 1 : 0; }

    struct Panel
    {
        QLabel *label;
        int width;
        QString widestText;   // grows the panel when the font needs more than width
        QString role;         // what a screen reader calls it, followed by its text
    };
    QList<Panel> m_panels;
    QTimer *m_timer = nullptr;
    bool m_showTime = true;
    bool m_showShiftKeys = false;
};
