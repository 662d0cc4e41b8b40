#include "GnomeTitleBars.h"

#include "platform/wmconfig/ButtonLayout.h"

#include <utility>

namespace corvane {

GnomeTitleBars::GnomeTitleBars(QObject* parent)
    : AgentTitleBars(parent)
    , m_setting(GSettingsString::open(
          "org.gnome.desktop.wm.preferences", "button-layout",
          [this](const QString& layout) { emit changed(std::exchange(m_layout, gnomeLayout(layout))); }))
    , m_layout(m_setting ? gnomeLayout(m_setting->value()) : fallbackLayout()) {}

} // namespace corvane
