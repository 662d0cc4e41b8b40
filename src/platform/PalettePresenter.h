#pragma once
// What the palette monitor shows: the palette next to a maximize button the core found. Corvane's own
// window (QuickSnapPanel) draws it where the desktop lets it (Capability::OwnOverlay); elsewhere the
// desktop's agent does (Platform::agentPalette) and reports the pick.

#include <QRectF>
#include <functional>
#include <optional>

namespace corvane {

class PalettePresenter {
public:
    using PickHandler = std::function<void(const QRectF& fraction)>;

    virtual ~PalettePresenter() = default;
    // The button in AX coordinates. Replaces a palette already shown.
    virtual void show(const QRectF& button, PickHandler onPick) = 0;
    virtual void hide() = 0;
    // The shown palette's frame in screen coordinates; none while hidden.
    virtual std::optional<QRectF> shownFrame() const = 0;
};

} // namespace corvane
