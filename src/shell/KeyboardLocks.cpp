#include "KeyboardLocks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLibrary>
#include <QPointer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

#ifdef Q_OS_WIN

KeyboardLocks::State platformState()
{
    return {(GetKeyState(VK_CAPITAL) & 1) != 0, (GetKeyState(VK_NUMLOCK) & 1) != 0};
}

#else

// The lock modifiers of the X server's core keyboard, read through libX11 loaded at run time
// so that the program neither links against Xlib nor needs its headers to build.
class XkbLocks
{
public:
    static XkbLocks &get()
    {
        static XkbLocks x;
        return x;
    }

    // Both unknown when the X server cannot be asked.
    KeyboardLocks::State state()
    {
        StateRec rec{};
        if (!m_display || m_getState(m_display, kUseCoreKeyboard, &rec) != 0)
            return {};
        const unsigned numMask = m_keysymToModifiers(m_display, kNumLockKeysym);
        return {(rec.lockedMods & kLockMask) != 0,
                numMask ? std::optional<bool>((rec.lockedMods & numMask) != 0) : std::nullopt};
    }

private:
    static constexpr unsigned kUseCoreKeyboard = 0x0100;   // XkbUseCoreKbd
    static constexpr unsigned kLockMask = 1u << 1;         // LockMask: Caps Lock
    static constexpr unsigned long kNumLockKeysym = 0xff7f;   // XK_Num_Lock

    // XkbStateRec
    struct StateRec
    {
        unsigned char group, lockedGroup;
        unsigned short baseGroup, latchedGroup;
        unsigned char mods, baseMods, latchedMods, lockedMods, compatState, grabMods,
            compatGrabMods, lookupMods, compatLookupMods;
        unsigned short ptrButtons;
    };

    using OpenDisplay = void *(*)(const char *);
    using GetState = int (*)(void *, unsigned, StateRec *);
    using KeysymToModifiers = unsigned (*)(void *, unsigned long);

    XkbLocks()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        m_library.setFileNameAndVersion(QStringLiteral("X11"), 6);
        if (!m_library.load())
            return;
        const auto open = reinterpret_cast<OpenDisplay>(m_library.resolve("XOpenDisplay"));
        m_getState = reinterpret_cast<GetState>(m_library.resolve("XkbGetState"));
        m_keysymToModifiers =
            reinterpret_cast<KeysymToModifiers>(m_library.resolve("XkbKeysymToModifiers"));
        if (open && m_getState && m_keysymToModifiers)
            m_display = open(nullptr);   // our own connection to $DISPLAY, kept for the run
    }

    QLibrary m_library;
    GetState m_getState = nullptr;
    KeysymToModifiers m_keysymToModifiers = nullptr;
    void *m_display = nullptr;
};

// The keyboard LEDs the Linux kernel exposes (inputN::capslock); on when any keyboard's is lit.
std::optional<bool> ledState(const QString &suffix)
{
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names = leds.entryList({QStringLiteral("*::") + suffix}, QDir::AllEntries);
    if (names.isEmpty())
        return std::nullopt;
    for (const QString &name : names) {
        QFile f(leds.filePath(name + QStringLiteral("/brightness")));
        if (f.open(QIODevice::ReadOnly) && f.readAll().trimmed().toInt() > 0)
            return true;
    }
    return false;
}

KeyboardLocks::State platformState()
{
    KeyboardLocks::State s = XkbLocks::get().state();
    if (!s.capsLock)
        s.capsLock = ledState(QStringLiteral("capslock"));
    if (!s.numLock)
        s.numLock = ledState(QStringLiteral("numlock"));
    return s;
}

#endif

} // namespace

KeyboardLocks &KeyboardLocks::instance()
{
    static QPointer<KeyboardLocks> locks;
    if (!locks)
        locks = new KeyboardLocks(QCoreApplication::instance());
    return *locks;
}

KeyboardLocks::KeyboardLocks(QObject *parent) : QObject(parent)
{
    if (parent)
        parent->installEventFilter(this);
}

KeyboardLocks::State KeyboardLocks::state() const
{
    return m_source ? m_source() : platformState();
}

void KeyboardLocks::setSource(Source source)
{
    m_source = std::move(source);
    emit changed();
}

void KeyboardLocks::setOverwrite(bool on)
{
    if (m_overwrite == on)
        return;
    m_overwrite = on;
    emit changed();
}

bool KeyboardLocks::eventFilter(QObject *watched, QEvent *event)
{
    // A key press reaches its top-level window once before it is passed on to the focus
    // widget and its parents; counting it there counts every press exactly once.
    const QEvent::Type type = event->type();
    if (watched->isWindowType() && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers chords =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier
                                | Qt::MetaModifier);
        if (key->key() == Qt::Key_Insert && type == QEvent::KeyPress && !key->isAutoRepeat()
            && chords == Qt::NoModifier) {
            // Shift+Insert and Ctrl+Insert are paste and copy, not the mode key.
            setOverwrite(!m_overwrite);
        } else if (key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock) {
            emit changed();
        }
    }
    return QObject::eventFilter(watched, event);
}
