#pragma once
// Shortcuts held in the desktop's own settings, as a compositor holds them: the test reads what each
// action was given and how it is listed, and rebinds one as the user would in those settings.

#include "platform/Shortcuts.h"

#include <QList>
#include <QMap>
#include <utility>

namespace corvane {

class SimDesktopShortcuts final : public Shortcuts {
    Q_OBJECT
public:
    using Shortcuts::Shortcuts;

    void setShortcut(int id, const KeyChord& chord) override;
    void clearShortcut(int id) override { m_chords.remove(id); }
    void nameShortcut(int id, const ShortcutName& name) override { m_names.insert(id, name); }

    std::optional<KeyChord> chord(int id) const;
    ShortcutName name(int id) const { return m_names.value(id); }
    // Every chord set, in order, since the last call.
    QList<std::pair<int, KeyChord>> takeSets() { return std::exchange(m_sets, {}); }
    // The user's change in the desktop's settings; none takes the chord away.
    void rebind(int id, std::optional<KeyChord> chord);

private:
    QMap<int, KeyChord> m_chords;
    QMap<int, ShortcutName> m_names;
    QList<std::pair<int, KeyChord>> m_sets;
};

} // namespace corvane
