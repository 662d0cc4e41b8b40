#include "X11Accessibility.h"

#include "platform/x11/WindowTypes.h"

namespace corvane {

namespace {

// The handle's top byte says what it is; the rest is a pid or a window id, with a button index or a
// point of the window's title bar above it.
enum class Kind : quint64 { SystemWide = 1, Application = 2, Window = 3, Button = 4, ClientTitleBar = 5 };

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
// A point of a client-drawn title bar, as its offset from the frame's top-left: 16 bits across, 8 down
// (the title strip is less than 256 pixels tall).
AxElement clientTitleBarElement(xcb_window_t window, QPointF offset) {
    const quint64 x = quint64(std::clamp(int(offset.x()), 0, 0xFFFF));
    const quint64 y = quint64(std::clamp(int(offset.y()), 0, 0xFF));
    return make(Kind::ClientTitleBar, (y << 48) | (x << 32) | window);
}
QPointF clientTitleBarOffset(AxElement e) {
    return QPointF(double((e.handle >> 32) & 0xFFFF), double((e.handle >> 48) & 0xFF));
}

// Button indices and what each is.
const TitleButton kButtons[] = {TitleButton::Close, TitleButton::Minimize, TitleButton::Maximize};
const char* const kButtonSubroles[] = {ax::kCloseButtonSubrole, ax::kMinimizeButtonSubrole,
                                       ax::kZoomButtonSubrole};

bool holds(const QRectF& r, QPointF p) {
    return p.x() >= r.left() && p.x() < r.right() && p.y() >= r.top() && p.y() < r.bottom();
}

bool isGeometry(const QString& attribute) {
    return attribute == QLatin1String(ax::kPosition) || attribute == QLatin1String(ax::kSize);
}

AttributeResult geometryOf(const QRectF& r, const QString& attribute) {
    if (attribute == QLatin1String(ax::kPosition))
        return {AxError::Success, AxValue::ofPoint(r.topLeft())};
    return {AxError::Success, AxValue::ofSize(r.size())};
}

// Why a window's attribute could not be read or written.
AxError failure(WaitEnd end) {
    return end == WaitEnd::TimedOut ? AxError::CannotComplete : AxError::InvalidElement;
}

} // namespace

X11Accessibility::X11Accessibility(X11Connection& connection, X11Windows& windows,
                                   TitleBarButtons& titleBarButtons, WindowManagerWatcher& windowManager)
    : m_connection(connection)
    , m_windows(windows)
    , m_titleBarButtons(titleBarButtons) {
    // A window manager came, went or changed what it offers.
    connect(&windowManager, &WindowManagerWatcher::changed, this, &Accessibility::accessibilityApiChanged);
    connect(&windowManager, &WindowManagerWatcher::supportChanged, this,
            &Accessibility::accessibilityApiChanged);
}

std::optional<xcb_window_t> X11Accessibility::clientWindowOf(AxElement element) {
    if (kindOf(element) != Kind::Window)
        return std::nullopt;
    return windowOf(element);
}

AxElement X11Accessibility::applicationElement(qint32 pid) {
    return make(Kind::Application, quint32(pid));
}

AxElement X11Accessibility::systemWideElement() {
    return make(Kind::SystemWide, 0);
}

AxElement X11Accessibility::elementOfWindow(quint32 number) {
    return make(Kind::Window, number);
}

double X11Accessibility::timeoutFor(AxElement element) {
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
        if (attribute == QLatin1String(ax::kFullScreen)) {
            const Fetched<bool> isFull = m_windows.hasState(w, "_NET_WM_STATE_FULLSCREEN", timeout);
            if (!isFull)
                return {failure(isFull.end()), {}};
            return {AxError::Success, *isFull};
        }
        if (attribute == QLatin1String(ax::kRestoreFrame)) {
            const Fetched<QRectF> remembered = m_windows.restoreFrame(w, timeout);
            if (remembered.end() == WaitEnd::Replied && !remembered)
                return {AxError::NoValue, {}};
            if (!remembered)
                return {failure(remembered.end()), {}};
            return {AxError::Success, AxValue::ofRect(*remembered)};
        }
        if (attribute == QLatin1String(ax::kTitle)) {
            const Fetched<QString> title = m_windows.title(w, timeout);
            if (!title)
                return {failure(title.end()), {}};
            return {AxError::Success, *title};
        }
        if (attribute == QLatin1String(ax::kParent)) {
            const Fetched<qint32> pid = m_windows.pid(w, timeout);
            if (!pid)
                return {failure(pid.end()), {}};
            return {AxError::Success, applicationElement(*pid)};
        }
        if (attribute == QLatin1String(ax::kPosition) || attribute == QLatin1String(ax::kSize)) {
            const Fetched<QRectF> frame = m_windows.frame(w, timeout);
            if (!frame)
                return {failure(frame.end()), {}};
            if (attribute == QLatin1String(ax::kPosition))
                return {AxError::Success, AxValue::ofPoint(frame->topLeft())};
            return {AxError::Success, AxValue::ofSize(frame->size())};
        }
        return {AxError::AttributeUnsupported, {}};
    }
    case Kind::Button:
        return drawnButtonAttribute(element, attribute, timeout);
    case Kind::ClientTitleBar:
        return clientTitleBarAttribute(element, attribute, timeout);
    case Kind::SystemWide:
        break;
    }
    return {AxError::AttributeUnsupported, {}};
}

AttributeResult X11Accessibility::drawnButtonAttribute(AxElement button, const QString& attribute,
                                                       double timeout) {
    const xcb_window_t w = windowOf(button);
    const int index = buttonOf(button);
    if (attribute == QLatin1String(ax::kRole))
        return {AxError::Success, QString::fromLatin1(ax::kButtonRole)};
    if (attribute == QLatin1String(ax::kSubrole))
        return {AxError::Success, QString::fromLatin1(kButtonSubroles[index])};
    if (attribute == QLatin1String(ax::kWindow) || attribute == QLatin1String(ax::kParent))
        return {AxError::Success, make(Kind::Window, w)};
    if (!isGeometry(attribute))
        return {AxError::AttributeUnsupported, {}};
    const Fetched<X11Windows::TitledFrame> titled = m_windows.titledFrame(w, timeout);
    if (!titled)
        return {failure(titled.end()), {}};
    const std::optional<QRectF> drawn =
        m_titleBarButtons.drawnButton(kButtons[index], titled->frame, titled->decorationTop);
    if (!drawn)
        return {AxError::NoValue, {}}; // the layout changed since the element was found
    return geometryOf(*drawn, attribute);
}

// What lies at the point is asked of the accessibility bus only here, when it is read, so looking
// up the window under a press never waits for an application.
AttributeResult X11Accessibility::clientTitleBarAttribute(AxElement part, const QString& attribute,
                                                          double timeout) {
    const xcb_window_t w = windowOf(part);
    if (attribute == QLatin1String(ax::kWindow) || attribute == QLatin1String(ax::kParent))
        return {AxError::Success, make(Kind::Window, w)};
    if (attribute != QLatin1String(ax::kRole) && attribute != QLatin1String(ax::kSubrole) &&
        !isGeometry(attribute))
        return {AxError::AttributeUnsupported, {}};
    const Fetched<QRectF> frame = m_windows.frame(w, timeout);
    if (!frame)
        return {failure(frame.end()), {}};
    const Fetched<qint32> pid = m_windows.pid(w, timeout);
    if (!pid)
        return {failure(pid.end()), {}};
    const BusButton button = m_titleBarButtons.client().buttonAt(
        w, *pid, *frame, frame->topLeft() + clientTitleBarOffset(part), timeout);
    if (button.outcome == BusButton::Outcome::NoAnswer)
        return {AxError::CannotComplete, {}};
    if (button.outcome == BusButton::Outcome::NotFound)
        return {AxError::NoValue, {}};
    if (attribute == QLatin1String(ax::kRole))
        return {AxError::Success, QString::fromLatin1(ax::kButtonRole)};
    if (attribute == QLatin1String(ax::kSubrole))
        return {AxError::Success, QString::fromLatin1(ax::kZoomButtonSubrole)};
    return geometryOf(button.frame, attribute);
}

AxError X11Accessibility::setAttributeValue(AxElement element, const QString& attribute,
                                            const AttributeValue& value) {
    if (kindOf(element) != Kind::Window)
        return AxError::AttributeUnsupported;
    const AxValue* v = std::get_if<AxValue>(&value);
    const xcb_window_t w = windowOf(element);
    if (const Fetched<QRectF> frame = m_windows.frame(w, timeoutFor(element)); !frame)
        return failure(frame.end());
    if (attribute == QLatin1String(ax::kRestoreFrame) &&
        (std::holds_alternative<std::monostate>(value) || (v && v->rectValue()))) {
        m_windows.setRestoreFrame(w, v ? v->rectValue() : std::nullopt);
        return AxError::Success;
    }
    return AxError::IllegalArgument;
}

ElementHit X11Accessibility::elementAtPosition(AxElement root, float x, float y) {
    const QPointF p(x, y);
    const double timeout = timeoutFor(root);
    for (xcb_window_t w : m_windows.stacking(timeout)) {
        const X11Windows::WindowFacts facts = m_windows.facts(w);
        if (!facts.isOnScreen)
            continue;
        const Fetched<X11Windows::TitledFrame> titled = m_windows.titledFrame(w, timeout);
        if (!titled || !holds(titled->frame, p))
            continue;
        // The point is on a dock, the desktop or a pop-up: no window there to move.
        if (facts.layer != kOrdinaryLayer)
            return {AxError::NoValue, {}};
        if (const std::optional<AxElement> part = titleBarElementAt(w, *titled, p))
            return {AxError::Success, *part};
        return {AxError::Success, make(Kind::Window, w)};
    }
    return {AxError::NoValue, {}};
}

std::optional<AxElement> X11Accessibility::titleBarElementAt(xcb_window_t window,
                                                             const X11Windows::TitledFrame& titled,
                                                             QPointF point) {
    const QRectF& frame = titled.frame;
    const int top = titled.decorationTop;
    if (top == 0) {
        if (holds(ClientTitleButtons::titleStrip(frame), point))
            return clientTitleBarElement(window, point - frame.topLeft());
        return std::nullopt;
    }
    for (int i = 0; i < 3; ++i) {
        const std::optional<QRectF> drawn = m_titleBarButtons.drawnButton(kButtons[i], frame, top);
        if (drawn && holds(*drawn, point))
            return buttonElement(window, i);
    }
    return std::nullopt;
}

AxError X11Accessibility::performAction(AxElement element, const QString& action) {
    if (kindOf(element) != Kind::Window || action != QLatin1String(ax::kRaiseAction))
        return AxError::ActionUnsupported;
    const xcb_window_t w = windowOf(element);
    if (const Fetched<QRectF> frame = m_windows.frame(w, timeoutFor(element)); !frame)
        return failure(frame.end());
    // A window manager that takes no pager's restack (xfwm4) gives the focus to a window raised any
    // other way.
    const QList<quint32> supported =
        m_connection.cardinals(m_connection.root(), m_connection.atom("_NET_SUPPORTED"));
    if (!supported.contains(m_connection.atom("_NET_RESTACK_WINDOW")))
        return AxError::ActionUnsupported;
    m_windows.raise(w);
    return AxError::Success;
}

AxError X11Accessibility::setMessagingTimeout(AxElement element, float seconds) {
    m_timeouts.insert(element.handle, seconds);
    return AxError::Success;
}

PidResult X11Accessibility::pidOfElement(AxElement element) {
    switch (kindOf(element)) {
    case Kind::Application:
        return {AxError::Success, qint32(element.handle & 0xFFFFFFFF)};
    case Kind::Window:
    case Kind::Button:
    case Kind::ClientTitleBar: {
        const Fetched<qint32> pid = m_windows.pid(windowOf(element), timeoutFor(element));
        if (!pid)
            return {failure(pid.end()), 0};
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
