#include "SimScreens.h"

#include "platform/sim/SimDesktop.h"

namespace corvane {

QList<Screen> SimScreens::screens() const {
    return m_desktop.m_screenList;
}

std::optional<Screen> SimScreens::mainScreen() const {
    const QList<Screen>& list = m_desktop.m_screenList;
    if (!m_desktop.m_hasMainScreenOverride)
        return list.isEmpty() ? std::nullopt : std::optional(list.first());
    for (const Screen& s : list) {
        if (m_desktop.m_mainScreenId && s.id == *m_desktop.m_mainScreenId)
            return s;
    }
    return std::nullopt;
}

QRect SimScreens::primaryRoot() const {
    return QRect(m_primaryRootOrigin, m_desktop.primaryFrame().size().toSize());
}

QList<ScreenScale> SimScreens::scales() const {
    const QRect primary = primaryRoot();
    QList<ScreenScale> scales;
    for (const Screen& s : m_desktop.m_screenList)
        scales.append({rootFromScreen(s.frame, primary).toRect(), m_windowScale});
    return scales;
}

QRect SimScreens::windowGeometry(const QRectF& screenFrame) const {
    return windowGeometryOf(screenFrame, primaryRoot(), scales());
}

QRectF SimScreens::screenFrame(const QRect& windowGeometry) const {
    return screenFrameOf(windowGeometry, primaryRoot(), scales());
}

} // namespace corvane
