// clang-format off
// GLib's headers first: one of its structures has a member named like Qt's "signals" keyword.
#include <gio/gio.h>

#include "GSettingsString.h"
#include "GSettingsOpen.h"
// clang-format on

namespace corvane {

std::unique_ptr<GSettingsString> GSettingsString::open(const char* schema, const char* key, Changed changed) {
    void* settings = openGSettings(schema, key);
    if (!settings)
        return nullptr;
    return std::unique_ptr<GSettingsString>(new GSettingsString(settings, key, std::move(changed)));
}

GSettingsString::GSettingsString(void* settings, const char* key, Changed changed)
    : m_settings(settings)
    , m_key(key)
    , m_changed(std::move(changed)) {
    const QByteArray signal = "changed::" + m_key;
    m_handler = g_signal_connect(m_settings, signal.constData(), G_CALLBACK(&GSettingsString::notify), this);
    value(); // some back ends announce changes only of keys read before
}

GSettingsString::~GSettingsString() {
    g_signal_handler_disconnect(m_settings, m_handler);
    g_object_unref(m_settings);
}

QString GSettingsString::value() const {
    gchar* text = g_settings_get_string(G_SETTINGS(m_settings), m_key.constData());
    const QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
}

void GSettingsString::notify(void*, const char*, void* self) {
    auto* me = static_cast<GSettingsString*>(self);
    me->m_changed(me->value());
}

} // namespace corvane
