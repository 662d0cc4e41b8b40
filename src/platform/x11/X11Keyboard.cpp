#include "X11Keyboard.h"

// xcb's XKB header names a field `explicit`, a C++ keyword.
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>

namespace corvane {

namespace {

// The real modifiers xkbcommon names Alt, Num Lock and Super: Mod1, Mod2 and Mod4 on every layout
// the keyboard configuration ships.
constexpr quint16 kAltMask = XCB_MOD_MASK_1;
constexpr quint16 kNumLockMask = XCB_MOD_MASK_2;
constexpr quint16 kSuperMask = XCB_MOD_MASK_4;

} // namespace

X11Keyboard::X11Keyboard(X11Connection& connection)
    : m_connection(connection) {
    xcb_connection_t* c = connection.xcb();
    m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!m_context || !xkb_x11_setup_xkb_extension(
                          c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                          XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return;
    const int32_t device = xkb_x11_get_core_keyboard_device_id(c);
    m_keymap = xkb_x11_keymap_new_from_device(m_context, c, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (m_keymap) {
        m_plainState = xkb_state_new(m_keymap);
        m_liveState = xkb_x11_state_new_from_device(m_keymap, c, device);
    }
    // While one of our grabs is active the server's own repeats of the held key reach us as core
    // events, by default as a release and a press each. Those releases would end our repeat (at the
    // keyboard's rate) as often as the server repeats (at the device's own, often quicker), so it
    // would never fire. Asked for presses only, the repeats are presses of a key held already, which
    // change nothing.
    m_connection.await<xcb_xkb_per_client_flags_reply_t>(
        xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
                                 XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0));
    // The repeat delay, rate and per-key switches change with `xset r` and the desktop's keyboard
    // settings: the server announces each change.
    m_xkbEventBase = xcb_get_extension_data(c, &xcb_xkb_id)->first_event;
    const xcb_xkb_select_events_details_t none{};
    xcb_xkb_select_events_aux(c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_EVENT_TYPE_CONTROLS_NOTIFY, 0,
                              XCB_XKB_EVENT_TYPE_CONTROLS_NOTIFY, 0, 0, &none);
    readControls();
    m_subscription = connection.addEventHandler([this](const xcb_generic_event_t* event) {
        // Every XKB event shares one code; the second byte says which it is.
        const auto* bytes = reinterpret_cast<const quint8*>(event);
        if ((event->response_type & 0x7f) == m_xkbEventBase && bytes[1] == XCB_XKB_CONTROLS_NOTIFY)
            readControls();
    });
}

X11Keyboard::~X11Keyboard() {
    xkb_state_unref(m_liveState);
    xkb_state_unref(m_plainState);
    xkb_keymap_unref(m_keymap);
    xkb_context_unref(m_context);
}

void X11Keyboard::readControls() {
    const auto controls = m_connection.await<xcb_xkb_get_controls_reply_t>(
        xcb_xkb_get_controls(m_connection.xcb(), XCB_XKB_ID_USE_CORE_KBD));
    if (!controls)
        return;
    m_repeatsKeys = controls->enabledControls & XCB_XKB_BOOL_CTRL_REPEAT_KEYS;
    m_repeatTiming = {controls->repeatDelay / 1000.0, controls->repeatInterval / 1000.0};
    std::copy(std::begin(controls->perKeyRepeat), std::end(controls->perKeyRepeat), m_perKeyRepeat.begin());
}

std::optional<KeyRepeatTiming> X11Keyboard::repeatTiming(quint32 keycode) const {
    if (!m_repeatsKeys || keycode >= 256 || !(m_perKeyRepeat[keycode / 8] & (1 << (keycode % 8))))
        return std::nullopt;
    return m_repeatTiming;
}

void X11Keyboard::update(quint32 keycode, bool isPress) {
    if (keycode < m_keysDown.size())
        m_keysDown[keycode] = isPress;
    if (m_liveState)
        xkb_state_update_key(m_liveState, keycode, isPress ? XKB_KEY_DOWN : XKB_KEY_UP);
}

quint64 X11Keyboard::modifierFlags() const {
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

Event X11Keyboard::keyDown(quint32 keycode, double timestamp) const {
    Event e;
    e.type = EventType::KeyDown;
    e.timestamp = timestamp;
    e.modifierFlags = modifierFlags();
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
    const auto arrow = [&e](quint16 code) {
        e.keyCode = code;
        e.modifierFlags |= modifier::kNumericPad | modifier::kFunction;
        e.charactersIgnoringModifiers = QString();
        return e;
    };
    switch (sym) {
    case XKB_KEY_Left:
        return arrow(keycode::kLeftArrow);
    case XKB_KEY_Right:
        return arrow(keycode::kRightArrow);
    case XKB_KEY_Up:
        return arrow(keycode::kUpArrow);
    case XKB_KEY_Down:
        return arrow(keycode::kDownArrow);
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

QList<quint32> X11Keyboard::keycodesOf(const KeyChord& chord) const {
    QList<quint32> keycodes;
    if (!m_keymap)
        return keycodes;
    // Read each key as the dispatcher will, so a grabbed key is exactly one it acts on.
    const QString digit = QString::number(chord.digit);
    for (xkb_keycode_t k = xkb_keymap_min_keycode(m_keymap); k <= xkb_keymap_max_keycode(m_keymap); ++k) {
        const Event e = keyDown(k, 0);
        const bool isKeypad = e.modifierFlags & modifier::kNumericPad;
        bool matches = false;
        switch (chord.key) {
        case GrabKey::Digit:
            matches = !isKeypad && e.charactersIgnoringModifiers == digit;
            break;
        case GrabKey::KeypadDigit:
            matches = isKeypad && e.charactersIgnoringModifiers == digit;
            break;
        case GrabKey::LeftArrow:
            matches = e.keyCode == keycode::kLeftArrow;
            break;
        case GrabKey::RightArrow:
            matches = e.keyCode == keycode::kRightArrow;
            break;
        case GrabKey::UpArrow:
            matches = e.keyCode == keycode::kUpArrow;
            break;
        case GrabKey::DownArrow:
            matches = e.keyCode == keycode::kDownArrow;
            break;
        }
        if (matches)
            keycodes.append(k);
    }
    return keycodes;
}

quint16 X11Keyboard::modifierMask(quint64 flags) {
    quint16 mask = 0;
    if (flags & modifier::kShift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (flags & modifier::kControl)
        mask |= XCB_MOD_MASK_CONTROL;
    if (flags & modifier::kOption)
        mask |= kAltMask;
    if (flags & modifier::kCommand)
        mask |= kSuperMask;
    return mask;
}

std::array<quint16, 4> X11Keyboard::lockMasks() {
    return {0, XCB_MOD_MASK_LOCK, kNumLockMask, XCB_MOD_MASK_LOCK | kNumLockMask};
}

} // namespace corvane
