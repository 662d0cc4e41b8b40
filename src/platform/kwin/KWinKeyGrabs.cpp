#include "KWinKeyGrabs.h"

#include "platform/common/XdgConfigHome.h"
#include "platform/kwin/KGlobalAccelShortcuts.h"
#include "platform/kwin/KeyChordCode.h"

#include <QDBusServiceWatcher>

namespace corvane {

KWinKeyGrabs::KWinKeyGrabs(const QDBusConnection& bus, QObject* parent)
    : KeyGrabs(parent)
    , m_accel(bus) {
    // KWin restarted, or went: the shortcuts it holds are read again.
    auto* watcher =
        new QDBusServiceWatcher(KGlobalAccel::service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &KeyGrabs::windowManagerChanged);
}

QList<KeyChord> KWinKeyGrabs::grabKeys(const QList<KeyChord>& chords) {
    QList<KeyChord> held;
    for (const KeyChord& chord : chords) {
        const std::optional<QStringList> holder = m_accel.action(qtKeyCode(chord));
        // Unanswered, each further call would wait as long again on the main thread.
        if (!m_accel.isAnswering())
            break;
        if (holder && !holder->isEmpty() && holder->first() != KGlobalAccelShortcuts::component)
            held.append(chord);
    }
    return held;
}

std::optional<QString> KWinKeyGrabs::windowManagerKeyFile() {
    return xdgConfigHome() + QStringLiteral("/kglobalshortcutsrc");
}

bool KWinKeyGrabs::grabKeyboard() {
    // Without kglobalaccel no shortcut fires anyway: the recording goes on.
    m_accel.blockGlobalShortcuts(true);
    m_isKeyboardGrabbed = true;
    return true;
}

void KWinKeyGrabs::ungrabKeyboard() {
    if (!std::exchange(m_isKeyboardGrabbed, false))
        return;
    m_accel.blockGlobalShortcuts(false);
}

} // namespace corvane
