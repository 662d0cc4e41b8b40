#pragma once
// KDE Plasma's own edge tiling (System Settings, Screen Edges: "Maximize" and "Tile"): the desktop
// tiles at its edges, and Corvane may not turn that off, so the settings tell the user where to.
// MutterEdgeTiling is the counterpart Corvane may switch.

#include "platform/EdgeTiling.h"

namespace corvane {

class KWinEdgeTiling final : public EdgeTiling {
    Q_OBJECT
public:
    QString desktopName() const override { return QStringLiteral("KDE Plasma"); }
    bool mayTurnOff() const override { return false; }
    bool isOn() const override { return true; }
    // Never asked: the user turns it off in System Settings.
    void setOn(bool) override {}
};

} // namespace corvane
