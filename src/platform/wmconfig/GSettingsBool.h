#pragma once
// One boolean key of an installed GSettings schema, read and written through GIO and followed as it
// changes, also when another program (the desktop's own settings, gsettings) changes it. The change
// arrives on the main thread: GIO delivers it through GLib's main loop, which Qt's event loop runs on
// Linux. GSettingsString is its counterpart for a string.

#include <QByteArray>
#include <functional>
#include <memory>

namespace corvane {

class GSettingsBool {
public:
    using Changed = std::function<void(bool)>;
    // None when the schema or the key is not installed (GIO would abort on it).
    static std::unique_ptr<GSettingsBool> open(const char* schema, const char* key, Changed changed);
    ~GSettingsBool();
    GSettingsBool(const GSettingsBool&) = delete;
    GSettingsBool& operator=(const GSettingsBool&) = delete;

    bool value() const;
    // False when the key may not be written (locked down by the system's administrator). The store
    // writes it in the background; changed() tells the value once it is taken.
    bool setValue(bool value);

private:
    GSettingsBool(void* settings, const char* key, Changed changed);
    static void notify(void* settings, const char* key, void* self);

    void* m_settings; // GSettings*, kept out of this header: GLib's headers clash with Qt's keywords
    QByteArray m_key;
    Changed m_changed;
    unsigned long m_handler = 0;
};

} // namespace corvane
