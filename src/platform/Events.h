#pragma once
// Keyboard and mouse events, observed and never consumed: global monitors see events addressed to
// other applications, local monitors those addressed to this process's own windows.

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace corvane {

enum class EventType : int {
    LeftMouseDown = 1,
    LeftMouseUp = 2,
    RightMouseDown = 3,
    RightMouseUp = 4,
    MouseMoved = 5,
    LeftMouseDragged = 6,
    KeyDown = 10,
    OtherMouseDown = 25,
    OtherMouseUp = 26,
};

using EventMask = quint64;
constexpr EventMask maskOf(EventType type) {
    return EventMask{1} << static_cast<int>(type);
}

// Device-independent modifier flags.
namespace modifier {
inline constexpr quint64 kCapsLock = 0x10000;
inline constexpr quint64 kShift = 0x20000;
inline constexpr quint64 kControl = 0x40000;
inline constexpr quint64 kOption = 0x80000;   // Alt
inline constexpr quint64 kCommand = 0x100000; // Super
inline constexpr quint64 kNumericPad = 0x200000;
inline constexpr quint64 kHelp = 0x400000;
inline constexpr quint64 kFunction = 0x800000;
} // namespace modifier

// Key codes the logic names.
namespace keycode {
inline constexpr quint16 kEscape = 53;
inline constexpr quint16 kLeftArrow = 123;
inline constexpr quint16 kRightArrow = 124;
inline constexpr quint16 kDownArrow = 125;
inline constexpr quint16 kUpArrow = 126;
} // namespace keycode

struct Event {
    EventType type = EventType::KeyDown;
    double timestamp = 0; // seconds on the run loop's clock
    quint64 modifierFlags = 0;
    std::optional<QString> charactersIgnoringModifiers; // key events only
    quint16 keyCode = 0;                                // key events only
};

using MonitorToken = quint64;

// Mouse buttons held, as bits: 1 left, 2 right, 4 and up the others.
namespace mousebutton {
inline constexpr quint32 kLeft = 1;
inline constexpr quint32 kRight = 2;
} // namespace mousebutton

class Events {
public:
    virtual ~Events() = default;

    using GlobalHandler = std::function<void(const Event&)>;
    // A local handler returns the event to deliver on to the window, or none to drop it.
    using LocalHandler = std::function<std::optional<Event>(const Event&)>;

    // None when the platform refuses to install the monitor.
    virtual std::optional<MonitorToken> addGlobalMonitor(EventMask mask, GlobalHandler handler) = 0;
    virtual std::optional<MonitorToken> addLocalMonitor(EventMask mask, LocalHandler handler) = 0;
    virtual void removeMonitor(MonitorToken token) = 0;

    // Where motion with no button held matters: it reaches the monitors only as the pointer enters,
    // moves within or leaves one of these rectangles (screen coordinates), and elsewhere wakes
    // nothing. None at first. Button events, and motion with a button held, always come.
    virtual void setMotionRegions(const QList<QRectF>& regions) = 0;

    // The pointer in screen coordinates; while an event is delivered, where that event happened.
    virtual QPointF mouseLocation() = 0;
    virtual quint32 pressedMouseButtons() = 0;

    // Runs `then` once every pointer event the desktop had sent before the call has been delivered:
    // a barrier for a caller that has just moved the pointer. Bounded: after kCatchUpSeconds it runs
    // with whatever came.
    virtual void whenPointerCaughtUp(std::function<void()> then) = 0;
    static constexpr double kCatchUpSeconds = 1.0;
};

} // namespace corvane
