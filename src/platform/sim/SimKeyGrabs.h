#pragma once
// Key grabs on the simulated desktop: a window manager the test starts holds the bindings it asks
// for, as far as nobody holds them already, and our own grabs are kept as a list the test reads.

#include "platform/KeyGrabs.h"

namespace corvane {

class SimKeyGrabs final : public KeyGrabs {
public:
    QList<KeyChord> grabKeys(const QList<KeyChord>& chords) override;
    void ungrabKeys(const QList<KeyChord>& chords) override;
    std::optional<QString> windowManagerName() override { return m_windowManagerName; }
    std::optional<QString> windowManagerKeyFile() override { return m_keyFile; }
    bool grabKeyboard() override;
    void ungrabKeyboard() override { m_isKeyboardGrabbed = false; }
    bool isKeyboardGrabbed() const override { return m_isKeyboardGrabbed; }

    // Replaces the running window manager: it gets those of its bindings this process does not hold,
    // as a real one's grabs of them fail. Announces the change.
    void startWindowManager(const std::optional<QString>& name, const QList<KeyChord>& bindings,
                            const std::optional<QString>& keyFile = std::nullopt);
    void stopWindowManager() { startWindowManager(std::nullopt, {}); }

    const QList<KeyChord>& heldByWindowManager() const { return m_heldByOthers; }
    // Our grabs in force: the chords no other application receives.
    const QList<KeyChord>& ourGrabs() const { return m_ours; }
    // Another program holds the whole keyboard: grabKeyboard() fails while it does.
    void setKeyboardHeldByOther(bool isHeld) { m_isKeyboardHeldByOther = isHeld; }

private:
    std::optional<QString> m_windowManagerName;
    std::optional<QString> m_keyFile;
    bool m_isKeyboardGrabbed = false;
    bool m_isKeyboardHeldByOther = false;
    QList<KeyChord> m_heldByOthers;
    QList<KeyChord> m_ours;
};

} // namespace corvane
