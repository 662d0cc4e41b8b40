#include "X11Events.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QWindow>
#include <utility>
#include <xcb/xinput.h>

namespace corvane {

namespace {

constexpr EventMask kButtonMask = maskOf(EventType::LeftMouseDown) | maskOf(EventType::RightMouseDown) |
                                  maskOf(EventType::OtherMouseDown) | maskOf(EventType::LeftMouseUp) |
                                  maskOf(EventType::RightMouseUp) | maskOf(EventType::OtherMouseUp);
constexpr EventMask kMotionMask = maskOf(EventType::MouseMoved) | maskOf(EventType::LeftMouseDragged);

// Drags are told from moves by the held buttons, which only the button events tell.
bool wantsButtonsOf(EventMask mask) {
    return mask & (kMotionMask | kButtonMask);
}

} // namespace

X11Events::X11Events(X11Connection& connection, X11Keyboard& keyboard, X11Screens& screens, RunLoop& runLoop)
    : m_connection(connection)
    , m_keyboard(keyboard)
    , m_screens(screens)
    , m_runLoop(runLoop)
    , m_repeater(
          runLoop, [this](quint32 keycode) { return m_keyboard.repeatTiming(keycode); },
          [this](quint32 keycode) { deliver(m_keyboard.keyDown(keycode, m_runLoop.now())); })
    // Raw events cannot be held back: each comes, and the pacer only spares the questions.
    , m_pacer(
          runLoop, X11PointerRecorder::kMotionInterval, [](bool) {},
          [this](const PointerSample& sample) { handlePointer(sample); })
    , m_recorder(connection, runLoop, [this](const PointerSample& sample) { handlePointer(sample); }) {
    xcb_connection_t* c = connection.xcb();
    const xcb_query_extension_reply_t* xi = xcb_get_extension_data(c, &xcb_input_id);
    if (xi && xi->present) {
        const auto version =
            connection.await<xcb_input_xi_query_version_reply_t>(xcb_input_xi_query_version(c, 2, 2));
        if (version && version->major_version >= 2)
            m_xinputOpcode = xi->major_opcode;
    }
    m_subscription = connection.addEventHandler([this](const xcb_generic_event_t* event) { handle(event); });
}

std::optional<MonitorToken> X11Events::addGlobalMonitor(EventMask mask, GlobalHandler handler) {
    if (m_xinputOpcode < 0)
        return std::nullopt;
    const MonitorToken token = m_monitors.addGlobal(mask, std::move(handler));
    selectEvents();
    return token;
}

std::optional<MonitorToken> X11Events::addLocalMonitor(EventMask mask, LocalHandler handler) {
    if (m_xinputOpcode < 0)
        return std::nullopt;
    const MonitorToken token = m_monitors.addLocal(mask, std::move(handler));
    selectEvents();
    return token;
}

void X11Events::removeMonitor(MonitorToken token) {
    m_monitors.remove(token);
    selectEvents();
}

void X11Events::selectEvents() {
    const EventMask wanted = m_monitors.mask();
    if (wanted == m_selected)
        return;
    const EventMask before = std::exchange(m_selected, wanted);
    const bool wantsMotion = wanted & kMotionMask;
    const bool wantsButtons = wantsButtonsOf(wanted);
    if (wantsButtons != wantsButtonsOf(before) || wantsMotion != bool(before & kMotionMask)) {
        m_pacer.reset();
        // The recording tells what changes from here on: start from where the pointer is now.
        const std::optional<PointerState> state = wantsButtons ? queryPointer() : std::nullopt;
        if (state) {
            m_position = state->root;
            m_heldButtons = state->buttons;
        }
        // X screens joined by Xinerama are the server's for its life: their origin is read once per
        // recording.
        const X11PointerRecorder::Start start{m_screens.deviceOrigin(), m_position, m_heldButtons};
        m_isRecordingButtons = m_recorder.record(wantsButtons, wantsMotion, start) && wantsButtons;
    }
    quint32 xiMask = 0;
    if (wanted & maskOf(EventType::KeyDown))
        xiMask |= XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;
    // While recorded, raw button events ring: the recording is read at once, even while motion
    // is paced, so a click is never held back.
    if (wantsButtons)
        xiMask |= XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    if (wantsMotion && !m_isRecordingButtons)
        xiMask |= XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
    struct {
        xcb_input_event_mask_t head;
        quint32 mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, xiMask};
    xcb_connection_t* c = m_connection.xcb();
    xcb_input_xi_select_events(c, m_connection.root(), 1, &selection.head);
    // One round trip, bounded: once it is answered the selection holds, and a chord pressed right
    // after start-up reaches us.
    m_connection.await<xcb_get_input_focus_reply_t>(xcb_get_input_focus(c));
}

void X11Events::handle(const xcb_generic_event_t* event) {
    // While one of our key grabs is active (a chord kept from other applications, a chord being
    // recorded) the server sends us core key events instead of raw ones.
    const quint8 type = event->response_type & 0x7f;
    if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
        handleKey(reinterpret_cast<const xcb_key_press_event_t*>(event)->detail, type == XCB_KEY_PRESS);
        return;
    }
    if (type != XCB_GE_GENERIC)
        return;
    const auto* ge = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (ge->extension != m_xinputOpcode)
        return;
    if (ge->event_type == XCB_INPUT_RAW_KEY_PRESS || ge->event_type == XCB_INPUT_RAW_KEY_RELEASE) {
        const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event);
        handleKey(raw->detail, ge->event_type == XCB_INPUT_RAW_KEY_PRESS);
    } else if (ge->event_type == XCB_INPUT_RAW_BUTTON_PRESS ||
               ge->event_type == XCB_INPUT_RAW_BUTTON_RELEASE) {
        const auto* raw = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
        if (m_isRecordingButtons)
            m_recorder.readNow();
        else
            handleRaw(ge->event_type == XCB_INPUT_RAW_BUTTON_PRESS ? PointerSample::Kind::Press
                                                                   : PointerSample::Kind::Release,
                      raw->detail);
    } else if (ge->event_type == XCB_INPUT_RAW_MOTION) {
        handleRaw(PointerSample::Kind::Motion, 0);
    }
}

void X11Events::handleKey(quint32 keycode, bool isPress) {
    // A grab activated by a press sends that press twice, raw and core: the second changes nothing.
    if (isPress == m_keyboard.isDown(keycode))
        return;
    if (!isPress) {
        m_keyboard.update(keycode, false);
        m_repeater.release(keycode);
        return;
    }
    // The event's modifiers are those held before this key went down; a repeat's, those held then.
    const Event key = m_keyboard.keyDown(keycode, m_runLoop.now());
    m_keyboard.update(keycode, true);
    m_repeater.press(keycode);
    deliver(key);
}

void X11Events::handleRaw(PointerSample::Kind kind, quint32 button) {
    // Where a motion went is asked only once it is handed on (handlePointer): the pacer drops most.
    const std::optional<PointerState> state =
        kind == PointerSample::Kind::Motion ? std::nullopt : queryPointer();
    m_pacer.take({kind, button, state ? state->root : m_position, m_runLoop.now()});
    m_pacer.endOfRead();
}

void X11Events::handlePointer(const PointerSample& sample) {
    const bool isMotion = sample.kind == PointerSample::Kind::Motion;
    QPoint position = sample.root;
    if (!m_isRecordingButtons) {
        if (isMotion) {
            if (const std::optional<PointerState> state = queryPointer())
                position = state->root;
        }
        if (!m_filter.passes(position, isMotion, m_heldButtons != 0))
            return;
    }
    m_position = position;
    const QScopedValueRollback delivering(m_isDeliveringPointer, true);
    Event e;
    e.timestamp = sample.timestamp;
    e.modifierFlags = m_keyboard.modifierFlags();
    if (isMotion) {
        e.type = (m_heldButtons & mousebutton::kLeft) ? EventType::LeftMouseDragged : EventType::MouseMoved;
        deliver(e);
        return;
    }
    // Buttons 4 to 7 are the scroll wheel: no presses of their own.
    if (sample.button == 0 || (sample.button >= 4 && sample.button <= 7))
        return;
    const bool isPress = sample.kind == PointerSample::Kind::Press;
    const quint32 bit = mouseButtonBit(sample.button);
    m_heldButtons = isPress ? (m_heldButtons | bit) : (m_heldButtons & ~bit);
    if (sample.button == 1)
        e.type = isPress ? EventType::LeftMouseDown : EventType::LeftMouseUp;
    else if (sample.button == 3)
        e.type = isPress ? EventType::RightMouseDown : EventType::RightMouseUp;
    else
        e.type = isPress ? EventType::OtherMouseDown : EventType::OtherMouseUp;
    deliver(e);
}

void X11Events::deliver(const Event& event) {
    // Events addressed to one of our own windows go to the local monitors only: keys while one of
    // them has the focus, the mouse while one lies under the pointer. Qt hands the window its own
    // copy whatever the monitors make of theirs.
    const bool isOurs = event.type == EventType::KeyDown ? QGuiApplication::focusWindow() != nullptr
                                                         : isOverOurWindow(m_position);
    if (isOurs)
        m_monitors.deliverLocal(event);
    else
        m_monitors.deliverGlobal(event);
}

// Qt knows where our windows are without asking the server. Only when the pointer lies inside one is
// the server asked which window is on top there (another application's may cover ours), so motion
// over other windows costs no round trip. Click-through windows (the snap preview) never count.
bool X11Events::isOverOurWindow(QPoint root) const {
    const QPointF point = m_screens.toScreen(QRectF(root.x(), root.y(), 0, 0)).topLeft();
    const QWindowList windows = QGuiApplication::topLevelWindows();
    const bool isInside = std::any_of(windows.cbegin(), windows.cend(), [&](const QWindow* w) {
        return w->isVisible() && !(w->flags() & Qt::WindowTransparentForInput) &&
               m_screens.screenFrame(w->geometry()).contains(point);
    });
    return isInside && QGuiApplication::topLevelAt(QCursor::pos()) != nullptr;
}

std::optional<X11Events::PointerState> X11Events::queryPointer() {
    const auto pointer = m_connection.await<xcb_query_pointer_reply_t>(
        xcb_query_pointer(m_connection.xcb(), m_connection.root()));
    if (!pointer)
        return std::nullopt;
    PointerState state{QPoint(pointer->root_x, pointer->root_y), 0};
    if (pointer->mask & XCB_BUTTON_MASK_1)
        state.buttons |= mousebutton::kLeft;
    if (pointer->mask & XCB_BUTTON_MASK_3)
        state.buttons |= mousebutton::kRight;
    if (pointer->mask & XCB_BUTTON_MASK_2)
        state.buttons |= mouseButtonBit(2);
    return state;
}

void X11Events::setMotionRegions(const QList<QRectF>& regions) {
    QList<QRectF> roots;
    for (const QRectF& r : regions)
        roots.append(m_screens.toRoot(r));
    m_filter.setRegions(roots);
    m_recorder.setMotionRegions(roots);
}

QPointF X11Events::mouseLocation() {
    std::optional<QPoint> root;
    if (m_isDeliveringPointer)
        root = m_position;
    else if (m_recorder.isRecordingMotion())
        root = m_recorder.latestPosition();
    else if (const std::optional<PointerState> state = queryPointer())
        root = state->root;
    if (!root)
        return {};
    return m_screens.toScreen(QRectF(root->x(), root->y(), 0, 0)).topLeft();
}

void X11Events::whenPointerCaughtUp(std::function<void()> then) {
    const std::optional<PointerState> state = m_recorder.isRecordingMotion() ? queryPointer() : std::nullopt;
    if (!state) {
        then();
        return;
    }
    m_recorder.whenAt(state->root + m_screens.deviceOrigin(), std::move(then), Events::kCatchUpSeconds);
}

quint32 X11Events::pressedMouseButtons() {
    if (m_isRecordingButtons)
        return m_heldButtons;
    const std::optional<PointerState> state = queryPointer();
    return state ? state->buttons : 0;
}

} // namespace corvane
