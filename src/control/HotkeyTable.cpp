#include "HotkeyTable.h"

namespace corvane {

HotkeyTable::HotkeyTable(Defaults& defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_assignments(hotkeyAssignmentsFromStored(defaults.object(kHotkeyAssignmentsKey)))
    , m_chords(hotkeyChordsFromStored(defaults.object(kHotkeyChordsKey))) {}

void HotkeyTable::setAssignments(HotkeyAssignments assignments) {
    if (assignments != m_assignments) {
        m_assignments = std::move(assignments);
        emit assignmentsChanged();
    }
    m_defaults.setObject(kHotkeyAssignmentsKey, storedHotkeyAssignments(m_assignments));
}

void HotkeyTable::setChords(const HotkeyChords& chords) {
    if (chords == m_chords)
        return;
    m_chords = chords;
    m_defaults.setObject(kHotkeyChordsKey, storedHotkeyChords(chords));
    emit chordsChanged();
}

std::optional<HotkeyAction> HotkeyTable::actionOf(const Event& event) const {
    const auto found = std::find_if(m_chords.cbegin(), m_chords.cend(),
                                    [&event](const KeyChord& chord) { return matchesChord(chord, event); });
    if (found == m_chords.cend())
        return std::nullopt;
    return HotkeyAction(found - m_chords.cbegin());
}

void HotkeyTable::releaseLayoutName(const QString& name) {
    HotkeyAssignments assignments = m_assignments;
    for (QString& assigned : assignments) {
        if (assigned == name)
            assigned.clear();
    }
    setAssignments(std::move(assignments));
}

} // namespace corvane
