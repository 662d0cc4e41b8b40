#pragma once
// Keys and the pointer on X11, observed and never grabbed, so every event still reaches its
// application. Keys come as XInput 2 raw events on the root window; raw key events carry no
// auto-repeat, so a held key is repeated here, as the keyboard's settings say. The pointer's buttons
// and motion come recorded with their positions (X11PointerRecorder), motion paced by PointerPacer;
// a server without the RECORD extension sends raw button and motion events instead, and each costs a
// question about where the pointer is. Only the event kinds some monitor asks for are selected, so
// with no mouse monitor installed pointer motion never wakes Corvane.

#include "platform/Events.h"
#include "platform/RunLoop.h"
#include "platform/common/EventMonitors.h"
#include "platform/common/KeyRepeater.h"
#include "platform/common/PointerPacer.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11PointerRecorder.h"
#include "platform/x11/X11Screens.h"

#include <QList>

namespace corvane {

class X11Events final : public Events {
public:
    X11Events(X11Connection& connection, X11Keyboard& keyboard, X11Screens& screens, RunLoop& runLoop);

    std::optional<MonitorToken> addGlobalMonitor(EventMask mask, GlobalHandler handler) override;
    std::optional<MonitorToken> addLocalMonitor(EventMask mask, LocalHandler handler) override;
    void removeMonitor(MonitorToken token) override;
    // Where the last pointer event left the pointer while its motion is recorded; else asked.
    QPointF mouseLocation() override;
    quint32 pressedMouseButtons() override;

    // The least time between two motion events handed on while the pointer moves faster: a burst
    // within it is one event. 16 ms is a frame of a 60 Hz screen, as often as the preview can show
    // a change; each wake-up costs some 50 us of CPU here (bench/README.md).
    static constexpr double kMotionInterval = 0.016;

private:
    void selectEvents();
    void handle(const xcb_generic_event_t* event);
    void handleKey(quint32 keycode, bool isPress);
    // A raw button or motion event, where nothing is recorded: the server is asked where the pointer is
    // (for motion, once the pacer hands it on).
    void handleRaw(PointerSample::Kind kind, quint32 button);
    void handlePointer(const PointerSample& sample);
    void deliver(const Event& event);
    bool isOverOurWindow(QPoint root) const;
    struct PointerState {
        QPoint root;
        quint32 buttons = 0;
    };
    // Asked of the server: a round trip.
    std::optional<PointerState> queryPointer();

    X11Connection& m_connection;
    X11Keyboard& m_keyboard;
    X11Screens& m_screens;
    RunLoop& m_runLoop;
    KeyRepeater m_repeater;
    PointerPacer m_pacer;
    X11PointerRecorder m_recorder;
    int m_xinputOpcode = -1;
    EventMonitors m_monitors;
    EventMask m_selected = 0;
    bool m_isRecordingButtons = false; // the recorder was asked for buttons, and records them
    QPoint m_position;                 // root pixels, as of the last pointer event handed on
    QPoint m_deviceOrigin;             // added to the recorded positions: X11Screens::deviceOrigin()
    quint32 m_heldButtons = 0;         // in the bits of pressedMouseButtons()
    EventSubscription m_subscription;  // last: removed before the rest goes
};

} // namespace corvane
