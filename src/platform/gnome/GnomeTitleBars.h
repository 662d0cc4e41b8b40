#pragma once
// Title bars on GNOME under Wayland: its button layout from GNOME's settings, for the settings' picture
// of it. Where the maximize button lies is never known: Wayland applications draw their own title bars
// (GNOME's default layout has no maximize button at all), so the palette opens another way there.

#include "platform/agent/AgentTitleBars.h"
#include "platform/wmconfig/GSettingsString.h"

#include <memory>

namespace corvane {

class GnomeTitleBars final : public AgentTitleBars {
    Q_OBJECT
public:
    explicit GnomeTitleBars(QObject* parent = nullptr);

    ButtonLayout layout() const override { return m_layout; }
    std::optional<QRectF> maximizeButton(const ButtonLayout&, const AgentWindow&) const override {
        return std::nullopt;
    }

private:
    std::unique_ptr<GSettingsString> m_setting;
    ButtonLayout m_layout;
};

} // namespace corvane
