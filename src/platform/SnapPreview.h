#pragma once
// What drag to snap shows while a window is dragged: the frame a release would fill, computed by the
// core. Corvane's own overlay window draws it where the desktop lets it (Capability::OwnOverlay);
// elsewhere the desktop's agent does (Platform::agentPreview).

#include <QRectF>
#include <optional>

namespace corvane {

// How the preview looks, wherever it is drawn: a rounded shape inset from the frame, filled with the
// accent colour at a low alpha and outlined in it.
namespace previewstyle {
inline constexpr double kInset = 4;
inline constexpr double kCornerRadius = 10;
inline constexpr double kLineWidth = 2;
inline constexpr double kFillAlpha = 0.22;
inline constexpr double kLineAlpha = 0.85;
} // namespace previewstyle

class SnapPreview {
public:
    virtual ~SnapPreview() = default;
    // Screen coordinates. Called on every drag event with a zone; cheap when nothing changed. Where the
    // drop swaps two windows, `displaced` is the frame the window in the zone goes to, shown as well.
    virtual void show(const QRectF& frame, const std::optional<QRectF>& displaced) = 0;
    virtual void hide() = 0;
};

} // namespace corvane
