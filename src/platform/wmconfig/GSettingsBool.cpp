// clang-format off
// GLib's headers first: one of its structures has a member named like Qt's "signals" keyword.
#include <gio/gio.h>

#include "GSettingsBool.h"
#include "GSettingsOpen.h"
// clang-format on

namespace corvane {

std::unique_ptr<GSettingsBool> GSettingsBool::open(const char* schema, const char* key, Changed changed) {
    void* settings = openGSettings(schema, key);
    if (!settings)
        return nullptr;
    return std::unique_ptr<GSettingsBool>(new GSettingsBool(settings, key, std::move(changed)));
}

GSettingsBool::GSettingsBool(void* settings, const char* key, Changed changed)
    : m_settings(settings)
    , m_key(key)
    , m_changed(std::move(changed)) {
    const QByteArray signal = "changed::" + m_key;
    m_handler = g_signal_connect(m_settings, signal.constData(), G_CALLBACK(&GSettingsBool::notify), this);
    value(); // some back ends announce changes only of keys read before
}

GSettingsBool::~GSettingsBool() {
    g_signal_handler_disconnect(m_settings, m_handler);
    g_object_unref(m_settings);
}

bool GSettingsBool::value() const {
    return g_settings_get_boolean(G_SETTINGS(m_settings), m_key.constData()) != FALSE;
}

bool GSettingsBool::setValue(bool value) {
    return g_settings_set_boolean(G_SETTINGS(m_settings), m_key.constData(), value ? TRUE : FALSE) != FALSE;
}

void GSettingsBool::notify(void*, const char*, void* self) {
    auto* me = static_cast<GSettingsBool*>(self);
    me->m_changed(me->value());
}

} // namespace corvane
