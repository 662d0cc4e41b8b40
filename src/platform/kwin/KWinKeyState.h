#pragma once
// KWin's key-state protocol (org_kde_kwin_keystate), the one way a Wayland client learns which modifier
// keys are held while another window has the keyboard, as during a user's move of a window; KWin
// reports each change unasked. KWin 6.3 offers it only to a program whose desktop entry lists it in
// X-KDE-Wayland-Interfaces, the entry's Exec naming the program by its absolute path (data/); KWin 6.7
// offers it to every client. Without it the keys stay as they were first known: none held. Bound on
// Qt's own Wayland connection, so its events come on the main thread; built only where Qt's Wayland
// client and Plasma's protocols are.

#include "platform/kwin/KWinModifierKeys.h"
#include "qwayland-keystate.h"

#include <QWaylandClientExtensionTemplate>

namespace corvane {

class KWinKeyState final : public QWaylandClientExtensionTemplate<KWinKeyState>,
                           public QtWayland::org_kde_kwin_keystate {
    Q_OBJECT
public:
    // Pressed modifiers are reported from this version on.
    static constexpr int kVersion = 5;

    explicit KWinKeyState(KWinModifierKeys& keys);
    ~KWinKeyState() override;

protected:
    void org_kde_kwin_keystate_stateChanged(uint32_t keyNumber, uint32_t stateNumber) override;

private:
    KWinModifierKeys& m_keys;
};

} // namespace corvane
