#pragma once
// Corvane's hotkeys against other programs' key grabs. Finds which of its keys the window manager
// binds for itself (those act there as well), says so once in the log and gives the settings
// window the same words; when the user asks, grabs the keys itself so that no other application
// receives them (the key monitor still observes them). The platform's KeyGrabs does the grabbing.

#include "platform/Platform.h"

#include <QObject>
#include <memory>

namespace corvane {

inline constexpr auto kHotkeysConsumeKeysKey = "hotkeysConsumeKeys";

class HotkeyGrabs : public QObject {
    Q_OBJECT
public:
    // Reads the stored option and checks the keys at once.
    explicit HotkeyGrabs(Platform& platform, QObject* parent = nullptr);

    // Control+Alt with 1 to 4 on the main row and on the keypad, and with Left and Right.
    static QList<KeyChord> hotkeyChords();
    // As the settings window writes keys: "Ctrl + Alt + 1", "Ctrl + Alt + keypad 1", "Ctrl + Alt + Left".
    static QString chordName(const KeyChord& chord);
    // A window manager announces itself before it grabs its keys: its keys are checked this long after.
    static constexpr double windowManagerSettleSeconds = 1.0;

    // "Keep these keys from reaching other applications", off unless stored on.
    bool consumesKeys() const { return m_consumesKeys; }
    // Stored at once; grabs the keys, or releases them.
    void setConsumesKeys(bool consumesKeys);

    // The hotkeys another program (the window manager) holds, in the order of hotkeyChords().
    const QList<KeyChord>& heldKeys() const { return m_heldKeys; }
    // Names the held keys and, for the window managers known here, where their bindings live;
    // empty while no key is held.
    QString clashDescription() const;

    // Tries every hotkey: kept when the option is on, released at once otherwise, so a check
    // consumes nothing.
    void check();

signals:
    void consumesKeysChanged(bool consumesKeys);
    // The held keys or the window manager changed, and with them clashDescription().
    void heldKeysChanged();

private:
    Platform& m_platform;
    bool m_consumesKeys = false;
    QList<KeyChord> m_heldKeys;
    std::optional<QString> m_windowManagerName;
    QList<KeyChord> m_loggedKeys; // each clash is logged once per session
    std::unique_ptr<Timer> m_recheck;
};

} // namespace corvane
