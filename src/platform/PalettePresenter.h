#pragma once
// What Quick Snap shows: the palette next to a maximize button the core found, or below a window's top
// edge, and the row of layouts at the top of a screen a window is dragged to. Corvane's own window
// (QuickSnapPanel) draws them where the desktop lets it (Capability::OwnOverlay); elsewhere the desktop's
// agent draws them on its canvas (Platform::agentCanvas) and reports the pointer, which the core
// hit-tests (DrawnQuickSnap).

#include "platform/Screens.h"

#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

namespace corvane {

// A zone of one of the layouts shown.
struct PaletteZone {
    QString layoutName;
    QRectF fraction;

    friend bool operator==(const PaletteZone&, const PaletteZone&) = default;
};

class PalettePresenter {
public:
    using PickHandler = std::function<void(const QRectF& fraction)>;

    virtual ~PalettePresenter() = default;
    // The button in AX coordinates. Replaces a palette already shown.
    virtual void show(const QRectF& button, PickHandler onPick) = 0;
    virtual void hide() = 0;
    // The shown palette's frame in screen coordinates; none while hidden.
    virtual std::optional<QRectF> shownFrame() const = 0;
    // The row of layouts at the top centre of the screen's visible frame while a window is dragged into
    // its top band: the drag holds the pointer, so the row takes none; the zone under the cursor (screen
    // coordinates) is lit, and returned. Replaces a palette already shown; hide() hides it. None where
    // no row can be shown.
    virtual std::optional<PaletteZone> showRow(const Screen& /*screen*/, QPointF /*cursor*/) {
        return std::nullopt;
    }
};

} // namespace corvane
