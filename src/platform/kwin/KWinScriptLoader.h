#pragma once
// Loads Corvane's agent script into KWin through KWin's scripting interface, and unloads it. Every
// call is bounded: a KWin that does not answer makes it fail, never hang.

#include <QDBusConnection>
#include <QString>

namespace corvane {

class KWinScriptLoader {
public:
    // The name KWin knows the script by; also what unloading and the check use.
    static constexpr auto kPluginName = "corvane-agent";
    static constexpr int kCallTimeoutMs = 2000;

    KWinScriptLoader(QDBusConnection bus, QString scriptPath);

    // Loads and starts the script, unloading a copy left by an earlier Corvane first; false, with
    // the reason in the log, when KWin refused or did not answer.
    bool load();
    void unload();
    // None when KWin did not answer.
    std::optional<bool> isLoaded();
    const QString& scriptPath() const { return m_scriptPath; }

    // The installed agent next to the program's data, or the build tree's copy.
    static QString findScript();

private:
    QDBusConnection m_bus;
    QString m_scriptPath;
};

} // namespace corvane
