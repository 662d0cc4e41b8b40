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

} // namespace corvane
