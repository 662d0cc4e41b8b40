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

    // Replaces the running window manager: it gets those of its bindings this process does not hold,
    // as a real one's grabs of them fail. Announces the change.
    void startWindowManager(const std::optional<QString>& name, const QList<KeyChord>& bindings);
    void stopWindowManager() { startWindowManager(std::nullopt, {}); }

    const QList<KeyChord>& heldByWindowManager() const { return m_heldByOthers; }
    // Our grabs in force: the chords no other application receives.
    const QList<KeyChord>& ourGrabs() const { return m_ours; }

private:
    std::optional<QString> m_windowManagerName;
    QList<KeyChord> m_heldByOthers;
    QList<KeyChord> m_ours;
};

} // namespace corvane
