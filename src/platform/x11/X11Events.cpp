#include "X11Events.h"

#include <QCursor>
#include <QGuiApplication>
#include <xcb/xinput.h>

namespace corvane {

X11Events::X11Events(X11Connection& connection, X11Keyboard& keyboard, X11Screens& screens, RunLoop& runLoop)
    : m_connection(connection)
    , m_keyboard(keyboard)
    , m_screens(screens)
    , m_runLoop(runLoop)
    , m_repeater(
          runLoop, [this](quint32 keycode) { return m_keyboard.repeatTiming(keycode); },
          [this](quint32 keycode) { deliver(m_keyboard.keyDown(keycode, m_runLoop.now())); }) {
    xcb_connection_t* c = connection.xcb();
    const xcb_query_extension_reply_t* xi = xcb_get_extension_data(c, &xcb_input_id);
    if (xi && xi->present) {
        const auto version = connection.await<xcb_input_xi_query_version_reply_t>(
            xcb_input_xi_query_version(c, 2, 2).sequence);
        if (version && version->major_version >= 2)
            m_xinputOpcode = xi->major_opcode;
    }
    connection.addEventHandler([this](const xcb_generic_event_t* event) { handle(event); });
}

std::optional<MonitorToken> X11Events::addGlobalMonitor(EventMask mask, GlobalHandler handler) {
    if (m_xinputOpcode < 0)
        return std::nullopt;
    m_monitors.append({m_nextToken, mask, std::move(handler), {}});
    selectEvents();
    return m_nextToken++;
}

std::optional<MonitorToken> X11Events::addLocalMonitor(EventMask mask, LocalHandler handler) {
    if (m_xinputOpcode < 0)
        return std::nullopt;
    m_monitors.append({m_nextToken, mask, {}, std::move(handler)});
    selectEvents();
    return m_nextToken++;
}

void X11Events::removeMonitor(MonitorToken token) {
    m_monitors.removeIf([token](const Monitor& m) { return m.token == token; });
    selectEvents();
}

void X11Events::selectEvents() {
    EventMask wanted = 0;
    for (const Monitor& m : m_monitors)
        wanted |= m.mask;
    if (wanted == m_selected)
        return;
    m_selected = wanted;
    quint32 xiMask = 0;
    if (wanted & maskOf(EventType::KeyDown))
        xiMask |= XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;
    if (wanted & (maskOf(EventType::LeftMouseDown) | maskOf(EventType::RightMouseDown) |
                  maskOf(EventType::OtherMouseDown)))
        xiMask |= XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS;
    if (wanted &
        (maskOf(EventType::LeftMouseUp) | maskOf(EventType::RightMouseUp) | maskOf(EventType::OtherMouseUp)))
        xiMask |= XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    if (wanted & (maskOf(EventType::MouseMoved) | maskOf(EventType::LeftMouseDragged)))
        xiMask |= XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
    // Drags are told from moves by the held buttons, which only the button events tell.
    if (xiMask & XCB_INPUT_XI_EVENT_MASK_RAW_MOTION)
        xiMask |= XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    struct {
        xcb_input_event_mask_t head;
        quint32 mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, xiMask};
    xcb_input_xi_select_events(m_connection.xcb(), m_connection.root(), 1, &selection.head);
    m_connection.flush();
}

void X11Events::handle(const xcb_generic_event_t* event) {
    if ((event->response_type & 0x7f) != XCB_GE_GENERIC)
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
        handleButton(raw->detail, ge->event_type == XCB_INPUT_RAW_BUTTON_PRESS);
    } else if (ge->event_type == XCB_INPUT_RAW_MOTION) {
        handleMotion();
    }
}

void X11Events::handleKey(quint32 keycode, bool isPress) {
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

void X11Events::handleButton(quint32 button, bool isPress) {
    // Buttons 4 to 7 are the scroll wheel: no presses of their own.
    if (button == 0 || (button >= 4 && button <= 7))
        return;
    const quint32 bit = button == 1 ? mousebutton::kLeft : button == 3 ? mousebutton::kRight : 4;
    m_heldButtons = isPress ? (m_heldButtons | bit) : (m_heldButtons & ~bit);
    Event e;
    e.timestamp = m_runLoop.now();
    e.modifierFlags = m_keyboard.modifierFlags();
    if (button == 1)
        e.type = isPress ? EventType::LeftMouseDown : EventType::LeftMouseUp;
    else if (button == 3)
        e.type = isPress ? EventType::RightMouseDown : EventType::RightMouseUp;
    else
        e.type = isPress ? EventType::OtherMouseDown : EventType::OtherMouseUp;
    deliver(e);
}

void X11Events::handleMotion() {
    Event e;
    e.timestamp = m_runLoop.now();
    e.modifierFlags = m_keyboard.modifierFlags();
    e.type = (m_heldButtons & mousebutton::kLeft) ? EventType::LeftMouseDragged : EventType::MouseMoved;
    deliver(e);
}

void X11Events::deliver(const Event& event) {
    // Events addressed to one of our own windows go to the local monitors only: keys while one of
    // them has the focus, the mouse while one lies under the pointer. Qt knows both without asking
    // the server.
    const bool isOurs = event.type == EventType::KeyDown
                            ? QGuiApplication::focusWindow() != nullptr
                            : QGuiApplication::topLevelAt(QCursor::pos()) != nullptr;
    const QList<Monitor> monitors = m_monitors;
    for (const Monitor& m : monitors) {
        if (!(m.mask & maskOf(event.type)))
            continue;
        if (isOurs && m.local)
            m.local(event);
        else if (!isOurs && m.global)
            m.global(event);
    }
}

QPointF X11Events::mouseLocation() {
    const auto pointer = m_connection.await<xcb_query_pointer_reply_t>(
        xcb_query_pointer(m_connection.xcb(), m_connection.root()).sequence);
    if (!pointer)
        return {};
    return m_screens.toScreen(QRectF(pointer->root_x, pointer->root_y, 0, 0)).topLeft();
}

quint32 X11Events::pressedMouseButtons() {
    const auto pointer = m_connection.await<xcb_query_pointer_reply_t>(
        xcb_query_pointer(m_connection.xcb(), m_connection.root()).sequence);
    if (!pointer)
        return 0;
    quint32 buttons = 0;
    if (pointer->mask & XCB_BUTTON_MASK_1)
        buttons |= mousebutton::kLeft;
    if (pointer->mask & XCB_BUTTON_MASK_3)
        buttons |= mousebutton::kRight;
    if (pointer->mask & XCB_BUTTON_MASK_2)
        buttons |= 4;
    return buttons;
}

} // namespace corvane
