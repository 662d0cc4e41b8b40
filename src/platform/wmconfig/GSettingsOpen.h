#pragma once
// The GSettings object for one key of an installed schema, shared by the classes that follow one key.

namespace corvane {

// A new GSettings* (void*: GLib's headers clash with Qt's keywords), or null when the schema or the key
// is not installed: GIO would abort on either.
void* openGSettings(const char* schema, const char* key);

} // namespace corvane
