#pragma once
// What drag to snap shows while a window is dragged: the frame a release would fill, computed by the
// core. Corvane's own overlay window draws it where the desktop lets it (Capability::OwnOverlay);
// elsewhere the desktop's agent does (Platform::agentPreview).

#include <QRectF>

namespace corvane {

class SnapPreview {
public:
    virtual ~SnapPreview() = default;
    // Screen coordinates. Called on every drag event with a zone; cheap when nothing changed.
    virtual void show(const QRectF& frame) = 0;
    virtual void hide() = 0;
};

} // namespace corvane
