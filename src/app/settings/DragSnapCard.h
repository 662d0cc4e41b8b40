#pragma once
// The drag-to-snap card: the switch, and while it is on the layout, a map of the monitors to give one
// of them a layout of its own, where the preview shows, whether a window dragged out of its zone gets
// its size back, and the thumbnail of the chosen monitor's layout. Where the desktop tiles at its edges
// too, the card offers to turn that off (EdgeTilingOffer) or, where Corvane may not, says how to.

#include "app/settings/SettingsCard.h"
#include "platform/Screens.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QVBoxLayout;

namespace corvane {

class DragSnapSettings;
class EdgeTiling;
class MonitorMap;
class WindowController;

class DragSnapCard : public SettingsCard {
    Q_OBJECT
public:
    // The desktop's own edge tiling, none where it has none.
    DragSnapCard(WindowController& controller, DragSnapSettings& dragSnap, EdgeTiling* edgeTiling,
                 QWidget* parent = nullptr);
    static QString title() { return tr("DRAG TO SNAP"); }
    // How to turn off the edge tiling of the one desktop where Corvane may not, KDE Plasma.
    static QString edgeTilingNote();

private:
    void refresh();
    void refreshMonitors();
    void refreshThumbnail();
    // The monitor whose own layout the card shows; none without monitors.
    std::optional<Screen> chosenMonitor() const;

    WindowController& m_controller;
    DragSnapSettings& m_dragSnap;
    QCheckBox* m_toggle = nullptr;
    QWidget* m_details = nullptr; // shown while the switch is on
    QComboBox* m_layout = nullptr;
    MonitorMap* m_monitorMap = nullptr;
    QLabel* m_monitorLabel = nullptr;
    QComboBox* m_monitorLayout = nullptr;
    QString m_chosenMonitorKey; // MonitorKey; the first monitor's until one is clicked
    QComboBox* m_trigger = nullptr;
    QComboBox* m_spanKey = nullptr;
    QLabel* m_keysNote = nullptr; // which keys change a drop
    QCheckBox* m_restoreSize = nullptr;
    QCheckBox* m_swap = nullptr;
    QCheckBox* m_topPalette = nullptr;
    QVBoxLayout* m_thumbnailSlot = nullptr;
    QWidget* m_thumbnail = nullptr;
};

} // namespace corvane
