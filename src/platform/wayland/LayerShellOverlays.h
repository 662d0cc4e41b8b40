#pragma once
// Corvane's floating windows as layer-shell surfaces, where a Wayland compositor offers the protocol
// (KWin, and the wlroots compositors): anchored at the top-left of their screen, the window's place
// on it given as margins. Margins count from the screen's edge, not from its work area, and no surface
// takes the keyboard but the panel, on demand.

#include "platform/OverlayWindows.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QScreen>

namespace corvane {

class LayerShellOverlays final : public QObject, public OverlayWindows {
    Q_OBJECT
public:
    void adopt(QWidget& window, OverlayKind kind) override;
    void place(QWidget& window, const QRect& geometry) override;

protected:
    // Binds each adopted window's surface to its screen as it shows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Surface {
        QRect geometry;           // where Corvane put the window last
        QPointer<QScreen> screen; // where its surface was made when it last showed
    };
    // The margins that put the surface at the geometry on its screen.
    void applyMargins(QWidget& window, const Surface& surface);

    QHash<const QWidget*, Surface> m_surfaces;
};

} // namespace corvane
