#pragma once
// The simulated window list, built from the scene's windows front to back, with the entries a
// test has damaged.

#include "platform/WindowServer.h"

namespace corvane {

class SimDesktop;

class SimWindowServer final : public WindowServer {
public:
    explicit SimWindowServer(SimDesktop& desktop)
        : m_desktop(desktop) {}

    QVariant copyWindowList(WindowListOption option, quint32 relativeToWindow) override;
    qint64 windowNumberAt(QPointF screenPoint) override;

    // Copies of the whole list, not of one window's entry.
    int wholeListCopyCount() const { return m_wholeListCopyCount; }

private:
    SimDesktop& m_desktop;
    int m_wholeListCopyCount = 0;
};

} // namespace corvane
