#pragma once
// A thumbnail of a layout in which every zone is a button: a click hands the zone's fractional
// rectangle to the callback, and a press on one zone released on another the smallest rectangle
// covering both. The palette, the tray panel, the settings window and PresetCell use it. The spacing
// around zones shows as it would on a screen, scaled down.

#include "model/SnapLayout.h"
#include "model/ZoneSpacing.h"

#include <QWidget>
#include <functional>
#include <optional>

class QAbstractButton;

namespace corvane {

class ZoneSpacingSettings;

class SnapLayoutView : public QWidget {
    Q_OBJECT
public:
    using SnapHandler = std::function<void(const QRectF& fraction)>;

    SnapLayoutView(SnapLayout layout, SnapHandler onSnap, QWidget* parent = nullptr);

    const SnapLayout& layout() const { return m_layout; }
    const std::optional<QUuid>& hoveredZoneId() const { return m_hoveredZoneId; }
    // Lights a zone as the pointer over it does; for a thumbnail the pointer does not reach (the row
    // shown during a drag), where the core says which zone is under it.
    void setHoveredZone(std::optional<QUuid> id);
    // While a press is dragged from one zone to another, the rectangle covering both; its zones are lit.
    const std::optional<QRectF>& spannedFraction() const { return m_spannedFraction; }
    // The zone's button, in zone order; for keyboard focus and accessibility it is a real button.
    QAbstractButton* zoneButton(qsizetype index) const { return m_buttons.value(index); }
    // Where the zone's button sits: its share of the view less the spacing drawn (thumbnailSpacing)
    // and a 1-point seam at its right and bottom.
    QRectF zoneButtonRect(const QRectF& fraction) const;
    // The same for a thumbnail of any size showing a screen's spacing: what the palette drawn by the
    // desktop's agent draws and hit-tests.
    static QRectF zoneRect(const QRectF& fraction, QSizeF size, ZoneSpacing spacing);
    // The spacing of the screen the layout is for; none until set.
    void setZoneSpacing(ZoneSpacing spacing);
    // The user's spacing, now and as it changes.
    void followZoneSpacing(const ZoneSpacingSettings& settings);
    // A screen's spacing as a thumbnail draws it: an eighth, rounded up so that any spacing shows.
    static ZoneSpacing thumbnailSpacing(ZoneSpacing spacing);

    QSize sizeHint() const override { return QSize(80, height); }

    static constexpr int height = 55;
    static constexpr double cornerRadius = 4;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class SnapZoneButton;
    void placeButtons();
    // The zone whose button holds a point of this view.
    std::optional<SnapZone> zoneAt(QPointF point) const;
    void setSpannedFraction(std::optional<QRectF> fraction);

    SnapLayout m_layout;
    SnapHandler m_onSnap;
    ZoneSpacing m_spacing;
    std::optional<QUuid> m_hoveredZoneId;
    std::optional<QRectF> m_spannedFraction;
    QList<QAbstractButton*> m_buttons;
};

} // namespace corvane
