#pragma once
// The settings window's content: one scrolling column with a header and eight cards (general,
// hotkeys, drag to snap, Quick Snap, zone spacing, the grid builder, manual size, the saved presets), each a
// class of its own in app/settings. It keeps no settings of its own: every control reads and writes the
// controller or a feature's settings. Where the running desktop cannot do what a card offers, the
// card says so in place of its controls.

#include "platform/Capabilities.h"

#include <QScrollArea>

namespace corvane {

class DragSnapSettings;
class DesktopAgent;
class EdgeTiling;
class HotkeyGrabs;
class QuickSnapSettings;
class WindowController;

class SettingsView : public QScrollArea {
    Q_OBJECT
public:
    SettingsView(WindowController& controller, DragSnapSettings& dragSnap, QuickSnapSettings& quickSnap,
                 HotkeyGrabs& hotkeyGrabs, Capabilities capabilities, DesktopAgent* agent = nullptr,
                 EdgeTiling* edgeTiling = nullptr, QWidget* parent = nullptr);

private:
    QWidget* makeHeader();
};

} // namespace corvane
