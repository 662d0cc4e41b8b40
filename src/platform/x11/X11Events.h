#pragma once
// Keys and the pointer on X11: XInput 2 raw events on the root window, observed and never grabbed,
// so every keystroke still reaches the focused application. Only the event kinds some monitor asks
// for are selected, so with no mouse monitor installed pointer motion never wakes Corvane.

#include "platform/Events.h"
#include "platform/RunLoop.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Screens.h"

#include <QList>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace corvane {

class X11Events final : public Events {
public:
    X11Events(X11Connection& connection, X11Screens& screens, RunLoop& runLoop);
    ~X11Events() override;

    std::optional<MonitorToken> addGlobalMonitor(EventMask mask, GlobalHandler handler) override;
    std::optional<MonitorToken> addLocalMonitor(EventMask mask, LocalHandler handler) override;
    void removeMonitor(MonitorToken token) override;
    QPointF mouseLocation() override;
    quint32 pressedMouseButtons() override;

private:
    struct Monitor {
        MonitorToken token = 0;
        EventMask mask = 0;
        GlobalHandler global;
        LocalHandler local;
    };
    void selectEvents();
    void handle(const xcb_generic_event_t* event);
    std::optional<Event> keyEvent(quint32 keycode);
    void handleButton(quint32 button, bool isPress);
    void handleMotion();
    quint64 liveModifierFlags() const;
    void deliver(const Event& event);

    X11Connection& m_connection;
    X11Screens& m_screens;
    RunLoop& m_runLoop;
    int m_xinputOpcode = -1;
    xkb_context* m_context = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_plainState = nullptr; // no modifiers: the characters ignoring modifiers
    // Follows every raw press and release in order: raw events carry no modifier state, and asking
    // the server later would see the modifiers as they are by then, not as they were.
    xkb_state* m_liveState = nullptr;
    QList<Monitor> m_monitors;
    MonitorToken m_nextToken = 1;
    EventMask m_selected = 0;
    quint32 m_heldButtons = 0; // from the raw stream, in the bits of pressedMouseButtons()
};

} // namespace corvane
