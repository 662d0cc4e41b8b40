#include "DrawnQuickSnap.h"

#include "model/BuiltInLayouts.h"
#include "palette/QuickSnapPanel.h"
#include "ui/SnapLayoutView.h"
#include "ui/ViewStyle.h"

#include <QFontInfo>
#include <QGuiApplication>

namespace corvane {

DrawnQuickSnap::DrawnQuickSnap(AgentCanvas& canvas, const Screens& screens,
                               const ZoneSpacingSettings& spacing, QObject* parent)
    : QObject(parent)
    , m_canvas(canvas)
    , m_screens(screens)
    , m_spacing(spacing)
    , m_layouts(builtInLayouts()) {
    connect(&m_canvas, &AgentCanvas::pointer, this, &DrawnQuickSnap::pointer);
    connect(&m_spacing, &ZoneSpacingSettings::spacingChanged, this, [this] { redraw(); });
}

DrawnQuickSnap::~DrawnQuickSnap() {
    hide();
}

void DrawnQuickSnap::show(const QRectF& button, PickHandler onPick) {
    const QuickSnapFace face = QuickSnapFace::palette(m_layouts.size(), QuickSnapFace::headerHeight());
    const std::optional<QRectF> frame = QuickSnapPanel::frameNear(button, face.size, m_screens);
    if (!frame) {
        hide();
        return;
    }
    m_face = face;
    m_frame = *frame;
    m_isRow = false;
    m_onPick = std::move(onPick);
    m_hovered.reset();
    m_pressed.reset();
    m_isPressed = false;
    redraw();
}

std::optional<PaletteZone> DrawnQuickSnap::showRow(const Screen& screen, QPointF cursor) {
    const QuickSnapFace face = QuickSnapFace::row(m_layouts.size());
    const QRectF frame = QuickSnapPanel::rowFrame(screen.visibleFrame, face.size);
    const bool isNew = !m_face || !m_isRow || m_frame != frame;
    if (isNew) {
        m_face = face;
        m_frame = frame;
        m_isRow = true;
        m_onPick = nullptr;
        m_pressed.reset();
        m_isPressed = false;
    }
    const std::optional<FaceZone> under = zoneAt(cursor);
    if (isNew || under != m_hovered) {
        m_hovered = under;
        redraw();
    }
    if (!m_hovered)
        return std::nullopt;
    const SnapLayout& layout = m_layouts[m_hovered->thumbnail];
    return PaletteZone{layout.name, layout.zones[m_hovered->zone].rect};
}

void DrawnQuickSnap::hide() {
    m_face.reset();
    m_onPick = nullptr;
    m_hovered.reset();
    m_pressed.reset();
    m_isPressed = false;
    m_canvas.hide();
}

std::optional<QRectF> DrawnQuickSnap::shownFrame() const {
    if (!m_face)
        return std::nullopt;
    return m_frame;
}

std::optional<FaceZone> DrawnQuickSnap::zoneAt(QPointF cursor) const {
    // Screen coordinates are y up; the face's are y down from its top-left.
    const QPointF local(cursor.x() - m_frame.left(), m_frame.bottom() - cursor.y());
    return faceZoneAt(*m_face, m_layouts, m_spacing.spacing(), local);
}

std::optional<QRectF> DrawnQuickSnap::pickedFraction(FaceZone zone) const {
    if (!m_pressed || m_pressed->thumbnail != zone.thumbnail)
        return std::nullopt;
    const QList<SnapZone>& zones = m_layouts[zone.thumbnail].zones;
    return zones[m_pressed->zone].rect.united(zones[zone.zone].rect);
}

void DrawnQuickSnap::pointer(CanvasPointer kind, QPointF cursor) {
    if (!m_face)
        return;
    const std::optional<FaceZone> under = kind == CanvasPointer::Leave ? std::nullopt : zoneAt(cursor);
    switch (kind) {
    case CanvasPointer::Motion:
    case CanvasPointer::Leave:
        if (m_hovered == under)
            return;
        m_hovered = under;
        redraw();
        return;
    case CanvasPointer::Press:
        m_isPressed = true;
        m_pressed = under;
        m_hovered = under;
        redraw();
        return;
    case CanvasPointer::Release: {
        const std::optional<QRectF> picked = under && m_isPressed ? pickedFraction(*under) : std::nullopt;
        m_isPressed = false;
        m_pressed.reset();
        m_hovered = under;
        redraw();
        // The handler closes the palette: it is called last, with nothing of this one used after it.
        if (picked && m_onPick) {
            const PickHandler onPick = m_onPick;
            onPick(*picked);
        }
        return;
    }
    }
}

bool DrawnQuickSnap::isLit(FaceZone zone) const {
    if (m_isPressed && m_pressed && m_hovered && *m_hovered != *m_pressed) {
        const std::optional<QRectF> span = pickedFraction(*m_hovered);
        return span && zone.thumbnail == m_hovered->thumbnail &&
               span->contains(m_layouts[zone.thumbnail].zones[zone.zone].rect);
    }
    return m_hovered == zone;
}

CanvasScene DrawnQuickSnap::scene() const {
    if (!m_face)
        return {};
    const QPalette palette = QGuiApplication::palette();
    CanvasScene scene;
    scene.frame = m_frame;
    scene.isInteractive = !m_isRow;
    scene.shapes.append({QRectF(QPointF(0, 0), m_face->size), paletteFaceColor(palette, true).rgba(),
                         paletteEdgeColor(palette).rgba(), 1, QuickSnapFace::cornerRadius});
    const QRgb lit = accentColor(palette).rgba();
    const QRgb unlit = controlColor(palette).rgba();
    for (qsizetype t = 0; t < m_face->thumbnails.size() && t < m_layouts.size(); ++t) {
        for (qsizetype z = 0; z < m_layouts[t].zones.size(); ++z) {
            const FaceZone zone{t, z};
            scene.shapes.append({faceZoneRect(*m_face, m_layouts, m_spacing.spacing(), zone),
                                 isLit(zone) ? lit : unlit, 0, 0, SnapLayoutView::cornerRadius});
        }
    }
    if (!m_face->header.isEmpty()) {
        const QFont font = QuickSnapFace::headerFont();
        scene.texts.append({m_face->header, QuickSnapFace::headerText(), secondaryTextColor(palette).rgba(),
                            double(QFontInfo(font).pixelSize()), font.bold()});
    }
    return scene;
}

void DrawnQuickSnap::redraw() {
    if (m_face)
        m_canvas.show(scene());
}

} // namespace corvane
