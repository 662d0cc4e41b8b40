#include "SimKeyGrabs.h"

namespace corvane {

QList<KeyChord> SimKeyGrabs::grabKeys(const QList<KeyChord>& chords) {
    QList<KeyChord> refused;
    for (const KeyChord& chord : chords) {
        if (m_heldByOthers.contains(chord))
            refused.append(chord);
        else if (!m_ours.contains(chord))
            m_ours.append(chord);
    }
    return refused;
}

void SimKeyGrabs::ungrabKeys(const QList<KeyChord>& chords) {
    m_ours.removeIf([&chords](const KeyChord& chord) { return chords.contains(chord); });
}

bool SimKeyGrabs::grabKeyboard() {
    m_isKeyboardGrabbed = !m_isKeyboardHeldByOther;
    return m_isKeyboardGrabbed;
}

void SimKeyGrabs::startWindowManager(const std::optional<QString>& name, const QList<KeyChord>& bindings,
                                     const std::optional<QString>& keyFile) {
    m_windowManagerName = name;
    m_keyFile = keyFile;
    m_heldByOthers.clear();
    for (const KeyChord& chord : bindings) {
        if (!m_ours.contains(chord))
            m_heldByOthers.append(chord);
    }
    emit windowManagerChanged();
}

} // namespace corvane
