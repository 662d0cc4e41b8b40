#pragma once
// The palette where the desktop's agent draws it (GNOME): the scene is built here from the palette's
// face (QuickSnapFace, as Corvane's own window lays it out) and the agent's canvas draws it; the
// pointer the canvas reports is hit-tested here. The zone under the pointer is lit; a press on a zone
// released on it picks that zone, released on another zone of the same layout picks the rectangle
// covering both (their zones lit while the press is held there). The row shown while a window is
// dragged to the top of a screen takes no pointer: the zone under the drag's pointer is lit.

#include "control/ZoneSpacingSettings.h"
#include "model/SnapLayout.h"
#include "palette/QuickSnapFace.h"
#include "platform/AgentCanvas.h"
#include "platform/PalettePresenter.h"
#include "platform/Screens.h"

#include <QObject>

namespace corvane {

class DrawnQuickSnap : public QObject, public PalettePresenter {
    Q_OBJECT
public:
    DrawnQuickSnap(AgentCanvas& canvas, const Screens& screens, const ZoneSpacingSettings& spacing,
                   QObject* parent = nullptr);
    ~DrawnQuickSnap() override;

    void show(const QRectF& button, PickHandler onPick) override;
    void hide() override;
    std::optional<QRectF> shownFrame() const override;
    std::optional<PaletteZone> showRow(const Screen& screen, QPointF cursor) override;

    // The zone lit under the pointer; none while the pointer is on none.
    const std::optional<FaceZone>& hoveredZone() const { return m_hovered; }
    // The scene as the canvas is given it, for the palette now shown.
    CanvasScene scene() const;

private:
    void pointer(CanvasPointer kind, QPointF cursor);
    std::optional<FaceZone> zoneAt(QPointF cursor) const;
    // The rectangle a release on `zone` picks after a press on m_pressed; none when they are in different
    // layouts.
    std::optional<QRectF> pickedFraction(FaceZone zone) const;
    bool isLit(FaceZone zone) const;
    void redraw();

    AgentCanvas& m_canvas;
    const Screens& m_screens;
    const ZoneSpacingSettings& m_spacing;
    const QList<SnapLayout> m_layouts;
    std::optional<QuickSnapFace> m_face; // set while shown
    QRectF m_frame;                      // screen coordinates
    bool m_isRow = false;
    PickHandler m_onPick;
    std::optional<FaceZone> m_hovered;
    std::optional<FaceZone> m_pressed;
    bool m_isPressed = false;
};

} // namespace corvane
