// clang-format off
// GLib's headers first: one of its structures has a member named like Qt's "signals" keyword.
#include <gio/gio.h>

#include "GSettingsAccelerators.h"
// clang-format on

namespace corvane {

QStringList gsettingsAccelerators(const char* schema) {
    QStringList accelerators;
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* found = source ? g_settings_schema_source_lookup(source, schema, TRUE) : nullptr;
    if (!found)
        return accelerators;
    GSettings* settings = g_settings_new_full(found, nullptr, nullptr);
    gchar** keys = g_settings_schema_list_keys(found);
    for (gchar** key = keys; *key; ++key) {
        GVariant* value = g_settings_get_value(settings, *key);
        if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
            gsize count = 0;
            const gchar** strings = g_variant_get_strv(value, &count);
            for (gsize i = 0; i < count; ++i)
                accelerators.append(QString::fromUtf8(strings[i]));
            g_free(strings);
        }
        g_variant_unref(value);
    }
    g_strfreev(keys);
    g_object_unref(settings);
    g_settings_schema_unref(found);
    return accelerators;
}

} // namespace corvane
