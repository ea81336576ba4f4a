#pragma once

#include <QObject>
#include <functional>
#include <optional>

// The keyboard's toggles as the status bar shows them: Caps Lock and Num Lock as the platform
// reports them, and the program's own insert/overwrite toggle, which the Insert key flips.
//
// Lock states come from the window system where it tells them (Windows; X11 from the XKB lock
// modifiers; elsewhere on Linux the keyboard LEDs in /sys/class/leds); where nothing tells,
// the state is unknown (std::nullopt).
class KeyboardLocks : public QObject
{
    Q_OBJECT
public:
    struct State
    {
        std::optional<bool> capsLock;
        std::optional<bool> numLock;
    };
    using Source = std::function<State()>;

    // The one instance, owned by the application; it watches the key presses of every window.
    static KeyboardLocks &instance();

    State state() const;
    void setSource(Source source);   // nullptr: the platform's

    // Overwrite (true) or insert (false); starts in insert.
    bool overwrite() const { return m_overwrite; }
    void setOverwrite(bool on);

signals:
    // A lock key or Insert was pressed: the shown states may be out of date.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit KeyboardLocks(QObject *parent);

    Source m_source;
    bool m_overwrite = false;
};
