#pragma once
// The hotkeys' two tables, kept in the defaults: which layout each of the four layout hotkeys
// applies, and which key chord each hotkey is. WindowController gives the chords to the platform's
// shortcuts and acts on them.

#include "input/HotkeyChords.h"
#include "input/HotkeyRules.h"
#include "platform/Defaults.h"

#include <QObject>

namespace corvane {

class HotkeyTable : public QObject {
    Q_OBJECT
public:
    explicit HotkeyTable(Defaults& defaults, QObject* parent = nullptr);

    const HotkeyAssignments& assignments() const { return m_assignments; }
    // Stored every time, changed or not: a repaired table is written even when nothing named the preset.
    void setAssignments(HotkeyAssignments assignments);
    const HotkeyChords& chords() const { return m_chords; }
    // Stored at once.
    void setChords(const HotkeyChords& chords);
    // A layout of this name is gone: the hotkeys that applied it apply nothing now.
    void releaseLayoutName(const QString& name);

signals:
    void assignmentsChanged();
    void chordsChanged();

private:
    Defaults& m_defaults;
    HotkeyAssignments m_assignments;
    HotkeyChords m_chords;
};

} // namespace corvane
