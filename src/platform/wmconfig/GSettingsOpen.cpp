// clang-format off
// GLib's headers first: one of its structures has a member named like Qt's "signals" keyword.
#include <gio/gio.h>

#include "GSettingsOpen.h"
// clang-format on

namespace corvane {

void* openGSettings(const char* schema, const char* key) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema* found = g_settings_schema_source_lookup(source, schema, TRUE);
    if (!found)
        return nullptr;
    GSettings* settings =
        g_settings_schema_has_key(found, key) ? g_settings_new_full(found, nullptr, nullptr) : nullptr;
    g_settings_schema_unref(found);
    return settings;
}

} // namespace corvane
