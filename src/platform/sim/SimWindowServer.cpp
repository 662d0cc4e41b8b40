#include "SimWindowServer.h"

#include "platform/sim/SimDesktop.h"

namespace corvane {

QVariant SimWindowServer::copyWindowList(WindowListOption option, quint32 relativeToWindow) {
    if (option == WindowListOption::OnScreenOnlyExcludingDesktop)
        ++m_wholeListCopyCount;
    if (const std::optional<QVariant>& result = m_desktop.faults().windowListResult())
        return *result;
    QVariantList list;
    for (const SimDesktop::Window& w : m_desktop.m_windows) {
        if (option == WindowListOption::IncludingWindow) {
            if (w.number == relativeToWindow)
                list.append(m_desktop.windowListEntry(w.number));
        } else if (w.options.isOnScreen && !w.options.isDesktopElement) {
            list.append(m_desktop.windowListEntry(w.number));
        }
    }
    return list;
}

qint64 SimWindowServer::windowNumberAt(QPointF screenPoint) {
    const QPointF p(screenPoint.x(), m_desktop.primaryHeight() - screenPoint.y());
    for (const SimDesktop::Window& w : m_desktop.m_windows) {
        if (w.options.isOnScreen && SimDesktop::holds(w.frame, p))
            return w.number;
    }
    return 0;
}

} // namespace corvane
