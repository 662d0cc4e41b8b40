#include "X11Events.h"

#include <QCursor>
#include <QGuiApplication>
#include <xcb/xinput.h>
#include <xkbcommon/xkbcommon-x11.h>

namespace corvane {

X11Events::X11Events(X11Connection& connection, X11Screens& screens, RunLoop& runLoop)
    : m_connection(connection)
    , m_screens(screens)
    , m_runLoop(runLoop) {
    xcb_connection_t* c = connection.xcb();
    const xcb_query_extension_reply_t* xi = xcb_get_extension_data(c, &xcb_input_id);
    if (xi && xi->present) {
        const auto version = connection.await<xcb_input_xi_query_version_reply_t>(
            xcb_input_xi_query_version(c, 2, 2).sequence);
        if (version && version->major_version >= 2)
            m_xinputOpcode = xi->major_opcode;
    }
    m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (m_context && xkb_x11_setup_xkb_extension(
                         c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                         XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
        const int32_t device = xkb_x11_get_core_keyboard_device_id(c);
        m_keymap = xkb_x11_keymap_new_from_device(m_context, c, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (m_keymap) {
            m_plainState = xkb_state_new(m_keymap);
            m_liveState = xkb_x11_state_new_from_device(m_keymap, c, device);
        }
    }
    connection.addEventHandler([this](const xcb_generic_event_t* event) { handle(event); });
}

X11Events::~X11Events() {
    xkb_state_unref(m_liveState);
    xkb_state_unref(m_plainState);
    xkb_keymap_unref(m_keymap);
    xkb_context_unref(m_context);
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
        const bool isPress = ge->event_type == XCB_INPUT_RAW_KEY_PRESS;
        // The event's modifiers are those held before this key changed.
        std::optional<Event> key = isPress ? keyEvent(raw->detail) : std::nullopt;
        if (m_liveState)
            xkb_state_update_key(m_liveState, raw->detail, isPress ? XKB_KEY_DOWN : XKB_KEY_UP);
        if (key)
            deliver(*key);
    } else if (ge->event_type == XCB_INPUT_RAW_BUTTON_PRESS ||
               ge->event_type == XCB_INPUT_RAW_BUTTON_RELEASE) {
        const auto* raw = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
        handleButton(raw->detail, ge->event_type == XCB_INPUT_RAW_BUTTON_PRESS);
    } else if (ge->event_type == XCB_INPUT_RAW_MOTION) {
        handleMotion();
    }
}

void X11Events::handleButton(quint32 button, bool isPress) {
    // Buttons 4 to 7 are the scroll wheel: no presses of their own.
    if (button == 0 || (button >= 4 && button <= 7))
        return;
    const quint32 bit = button == 1 ? mousebutton::kLeft : button == 3 ? mousebutton::kRight : 4;
    m_heldButtons = isPress ? (m_heldButtons | bit) : (m_heldButtons & ~bit);
    Event e;
    e.timestamp = m_runLoop.now();
    e.modifierFlags = liveModifierFlags();
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
    e.modifierFlags = liveModifierFlags();
    e.type = (m_heldButtons & mousebutton::kLeft) ? EventType::LeftMouseDragged : EventType::MouseMoved;
    deliver(e);
}

quint64 X11Events::liveModifierFlags() const {
    if (!m_liveState)
        return 0;
    const auto isActive = [this](const char* name) {
        return xkb_state_mod_name_is_active(m_liveState, name, XKB_STATE_MODS_EFFECTIVE) > 0;
    };
    quint64 flags = 0;
    if (isActive(XKB_MOD_NAME_SHIFT))
        flags |= modifier::kShift;
    if (isActive(XKB_MOD_NAME_CAPS))
        flags |= modifier::kCapsLock;
    if (isActive(XKB_MOD_NAME_CTRL))
        flags |= modifier::kControl;
    if (isActive(XKB_MOD_NAME_ALT))
        flags |= modifier::kOption;
    if (isActive(XKB_MOD_NAME_LOGO))
        flags |= modifier::kCommand;
    return flags;
}

std::optional<Event> X11Events::keyEvent(quint32 keycode) {
    Event e;
    e.type = EventType::KeyDown;
    e.timestamp = m_runLoop.now();
    e.modifierFlags = liveModifierFlags();
    e.keyCode = quint16(keycode + 256); // clear of the codes below
    if (!m_plainState)
        return e;
    const xkb_keysym_t sym = xkb_state_key_get_one_sym(m_plainState, keycode);
    // Keypad keys give their digit, whatever Num Lock says.
    const xkb_keysym_t* levels = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(m_keymap, keycode, 0, 1, &levels);
    for (int i = 0; i < count; ++i) {
        if (levels[i] >= XKB_KEY_KP_0 && levels[i] <= XKB_KEY_KP_9) {
            e.modifierFlags |= modifier::kNumericPad;
            e.charactersIgnoringModifiers = QString(QChar(u'0' + (levels[i] - XKB_KEY_KP_0)));
            return e;
        }
    }
    switch (sym) {
    case XKB_KEY_Left:
        e.keyCode = keycode::kLeftArrow;
        e.modifierFlags |= modifier::kNumericPad | modifier::kFunction;
        e.charactersIgnoringModifiers = QString();
        return e;
    case XKB_KEY_Right:
        e.keyCode = keycode::kRightArrow;
        e.modifierFlags |= modifier::kNumericPad | modifier::kFunction;
        e.charactersIgnoringModifiers = QString();
        return e;
    case XKB_KEY_Escape:
        e.keyCode = keycode::kEscape;
        break;
    default:
        break;
    }
    char text[16] = {};
    if (xkb_keysym_to_utf8(sym, text, sizeof text) > 0)
        e.charactersIgnoringModifiers = QString::fromUtf8(text);
    else
        e.charactersIgnoringModifiers = QString();
    return e;
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
