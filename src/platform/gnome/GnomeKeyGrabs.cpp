#include "GnomeKeyGrabs.h"

#include "platform/gnome/GnomeAccelerator.h"
#include "platform/wmconfig/GSettingsAccelerators.h"

namespace corvane {

namespace {
// Where GNOME keeps the keybindings it acts on itself.
constexpr const char* kKeybindingSchemas[] = {
    "org.gnome.desktop.wm.keybindings",
    "org.gnome.mutter.keybindings",
    "org.gnome.mutter.wayland.keybindings",
    "org.gnome.shell.keybindings",
    "org.gnome.settings-daemon.plugins.media-keys",
};
} // namespace

GnomeKeyGrabs::GnomeKeyGrabs(GnomeShortcuts& shortcuts, QObject* parent)
    : KeyGrabs(parent)
    , m_shortcuts(shortcuts) {}

QList<KeyChord> GnomeKeyGrabs::grabKeys(const QList<KeyChord>& chords) {
    QList<KeyChord> bound;
    for (const char* schema : kKeybindingSchemas) {
        for (const QString& accelerator : gsettingsAccelerators(schema)) {
            if (const std::optional<KeyChord> chord = keyChordOfGnomeAccelerator(accelerator))
                bound.append(*chord);
        }
    }
    QList<KeyChord> held;
    for (const KeyChord& chord : chords) {
        if (bound.contains(chord))
            held.append(chord);
    }
    return held;
}

bool GnomeKeyGrabs::grabKeyboard() {
    m_shortcuts.setSuspended(true);
    m_isKeyboardGrabbed = true;
    return true;
}

void GnomeKeyGrabs::ungrabKeyboard() {
    if (!std::exchange(m_isKeyboardGrabbed, false))
        return;
    m_shortcuts.setSuspended(false);
}

} // namespace corvane
