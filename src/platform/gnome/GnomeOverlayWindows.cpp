#include "GnomeOverlayWindows.h"

#include <QJsonArray>
#include <QWidget>

namespace corvane {

namespace field = agentprotocol::field;
namespace command = agentprotocol::command;

GnomeOverlayWindows::GnomeOverlayWindows(AgentCommand send, const AgentDesktop& desktop)
    : m_send(std::move(send))
    , m_desktop(desktop) {
    connect(&desktop, &AgentDesktop::windowAdded, this, &GnomeOverlayWindows::windowReported);
    connect(&desktop, &AgentDesktop::windowChanged, this, &GnomeOverlayWindows::windowReported);
}

void GnomeOverlayWindows::adopt(QWidget& window, OverlayKind /*kind*/) {
    m_placements.removeIf([](const Placement& p) { return p.window.isNull(); });
    m_placements.append(Placement{&window, QRect(), QString()});
}

void GnomeOverlayWindows::place(QWidget& window, const QRect& geometry) {
    for (Placement& placement : m_placements) {
        if (placement.window != &window)
            continue;
        placement.geometry = geometry;
        placement.placedOn.clear();
        // A window shown already is moved now; one about to show, once the Shell reports it.
        if (window.isVisible())
            if (const AgentWindow* shellWindow = shellWindowOf(window))
                apply(placement, *shellWindow);
        return;
    }
}

const AgentWindow* GnomeOverlayWindows::shellWindowOf(const QWidget& window) const {
    const AgentWindow* newest = nullptr;
    for (const AgentWindow* w : m_desktop.windowsFrontToBack())
        if (w->pid == m_desktop.ownPid() && w->caption == window.windowTitle() &&
            (!newest || w->number > newest->number))
            newest = w;
    return newest;
}

void GnomeOverlayWindows::windowReported(quint32 number) {
    const AgentWindow* shellWindow = m_desktop.window(number);
    if (!shellWindow || shellWindow->pid != m_desktop.ownPid())
        return;
    for (Placement& placement : m_placements)
        if (placement.window && placement.window->isVisible() && !placement.geometry.isNull() &&
            placement.placedOn != shellWindow->id && placement.window->windowTitle() == shellWindow->caption)
            apply(placement, *shellWindow);
}

void GnomeOverlayWindows::apply(Placement& placement, const AgentWindow& shellWindow) {
    placement.placedOn = shellWindow.id;
    const QRect& geometry = placement.geometry;
    m_send(QJsonObject{
        {field::kC, command::kFrame},
        {field::kId, shellWindow.id},
        {field::kFrame, QJsonArray{geometry.x(), geometry.y(), geometry.width(), geometry.height()}},
        {field::kOverlay, true}});
}

} // namespace corvane
