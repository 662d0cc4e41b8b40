#include "SimDesktopShortcuts.h"

namespace corvane {

void SimDesktopShortcuts::setShortcut(int id, const KeyChord& chord) {
    m_chords.insert(id, chord);
    m_sets.append({id, chord});
}

std::optional<KeyChord> SimDesktopShortcuts::chord(int id) const {
    const auto it = m_chords.find(id);
    return it == m_chords.end() ? std::nullopt : std::optional(*it);
}

void SimDesktopShortcuts::rebind(int id, std::optional<KeyChord> chord) {
    if (chord)
        m_chords.insert(id, *chord);
    else
        m_chords.remove(id);
    emit chordChangedOnDesktop(id, chord);
}

} // namespace corvane
