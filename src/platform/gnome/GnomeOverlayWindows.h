#pragma once
// Corvane's tray panel on GNOME. No application may choose where its window goes there, so once the
// Shell reports the panel's window (ours, by its title, which a Wayland window gets after it is made)
// the extension is asked to put it where Corvane placed it, above the other windows, and to give it the
// keyboard, once for each window the Shell makes of it. The preview and the palette need no
// window of ours on GNOME: the extension draws them.

#include "platform/OverlayWindows.h"
#include "platform/agent/AgentCommand.h"
#include "platform/agent/AgentDesktop.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

namespace corvane {

class GnomeOverlayWindows final : public QObject, public OverlayWindows {
    Q_OBJECT
public:
    GnomeOverlayWindows(AgentCommand send, const AgentDesktop& desktop);

    void adopt(QWidget& window, OverlayKind kind) override;
    void place(QWidget& window, const QRect& geometry) override;

private:
    struct Placement {
        QPointer<QWidget> window;
        QRect geometry;   // the compositor's logical pixels, which Qt gives our windows on Wayland
        QString placedOn; // the Shell's window last put there
    };
    // The window the Shell reports for a shown widget of ours: the newest of ours with its title.
    const AgentWindow* shellWindowOf(const QWidget& window) const;
    void windowReported(quint32 number);
    void apply(Placement& placement, const AgentWindow& shellWindow);

    AgentCommand m_send;
    const AgentDesktop& m_desktop;
    QList<Placement> m_placements;
};

} // namespace corvane
