#pragma once
// One string key of an installed GSettings schema, read through GIO and followed as it changes. The
// change arrives on the main thread: GIO delivers it through GLib's main loop, which Qt's event loop
// runs on Linux.

#include <QString>
#include <functional>
#include <memory>

namespace corvane {

class GSettingsString {
public:
    using Changed = std::function<void(const QString&)>;
    // None when the schema or the key is not installed (GIO would abort on it).
    static std::unique_ptr<GSettingsString> open(const char* schema, const char* key, Changed changed);
    ~GSettingsString();
    GSettingsString(const GSettingsString&) = delete;
    GSettingsString& operator=(const GSettingsString&) = delete;

    QString value() const;

private:
    GSettingsString(void* settings, const char* key, Changed changed);
    static void notify(void* settings, const char* key, void* self);

    void* m_settings; // GSettings*, kept out of this header: GLib's headers clash with Qt's keywords
    QByteArray m_key;
    Changed m_changed;
    unsigned long m_handler = 0;
};

} // namespace corvane
