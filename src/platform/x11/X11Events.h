#pragma once
// Keys and the pointer on X11: XInput 2 raw events on the root window, observed and never grabbed,
// so every keystroke still reaches the focused application. Only the event kinds some monitor asks
// for are selected, so with no mouse monitor installed pointer motion never wakes Corvane. Raw key
// events carry no auto-repeat: a held key is repeated here, as the keyboard's settings say.

#include "platform/Events.h"
#include "platform/RunLoop.h"
#include "platform/x11/KeyRepeater.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11Screens.h"

#include <QList>

namespace corvane {

class X11Events final : public Events {
public:
    X11Events(X11Connection& connection, X11Keyboard& keyboard, X11Screens& screens, RunLoop& runLoop);

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
    void handleKey(quint32 keycode, bool isPress);
    void handleButton(quint32 button, bool isPress);
    void handleMotion();
    void deliver(const Event& event);

    X11Connection& m_connection;
    X11Keyboard& m_keyboard;
    X11Screens& m_screens;
    RunLoop& m_runLoop;
    KeyRepeater m_repeater;
    int m_xinputOpcode = -1;
    QList<Monitor> m_monitors;
    MonitorToken m_nextToken = 1;
    EventMask m_selected = 0;
    quint32 m_heldButtons = 0; // from the raw stream, in the bits of pressedMouseButtons()
};

} // namespace corvane
