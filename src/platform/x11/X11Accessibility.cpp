#include "X11Accessibility.h"

#include "platform/x11/WindowTypes.h"

namespace corvane {

namespace {

// The handle's top byte says what it is; the rest is a pid or a window id (and a button index).
enum class Kind : quint64 { SystemWide = 1, Application = 2, Window = 3, Button = 4 };

AxElement make(Kind kind, quint64 value) {
    return AxElement{(quint64(kind) << 56) | value};
}
Kind kindOf(AxElement e) {
    return Kind(e.handle >> 56);
}
xcb_window_t windowOf(AxElement e) {
    return xcb_window_t(e.handle & 0xFFFFFFFF);
}
int buttonOf(AxElement e) {
    return int((e.handle >> 32) & 0xFF);
}
AxElement buttonElement(xcb_window_t window, int index) {
    return make(Kind::Button, (quint64(index) << 32) | window);
}

const char* const kButtonSubroles[] = {ax::kCloseButtonSubrole, ax::kMinimizeButtonSubrole,
                                       ax::kZoomButtonSubrole};

QRectF buttonFrame(const QRectF& windowFrame, int index) {
    return QRectF(windowFrame.x() + kTitleButtonLefts[index], windowFrame.y() + kTitleButtonTop,
                  kTitleButtonSize, kTitleButtonSize);
}

bool holds(const QRectF& r, QPointF p) {
    return p.x() >= r.left() && p.x() < r.right() && p.y() >= r.top() && p.y() < r.bottom();
}

AxError failure() {
    return X11Connection::lastAwaitTimedOut() ? AxError::CannotComplete : AxError::InvalidElement;
}

} // namespace

X11Accessibility::X11Accessibility(X11Connection& connection, X11Windows& windows)
    : m_connection(connection)
    , m_windows(windows) {
    const xcb_atom_t supported = connection.atom("_NET_SUPPORTED");
    const xcb_atom_t check = connection.atom("_NET_SUPPORTING_WM_CHECK");
    connection.addEventHandler([this, supported, check](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return;
        const xcb_atom_t changed = reinterpret_cast<const xcb_property_notify_event_t*>(event)->atom;
        if (changed == supported || changed == check)
            emit accessibilityApiChanged(); // a window manager came, went or changed what it offers
    });
}

AxElement X11Accessibility::applicationElement(qint32 pid) {
    return make(Kind::Application, quint32(pid));
}

AxElement X11Accessibility::systemWideElement() {
    return make(Kind::SystemWide, 0);
}

double X11Accessibility::timeoutFor(AxElement element) {
    std::lock_guard lock(m_mutex);
    const float t = m_timeouts.value(element.handle, 0);
    return t > 0 ? t : X11Connection::kDefaultTimeout;
}

AttributeResult X11Accessibility::copyAttributeValue(AxElement element, const QString& attribute) {
    const double timeout = timeoutFor(element);
    switch (kindOf(element)) {
    case Kind::Application: {
        if (attribute != QLatin1String(ax::kFocusedWindow))
            return {AxError::AttributeUnsupported, {}};
        const std::optional<xcb_window_t> focused =
            m_windows.focusedWindow(qint32(element.handle & 0xFFFFFFFF));
        if (!focused)
            return {AxError::NoValue, {}};
        return {AxError::Success, make(Kind::Window, *focused)};
    }
    case Kind::Window: {
        const xcb_window_t w = windowOf(element);
        if (attribute == QLatin1String(ax::kRole))
            return {AxError::Success, QString::fromLatin1(ax::kWindowRole)};
        if (attribute == QLatin1String(ax::kFullScreen))
            return {AxError::Success, m_windows.hasState(w, "_NET_WM_STATE_FULLSCREEN")};
        if (attribute == QLatin1String(ax::kRestoreFrame)) {
            const std::optional<QRectF> remembered = m_windows.restoreFrame(w, timeout);
            if (!remembered)
                return {X11Connection::lastAwaitTimedOut() ? AxError::CannotComplete : AxError::NoValue, {}};
            return {AxError::Success, AxValue::ofRect(*remembered)};
        }
        if (attribute == QLatin1String(ax::kParent)) {
            const std::optional<qint32> pid = m_windows.pid(w, timeout);
            if (!pid)
                return {failure(), {}};
            return {AxError::Success, applicationElement(*pid)};
        }
        if (attribute == QLatin1String(ax::kPosition) || attribute == QLatin1String(ax::kSize)) {
            const std::optional<QRectF> frame = m_windows.frame(w, timeout);
            if (!frame)
                return {failure(), {}};
            if (attribute == QLatin1String(ax::kPosition))
                return {AxError::Success, AxValue::ofPoint(frame->topLeft())};
            return {AxError::Success, AxValue::ofSize(frame->size())};
        }
        return {AxError::AttributeUnsupported, {}};
    }
    case Kind::Button: {
        const xcb_window_t w = windowOf(element);
        const int index = buttonOf(element);
        if (attribute == QLatin1String(ax::kRole))
            return {AxError::Success, QString::fromLatin1(ax::kButtonRole)};
        if (attribute == QLatin1String(ax::kSubrole))
            return {AxError::Success, QString::fromLatin1(kButtonSubroles[index])};
        if (attribute == QLatin1String(ax::kWindow) || attribute == QLatin1String(ax::kParent))
            return {AxError::Success, make(Kind::Window, w)};
        if (attribute == QLatin1String(ax::kPosition) || attribute == QLatin1String(ax::kSize)) {
            const std::optional<QRectF> frame = m_windows.frame(w, timeout);
            if (!frame)
                return {failure(), {}};
            const QRectF button = buttonFrame(*frame, index);
            if (attribute == QLatin1String(ax::kPosition))
                return {AxError::Success, AxValue::ofPoint(button.topLeft())};
            return {AxError::Success, AxValue::ofSize(button.size())};
        }
        return {AxError::AttributeUnsupported, {}};
    }
    case Kind::SystemWide:
        break;
    }
    return {AxError::AttributeUnsupported, {}};
}

AxError X11Accessibility::setAttributeValue(AxElement element, const QString& attribute,
                                            const AttributeValue& value) {
    if (kindOf(element) != Kind::Window)
        return AxError::AttributeUnsupported;
    const AxValue* v = std::get_if<AxValue>(&value);
    const xcb_window_t w = windowOf(element);
    // A move or resize reads the frame it builds on, and so finds a window that is gone.
    if (attribute == QLatin1String(ax::kPosition) && v && v->pointValue())
        return m_windows.moveResize(w, v->pointValue(), std::nullopt, timeoutFor(element)) ? AxError::Success
                                                                                           : failure();
    if (attribute == QLatin1String(ax::kSize) && v && v->sizeValue())
        return m_windows.moveResize(w, std::nullopt, v->sizeValue(), timeoutFor(element)) ? AxError::Success
                                                                                          : failure();
    if (!m_windows.frame(w, timeoutFor(element)))
        return failure();
    if (attribute == QLatin1String(ax::kRestoreFrame) &&
        (std::holds_alternative<std::monostate>(value) || (v && v->rectValue()))) {
        m_windows.setRestoreFrame(w, v ? v->rectValue() : std::nullopt);
        return AxError::Success;
    }
    return AxError::IllegalArgument;
}

void X11Accessibility::waitUntilApplied(AxElement window, std::chrono::microseconds atMost) {
    if (kindOf(window) == Kind::Window)
        m_windows.waitUntilApplied(windowOf(window), std::chrono::duration<double>(atMost).count());
}

ElementHit X11Accessibility::elementAtPosition(AxElement root, float x, float y) {
    const QPointF p(x, y);
    const double timeout = timeoutFor(root);
    for (xcb_window_t w : m_windows.stacking(timeout)) {
        if (!m_windows.isOnScreen(w))
            continue;
        const std::optional<QRectF> frame = m_windows.frame(w, timeout);
        if (!frame || !holds(*frame, p))
            continue;
        // The point is on a dock, the desktop or a pop-up: no window there to move.
        if (m_windows.layer(w) != kOrdinaryLayer)
            return {AxError::NoValue, {}};
        if (m_windows.isDecorated(w)) {
            for (int i = 0; i < 3; ++i) {
                if (holds(buttonFrame(*frame, i), p))
                    return {AxError::Success, buttonElement(w, i)};
            }
        }
        return {AxError::Success, make(Kind::Window, w)};
    }
    return {AxError::NoValue, {}};
}

AxError X11Accessibility::setMessagingTimeout(AxElement element, float seconds) {
    std::lock_guard lock(m_mutex);
    m_timeouts.insert(element.handle, seconds);
    return AxError::Success;
}

PidResult X11Accessibility::pidOfElement(AxElement element) {
    switch (kindOf(element)) {
    case Kind::Application:
        return {AxError::Success, qint32(element.handle & 0xFFFFFFFF)};
    case Kind::Window:
    case Kind::Button: {
        const std::optional<qint32> pid = m_windows.pid(windowOf(element), timeoutFor(element));
        if (!pid)
            return {failure(), 0};
        return {AxError::Success, *pid};
    }
    case Kind::SystemWide:
        break;
    }
    return {AxError::IllegalArgument, 0};
}

bool X11Accessibility::isProcessTrusted() {
    if (m_connection.hasError())
        return false;
    const QList<quint32> supported =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_SUPPORTED"));
    return supported.contains(m_connection.atom("_NET_MOVERESIZE_WINDOW")) &&
           supported.contains(m_connection.atom("_NET_ACTIVE_WINDOW"));
}

} // namespace corvane
