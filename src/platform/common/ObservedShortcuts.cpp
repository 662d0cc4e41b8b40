#include "ObservedShortcuts.h"

#include "platform/common/PressedChord.h"

namespace corvane {

ObservedShortcuts::ObservedShortcuts(Events& events, KeyGrabs& keyGrabs, QObject* parent)
    : Shortcuts(parent)
    , m_keyGrabs(keyGrabs)
    , m_monitor(events) {}

void ObservedShortcuts::setShortcut(int id, const KeyChord& chord) {
    if (m_chords.isEmpty())
        m_monitor.start([this](const Event& event) { handleKeyDown(event); });
    m_chords.insert(id, chord);
}

void ObservedShortcuts::clearShortcut(int id) {
    if (m_chords.remove(id) && m_chords.isEmpty())
        m_monitor.stop();
}

void ObservedShortcuts::handleKeyDown(const Event& event) {
    // A chord being recorded in the settings window is not acted on.
    if (m_keyGrabs.isKeyboardGrabbed())
        return;
    const std::optional<KeyChord> pressed = pressedChord(event);
    if (!pressed)
        return;
    // A keypad digit reads as its digit, so a digit's chord covers both.
    for (auto it = m_chords.cbegin(); it != m_chords.cend(); ++it) {
        if (it.value() == *pressed) {
            emit triggered(it.key());
            return;
        }
    }
}

} // namespace corvane
