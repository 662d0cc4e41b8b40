#pragma once
// Keys and the pointer on X11, observed and never grabbed, so every event still reaches its
// application. Keys come as XInput 2 raw events on the root window; raw key events carry no
// auto-repeat, so a held key is repeated here, as the keyboard's settings say. The pointer's buttons
// and motion come recorded with their positions, read, paced and filtered on a thread of their own
// (X11PointerRecorder); a server without the RECORD extension sends raw button and motion events
// instead, paced by PointerPacer, and each costs a question about where the pointer is. Only the
// event kinds some monitor asks for are selected, so with no mouse monitor installed pointer motion
// never wakes Corvane.

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
    void setMotionRegions(const QList<QRectF>& regions) override;
    // While motion is recorded, where it was last read; else asked.
    QPointF mouseLocation() override;
    quint32 pressedMouseButtons() override;
    // While motion is recorded, once the recording has reached where the server says the pointer is;
    // else at once: raw events come on the main connection, which the event loop reads in order.
    void whenPointerCaughtUp(std::function<void()> then) override;

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
    PointerPacer m_pacer; // raw events only
    X11PointerRecorder m_recorder;
    MotionFilter m_filter; // raw events only: the recorder filters on its own thread
    int m_xinputOpcode = -1;
    EventMonitors m_monitors;
    EventMask m_selected = 0;
    bool m_isRecordingButtons = false; // the recorder was asked for buttons, and records them
    QPoint m_position;                 // root pixels, as of the last pointer event handed on
    bool m_isDeliveringPointer = false;
    quint32 m_heldButtons = 0;        // in the bits of pressedMouseButtons()
    EventSubscription m_subscription; // last: removed before the rest goes
};

} // namespace corvane
