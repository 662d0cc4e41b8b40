#include "SimAccessibility.h"

#include "platform/sim/SimDesktop.h"

namespace corvane {

AxElement SimAccessibility::applicationElement(qint32 pid) {
    if (const SimDesktop::App* a = m_desktop.app(pid))
        return a->element;
    // Like the real call, an element is made for any pid; it just answers nothing.
    SimDesktop::Node n;
    n.kind = SimDesktop::NodeKind::Application;
    n.pid = pid;
    n.isValid = false;
    return m_desktop.makeNode(n);
}

AxElement SimAccessibility::systemWideElement() {
    return m_desktop.m_systemWide;
}

// A closed window's element stays its element, answering nothing, as a window number's does elsewhere.
AxElement SimAccessibility::elementOfWindow(quint32 number) {
    for (auto n = m_desktop.m_nodes.cbegin(); n != m_desktop.m_nodes.cend(); ++n) {
        if (n->kind == SimDesktop::NodeKind::Window && n->window == number)
            return AxElement{n.key()};
    }
    return {};
}

AttributeResult SimAccessibility::copyAttributeValue(AxElement element, const QString& attribute) {
    AttributeResult result = read(element, attribute);
    m_desktop.record(SimAction::Kind::ReadAttribute, element, attribute, result.value, result.error);
    return result;
}

AttributeResult SimAccessibility::read(AxElement element, const QString& attribute) {
    using Kind = SimDesktop::NodeKind;
    const SimDesktop::Node* n = m_desktop.node(element);
    if (!n || !n->isValid)
        return {AxError::InvalidElement, {}};
    const SimFaults& faults = m_desktop.faults();
    if (m_desktop.app(n->pid) && faults.isUnresponsive(n->pid))
        return {AxError::CannotComplete, {}};
    if (const std::optional<AxError> failure = faults.readFailure(element, attribute))
        return {*failure, {}};
    if (n->removed.contains(attribute))
        return {AxError::AttributeUnsupported, {}};
    if (n->values.contains(attribute))
        return {AxError::Success, n->values.value(attribute)};

    const SimDesktop::Window* w = m_desktop.window(n->window);
    if (attribute == QLatin1String(ax::kRole))
        return {AxError::Success, n->role};
    if (attribute == QLatin1String(ax::kSubrole) && !n->subrole.isEmpty())
        return {AxError::Success, n->subrole};
    if (attribute == QLatin1String(ax::kParent) && !n->parent.isNull())
        return {AxError::Success, n->parent};

    switch (n->kind) {
    case Kind::Application:
        if (attribute == QLatin1String(ax::kFocusedWindow)) {
            const SimDesktop::App* a = m_desktop.app(n->pid);
            if (!a || !a->focusedWindow || !m_desktop.window(*a->focusedWindow))
                return {AxError::NoValue, {}};
            return {AxError::Success, m_desktop.windowElement(*a->focusedWindow)};
        }
        break;
    case Kind::Window:
        if (!w)
            return {AxError::InvalidElement, {}};
        if (attribute == QLatin1String(ax::kPosition))
            return {AxError::Success, AxValue::ofPoint(w->frame.topLeft())};
        if (attribute == QLatin1String(ax::kSize))
            return {AxError::Success, AxValue::ofSize(w->frame.size())};
        if (attribute == QLatin1String(ax::kFullScreen))
            return {AxError::Success, w->options.isFullScreen};
        if (attribute == QLatin1String(ax::kTitle))
            return {AxError::Success, w->options.title};
        if (attribute == QLatin1String(ax::kRestoreFrame)) {
            if (!w->restoreFrame)
                return {AxError::NoValue, {}};
            return {AxError::Success, AxValue::ofRect(*w->restoreFrame)};
        }
        break;
    case Kind::Child:
        if (n->frame &&
            (attribute == QLatin1String(ax::kPosition) || attribute == QLatin1String(ax::kSize))) {
            const QRectF frame = w ? n->frame->translated(w->frame.topLeft()) : *n->frame;
            if (attribute == QLatin1String(ax::kPosition))
                return {AxError::Success, AxValue::ofPoint(frame.topLeft())};
            return {AxError::Success, AxValue::ofSize(frame.size())};
        }
        break;
    case Kind::SystemWide:
        break;
    }
    return {AxError::NoValue, {}};
}

AxError SimAccessibility::setAttributeValue(AxElement element, const QString& attribute,
                                            const AttributeValue& value) {
    const AxError result = write(element, attribute, value);
    m_desktop.record(SimAction::Kind::WriteAttribute, element, attribute, value, result);
    return result;
}

AxError SimAccessibility::write(AxElement element, const QString& attribute, const AttributeValue& value) {
    const SimDesktop::Node* n = m_desktop.node(element);
    if (!n || !n->isValid)
        return AxError::InvalidElement;
    const SimFaults& faults = m_desktop.faults();
    if (m_desktop.app(n->pid) && faults.isUnresponsive(n->pid))
        return AxError::CannotComplete;
    if (const std::optional<AxError> failure = faults.writeFailure(element, attribute))
        return *failure;
    SimDesktop::Window* w = m_desktop.window(n->window);
    if (n->kind != SimDesktop::NodeKind::Window || !w)
        return AxError::AttributeUnsupported;
    const AxValue* v = std::get_if<AxValue>(&value);
    if (attribute == QLatin1String(ax::kRestoreFrame)) {
        if (std::holds_alternative<std::monostate>(value))
            w->restoreFrame.reset();
        else if (v && v->rectValue())
            w->restoreFrame = v->rectValue();
        else
            return AxError::IllegalArgument;
        return AxError::Success;
    }
    return AxError::AttributeUnsupported;
}

ElementHit SimAccessibility::elementAtPosition(AxElement root, float x, float y) {
    if (const std::optional<AxError> failure = m_desktop.faults().elementAtPositionFailure())
        return {*failure, {}};
    const SimDesktop::Node* r = m_desktop.node(root);
    if (!r || !r->isValid)
        return {AxError::InvalidElement, {}};
    const QPointF p(x, y);
    for (const SimDesktop::Window& w : m_desktop.m_windows) {
        if (!w.options.isOnScreen || !SimDesktop::holds(w.frame, p))
            continue;
        if (r->kind == SimDesktop::NodeKind::Application && r->pid != w.pid)
            continue;
        if (m_desktop.app(w.pid) && m_desktop.faults().isUnresponsive(w.pid))
            return {AxError::CannotComplete, {}};
        // The most recently added element that holds the point lies on top.
        AxElement hit = w.element;
        quint64 best = 0;
        for (auto it = m_desktop.m_nodes.cbegin(); it != m_desktop.m_nodes.cend(); ++it) {
            const SimDesktop::Node& n = it.value();
            if (n.kind != SimDesktop::NodeKind::Child || n.window != w.number || !n.isValid || !n.frame)
                continue;
            if (SimDesktop::holds(n.frame->translated(w.frame.topLeft()), p) && it.key() > best) {
                best = it.key();
                hit = AxElement{it.key()};
            }
        }
        return {AxError::Success, hit};
    }
    return {AxError::NoValue, {}};
}

AxError SimAccessibility::performAction(AxElement element, const QString& action) {
    const SimDesktop::Window* w = m_desktop.windowOf(element);
    const SimWindowId number = w ? w->number : 0;
    AxError result = AxError::InvalidElement;
    // An action fails as a write of its name does.
    if (const std::optional<AxError> failure = m_desktop.faults().writeFailure(element, action);
        w && failure) {
        result = *failure;
    } else if (w && action == QLatin1String(ax::kRaiseAction)) {
        m_desktop.raiseWindow(number);
        result = AxError::Success;
    } else if (w) {
        result = AxError::ActionUnsupported;
    }
    m_desktop.m_log.append({.kind = SimAction::Kind::PerformAction,
                            .time = m_desktop.m_runLoop.now(),
                            .element = element,
                            .attribute = action,
                            .value = {},
                            .result = result,
                            .pid = 0,
                            .window = number});
    return result;
}

AxError SimAccessibility::setMessagingTimeout(AxElement element, float seconds) {
    SimDesktop::Node* n = m_desktop.node(element);
    if (!n || !n->isValid)
        return AxError::InvalidElement;
    n->timeout = seconds;
    return AxError::Success;
}

PidResult SimAccessibility::pidOfElement(AxElement element) {
    const SimDesktop::Node* n = m_desktop.node(element);
    if (!n || !n->isValid)
        return {AxError::InvalidElement, 0};
    if (const std::optional<AxError> failure = m_desktop.faults().pidFailure(element))
        return {*failure, 0};
    return {AxError::Success, n->pid};
}

bool SimAccessibility::isProcessTrustedWithPrompt() {
    ++m_promptCount;
    const bool wasTrusted = m_isTrusted;
    // The user answers the prompt after the call has returned.
    if (m_grantsOnPrompt)
        m_isTrusted = true;
    return wasTrusted;
}

} // namespace corvane
