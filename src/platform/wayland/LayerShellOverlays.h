#pragma once
// Corvane's floating windows as layer-shell surfaces, where a Wayland compositor offers the protocol
// (KWin, and the wlroots compositors): anchored at the top-left of their screen, the window's place
// on it given as margins, so the window's geometry says where it lies as on X11. Margins count from
// the screen's edge, not from its work area, and no surface takes the keyboard but the panel, on demand.

#include "platform/OverlayWindows.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QScreen>

namespace corvane {

class LayerShellOverlays final : public QObject, public OverlayWindows {
    Q_OBJECT
public:
    void adopt(QWidget& window, OverlayKind kind) override;

protected:
    // Follows each adopted window's moves and shows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The margins that put the window's surface where its geometry says on its screen.
    static void place(QWidget& window);

    QHash<const QWidget*, QPointer<QScreen>> m_surfaceScreens; // where each shown window's surface was made
};

} // namespace corvane
