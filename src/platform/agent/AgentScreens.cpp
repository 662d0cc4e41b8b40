#include "AgentScreens.h"

#include "platform/common/WindowCoordinates.h"

#include <QHash>
#include <QStringList>

namespace corvane {

AgentScreens::AgentScreens(const AgentDesktop& desktop)
    : m_desktop(desktop) {}

QRect AgentScreens::primary() const {
    const QList<AgentOutput>& outputs = m_desktop.outputs();
    return outputs.isEmpty() ? QRect() : outputs.first().frame.toAlignedRect();
}

Screen AgentScreens::screenOf(const AgentOutput& output) const {
    // The name stays the output's for as long as it is connected.
    return Screen{
        qHash(output.name, 0) | 1, output.name,
        toScreen(output.frame),    toScreen(output.workArea),
        output.connector,          QStringList{output.manufacturer, output.model}.join(u' ').trimmed()};
}

QList<Screen> AgentScreens::screens() const {
    QList<Screen> list;
    for (const AgentOutput& output : m_desktop.outputs())
        list.append(screenOf(output));
    return list;
}

std::optional<Screen> AgentScreens::mainScreen() const {
    const QList<AgentOutput>& outputs = m_desktop.outputs();
    if (outputs.isEmpty())
        return std::nullopt;
    if (const AgentWindow* active = m_desktop.activeWindow()) {
        for (const AgentOutput& output : outputs) {
            if (output.name == active->output)
                return screenOf(output);
        }
    }
    return screenOf(outputs.first());
}

QRect AgentScreens::windowGeometry(const QRectF& screenFrame) const {
    return windowGeometryOf(screenFrame, primary(), {});
}

QRectF AgentScreens::screenFrame(const QRect& windowGeometry) const {
    return screenFrameOf(windowGeometry, primary(), {});
}

QRectF AgentScreens::toScreen(const QRectF& agentRect) const {
    return screenFromRoot(agentRect, primary());
}

QPointF AgentScreens::toScreen(QPointF agentPoint) const {
    return toScreen(QRectF(agentPoint, QSizeF(0, 0))).topLeft();
}

QRectF AgentScreens::toAx(const QRectF& agentRect) const {
    return agentRect.translated(-primary().topLeft());
}

QPointF AgentScreens::toAx(QPointF agentPoint) const {
    return agentPoint - primary().topLeft();
}

QRectF AgentScreens::fromScreen(const QRectF& screenRect) const {
    return rootFromScreen(screenRect, primary());
}

QRectF AgentScreens::fromAx(const QRectF& axRect) const {
    return axRect.translated(primary().topLeft());
}

} // namespace corvane
