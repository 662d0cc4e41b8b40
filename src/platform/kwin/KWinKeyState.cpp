#include "KWinKeyState.h"

#include "platform/common/Log.h"

#include <QCoreApplication>

namespace corvane {

namespace {
// The protocol's destroy request came in its version 4; sent to an older one, it would end the connection.
constexpr uint32_t kDestroyVersion = 4;
} // namespace

KWinKeyState::KWinKeyState(KWinModifierKeys& keys)
    : QWaylandClientExtensionTemplate(kVersion)
    , m_keys(keys) {
    connect(this, &QWaylandClientExtension::activeChanged, this, [this] {
        if (!isActive()) {
            m_keys.clear();
            return;
        }
        qCInfo(lcGeneral, "KWin key state: following the modifier keys (protocol version %d)",
               QWaylandClientExtension::version());
        fetchStates();
    });
    // Qt knows the compositor's globals from its first round trip, so the grant shows at once.
    initialize();
    if (!isActive())
        qCInfo(lcGeneral,
               "KWin key state: not offered to Corvane, so drag to snap sees no modifier keys (KWin offers "
               "it to %s when an installed desktop entry runs that path and lists org_kde_kwin_keystate in "
               "X-KDE-Wayland-Interfaces)",
               qPrintable(QCoreApplication::applicationFilePath()));
}

KWinKeyState::~KWinKeyState() {
    if (isInitialized() && org_kde_kwin_keystate::version() >= kDestroyVersion)
        destroy();
}

void KWinKeyState::org_kde_kwin_keystate_stateChanged(uint32_t keyNumber, uint32_t stateNumber) {
    m_keys.update(keyNumber, stateNumber);
}

} // namespace corvane
