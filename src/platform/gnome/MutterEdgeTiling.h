#pragma once
// GNOME's own edge tiling: mutter's setting org.gnome.mutter edge-tiling (GNOME Settings shows it as
// "Active Screen Edges"), read, written and followed through GSettings: Corvane may turn it off.

#include "platform/EdgeTiling.h"

#include <memory>

namespace corvane {

class GSettingsBool;

class MutterEdgeTiling final : public EdgeTiling {
    Q_OBJECT
public:
    static constexpr auto schema = "org.gnome.mutter";
    static constexpr auto key = "edge-tiling";

    // None where mutter's schema is not installed: there is nothing to offer then.
    static std::unique_ptr<MutterEdgeTiling> open();
    ~MutterEdgeTiling() override;

    QString desktopName() const override { return QStringLiteral("GNOME"); }
    bool mayTurnOff() const override { return true; }
    bool isOn() const override { return m_isOn; }
    void setOn(bool on) override;

private:
    MutterEdgeTiling();
    void follow(bool isOn);

    std::unique_ptr<GSettingsBool> m_setting;
    bool m_isOn = false;
};

} // namespace corvane
