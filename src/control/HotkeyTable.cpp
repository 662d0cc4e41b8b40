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

void HotkeyTable::releaseLayoutName(const QString& name) {
    HotkeyAssignments assignments = m_assignments;
    for (QString& assigned : assignments) {
        if (assigned == name)
            assigned.clear();
    }
    setAssignments(std::move(assignments));
}

} // namespace corvane
