#include "AgentAccessibility.h"

#include "platform/WindowLayers.h"
#include "platform/agent/AgentWindowServer.h"

namespace corvane {

namespace {

// The handle's top byte says what it is; the rest is a pid or a window number (a zoom button's is its
// window's).
enum class Kind : quint64 { SystemWide = 1, Application = 2, Window = 3, ZoomButton = 4 };

AxElement make(Kind kind, quint64 value) {
    return AxElement{(quint64(kind) << 56) | value};
}
Kind kindOf(AxElement e) {
    return Kind(e.handle >> 56);
}
quint32 valueOf(AxElement e) {
    return quint32(e.handle & 0xFFFFFFFF);
}

} // namespace

AgentAccessibility::AgentAccessibility(AgentDesktop& desktop, const AgentScreens& screens,
                                       AgentRestoreFrames& restoreFrames,
                                       const AgentTitleBars& titleBarButtons)
    : m_desktop(desktop)
    , m_screens(screens)
    , m_restoreFrames(restoreFrames)
    , m_titleBarButtons(titleBarButtons) {
    connect(&desktop, &AgentDesktop::snapshotApplied, this, &Accessibility::accessibilityApiChanged);
}

AxElement AgentAccessibility::windowElement(quint32 number) {
    return make(Kind::Window, number);
}

const AgentWindow* AgentAccessibility::windowOf(AxElement element) const {
    return kindOf(element) == Kind::Window ? m_desktop.window(valueOf(element)) : nullptr;
}

AxElement AgentAccessibility::applicationElement(qint32 pid) {
    return make(Kind::Application, quint32(pid));
}

AxElement AgentAccessibility::systemWideElement() {
    return make(Kind::SystemWide, 0);
}

AttributeResult AgentAccessibility::copyAttributeValue(AxElement element, const QString& attribute) {
    if (kindOf(element) == Kind::Application) {
        if (attribute != QLatin1String(ax::kFocusedWindow))
            return {AxError::AttributeUnsupported, {}};
        const AgentWindow* focused = m_desktop.focusedWindowOf(qint32(valueOf(element)));
        if (!focused)
            return {AxError::NoValue, {}};
        return {AxError::Success, windowElement(focused->number)};
    }
    if (kindOf(element) == Kind::ZoomButton)
        return zoomButtonAttribute(element, attribute);
    if (kindOf(element) != Kind::Window)
        return {AxError::AttributeUnsupported, {}};
    const AgentWindow* w = windowOf(element);
    if (!w)
        return {AxError::InvalidElement, {}};
    if (attribute == QLatin1String(ax::kRole))
        return {AxError::Success, QString::fromLatin1(ax::kWindowRole)};
    if (attribute == QLatin1String(ax::kFullScreen))
        return {AxError::Success, w->isFullScreen};
    if (attribute == QLatin1String(ax::kParent))
        return {AxError::Success, applicationElement(w->pid)};
    if (attribute == QLatin1String(ax::kTitle))
        return {AxError::Success, w->caption};
    if (attribute == QLatin1String(ax::kPosition))
        return {AxError::Success, AxValue::ofPoint(m_screens.toAx(w->frame).topLeft())};
    if (attribute == QLatin1String(ax::kSize))
        return {AxError::Success, AxValue::ofSize(w->frame.size())};
    if (attribute == QLatin1String(ax::kRestoreFrame)) {
        const std::optional<QRectF> remembered = m_restoreFrames.frame(w->id);
        if (!remembered)
            return {AxError::NoValue, {}};
        return {AxError::Success, AxValue::ofRect(m_screens.toAx(*remembered))};
    }
    return {AxError::AttributeUnsupported, {}};
}

std::optional<QRectF> AgentAccessibility::zoomButtonOf(const AgentWindow& window) const {
    const std::optional<QRectF> button = m_titleBarButtons.maximizeButton(m_titleBarButtons.layout(), window);
    return button ? std::optional(m_screens.toAx(*button)) : std::nullopt;
}

AttributeResult AgentAccessibility::zoomButtonAttribute(AxElement button, const QString& attribute) const {
    const AgentWindow* w = m_desktop.window(valueOf(button));
    const std::optional<QRectF> frame = w ? zoomButtonOf(*w) : std::nullopt;
    if (!frame)
        return {AxError::InvalidElement, {}};
    if (attribute == QLatin1String(ax::kRole))
        return {AxError::Success, QString::fromLatin1(ax::kButtonRole)};
    if (attribute == QLatin1String(ax::kSubrole))
        return {AxError::Success, QString::fromLatin1(ax::kZoomButtonSubrole)};
    if (attribute == QLatin1String(ax::kWindow) || attribute == QLatin1String(ax::kParent))
        return {AxError::Success, make(Kind::Window, w->number)};
    if (attribute == QLatin1String(ax::kPosition))
        return {AxError::Success, AxValue::ofPoint(frame->topLeft())};
    if (attribute == QLatin1String(ax::kSize))
        return {AxError::Success, AxValue::ofSize(frame->size())};
    return {AxError::AttributeUnsupported, {}};
}

AxError AgentAccessibility::setAttributeValue(AxElement element, const QString& attribute,
                                              const AttributeValue& value) {
    if (kindOf(element) != Kind::Window)
        return AxError::AttributeUnsupported;
    const AgentWindow* w = windowOf(element);
    if (!w)
        return AxError::InvalidElement;
    const AxValue* v = std::get_if<AxValue>(&value);
    if (attribute != QLatin1String(ax::kRestoreFrame) ||
        !(std::holds_alternative<std::monostate>(value) || (v && v->rectValue())))
        return AxError::IllegalArgument;
    m_restoreFrames.setFrame(w->id, v ? std::optional(m_screens.fromAx(*v->rectValue())) : std::nullopt);
    return AxError::Success;
}

ElementHit AgentAccessibility::elementAtPosition(AxElement, float x, float y) {
    const QPointF p(x, y);
    for (const AgentWindow* w : m_desktop.windowsFrontToBack()) {
        // Our own windows are seen through: the preview fading out over the window just dropped takes no
        // press, and a move of our own windows is never a press here (AgentEvents).
        if (!w->isOnCurrentDesktop || w->isMinimized || w->pid == m_desktop.ownPid())
            continue;
        const QRectF f = m_screens.toAx(w->frame);
        if (!(p.x() >= f.left() && p.x() < f.right() && p.y() >= f.top() && p.y() < f.bottom()))
            continue;
        if (AgentWindowServer::layerOf(*w) != kOrdinaryLayer)
            return {AxError::NoValue, {}};
        if (const std::optional<QRectF> button = zoomButtonOf(*w); button && button->contains(p))
            return {AxError::Success, make(Kind::ZoomButton, w->number)};
        return {AxError::Success, windowElement(w->number)};
    }
    return {AxError::NoValue, {}};
}

PidResult AgentAccessibility::pidOfElement(AxElement element) {
    if (kindOf(element) == Kind::Application)
        return {AxError::Success, qint32(valueOf(element))};
    if (kindOf(element) != Kind::Window && kindOf(element) != Kind::ZoomButton)
        return {AxError::IllegalArgument, 0};
    const AgentWindow* w = m_desktop.window(valueOf(element));
    if (!w)
        return {AxError::InvalidElement, 0};
    return {AxError::Success, w->pid};
}

} // namespace corvane
