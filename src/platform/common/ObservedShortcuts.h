#pragma once
// Shortcuts on a desktop where every key can be observed (X11, the simulated desktop): each key-down
// the key monitors see is matched against the chords set. A held key's auto-repeats arrive as
// key-downs and fire again; a release arrives as nothing. Keys are watched only while a chord is set.

#include "platform/Events.h"
#include "platform/KeyGrabs.h"
#include "platform/Shortcuts.h"
#include "platform/common/GlobalKeyMonitor.h"

#include <QMap>

namespace corvane {

class ObservedShortcuts final : public Shortcuts {
    Q_OBJECT
public:
    ObservedShortcuts(Events& events, KeyGrabs& keyGrabs, QObject* parent = nullptr);

    void setShortcut(int id, const KeyChord& chord) override;
    void clearShortcut(int id) override;

private:
    void handleKeyDown(const Event& event);

    KeyGrabs& m_keyGrabs;
    GlobalKeyMonitor m_monitor;
    QMap<int, KeyChord> m_chords;
};

} // namespace corvane
