#pragma once
// Corvane's hotkeys against other programs' key grabs. Finds which of its chords the window manager
// binds for itself (it acts on those first), says so once in the log and gives the settings window the
// same words with a free chord to use instead; tells whether a chord is taken before it is saved;
// records a chord with the whole keyboard grabbed, so that one another program binds reaches it too;
// and, when the user asks, grabs the chords itself so that no other application receives them (the
// key monitor still observes them). The platform's KeyGrabs does the grabbing.

#include "input/HotkeyChords.h"
#include "platform/Platform.h"
#include "platform/common/GlobalKeyMonitor.h"

#include <QObject>
#include <memory>

namespace corvane {

inline constexpr auto kHotkeysConsumeKeysKey = "hotkeysConsumeKeys";

class HotkeyGrabs : public QObject {
    Q_OBJECT
public:
    // Reads the stored option and checks the chords at once.
    HotkeyGrabs(Platform& platform, const HotkeyChords& chords, QObject* parent = nullptr);

    // A window manager announces itself before it grabs its keys: its keys are checked this long after,
    // and as long after a window opens.
    static constexpr double windowManagerSettleSeconds = 1.0;
    // A recording nobody finishes lets the keyboard go after this long.
    static constexpr double recordingTimeoutSeconds = 10.0;

    const HotkeyChords& chords() const { return m_chords; }
    // Follows a change of the table: checks the new chords, and moves the grabs when it holds them.
    void setChords(const HotkeyChords& chords);

    // "Keep these keys from reaching other applications", off unless stored on.
    bool consumesKeys() const { return m_consumesKeys; }
    // Stored at once; grabs the keys, or releases them.
    void setConsumesKeys(bool consumesKeys);

    // The chords another program (the window manager) holds, keypad twins included, in table order.
    const QList<KeyChord>& heldKeys() const { return m_heldKeys; }
    // Names the held chords, what pressing them does, and where the window manager keeps its
    // bindings; empty while no chord is held.
    QString clashDescription() const;
    // The table with each held chord replaced by the first of its alternatives that is free; none
    // when nothing is held or no alternative is free.
    const std::optional<HotkeyChords>& offer() const { return m_offer; }

    // Why `chord` cannot be `action`'s: another action has it, or another program holds it (tried
    // now); none when it is free.
    std::optional<QString> whyTaken(const KeyChord& chord, HotkeyAction action);

    using Recorded = std::function<void(std::optional<KeyChord>)>;
    // Grabs the keyboard and hands the first chord pressed to `recorded`, then lets the keyboard go;
    // Escape, stopRecording() or the timeout hand it none. False, and nothing recorded, when
    // another program holds the keyboard.
    bool startRecording(Recorded recorded);
    void stopRecording();
    bool isRecording() const { return m_recorded != nullptr; }

    // Tries every chord: kept when the option is on, released at once otherwise, so a check
    // consumes nothing.
    void check();

signals:
    void consumesKeysChanged(bool consumesKeys);
    // The held keys, the window manager or the offer changed, and with them clashDescription().
    void heldKeysChanged();

private:
    // Whether another program holds the chord (or its keypad twin); leaves our grabs as they were.
    bool isHeldByOther(const KeyChord& chord);
    // The offer for the chords `held` by others.
    std::optional<HotkeyChords> freeChords(const QList<KeyChord>& held);
    void finishRecording(std::optional<KeyChord> chord);

    Platform& m_platform;
    HotkeyChords m_chords;
    bool m_consumesKeys = false;
    QList<KeyChord> m_heldKeys;
    std::optional<QString> m_windowManagerName;
    std::optional<QString> m_keyFile;
    std::optional<HotkeyChords> m_offer;
    QList<KeyChord> m_loggedKeys; // each clash is logged once per session
    std::unique_ptr<Timer> m_recheck;
    GlobalKeyMonitor m_recorder;
    Recorded m_recorded;
    std::unique_ptr<Timer> m_recordingTimeout;
};

} // namespace corvane
