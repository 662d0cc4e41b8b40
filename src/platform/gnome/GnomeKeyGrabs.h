#pragma once
// Key grabs under GNOME: no Wayland client may grab a key, so nothing is grabbed here. What another
// program holds is what GNOME's own keybinding settings bind (the window manager's, the Shell's, the
// media keys'); recording a chord lifts our own keybindings for as long as it lasts. GNOME's own still
// reach the Shell first, as they do for any application.

#include "platform/KeyGrabs.h"
#include "platform/gnome/GnomeShortcuts.h"

namespace corvane {

class GnomeKeyGrabs final : public KeyGrabs {
    Q_OBJECT
public:
    explicit GnomeKeyGrabs(GnomeShortcuts& shortcuts, QObject* parent = nullptr);

    QList<KeyChord> grabKeys(const QList<KeyChord>& chords) override;
    void ungrabKeys(const QList<KeyChord>& /*chords*/) override {}
    std::optional<QString> windowManagerName() override { return QStringLiteral("GNOME Shell"); }
    // GNOME keeps its keybindings in dconf, not in a file a user edits.
    std::optional<QString> windowManagerKeyFile() override { return std::nullopt; }
    bool grabKeyboard() override;
    void ungrabKeyboard() override;
    bool isKeyboardGrabbed() const override { return m_isKeyboardGrabbed; }

private:
    GnomeShortcuts& m_shortcuts;
    bool m_isKeyboardGrabbed = false;
};

} // namespace corvane
