#pragma once
// Key grabs under KWin: no Wayland client may grab a key, so nothing is grabbed here. What another
// program holds is what kglobalaccel gives another component's action (Corvane's own actions are
// ours, KGlobalAccelShortcuts'); recording a chord blocks KDE's global shortcuts, as KDE's own key
// recorders do, so that a chord KWin binds reaches the settings window.

#include "platform/KeyGrabs.h"
#include "platform/kwin/KGlobalAccel.h"

#include <QDBusConnection>

namespace corvane {

class KWinKeyGrabs final : public KeyGrabs {
    Q_OBJECT
public:
    explicit KWinKeyGrabs(const QDBusConnection& bus, QObject* parent = nullptr);

    QList<KeyChord> grabKeys(const QList<KeyChord>& chords) override;
    void ungrabKeys(const QList<KeyChord>& /*chords*/) override {}
    std::optional<QString> windowManagerName() override { return QStringLiteral("KWin"); }
    // kglobalaccel's record of every component's shortcuts.
    std::optional<QString> windowManagerKeyFile() override;

    bool grabKeyboard() override;
    void ungrabKeyboard() override;
    bool isKeyboardGrabbed() const override { return m_isKeyboardGrabbed; }

private:
    KGlobalAccel m_accel;
    bool m_isKeyboardGrabbed = false;
};

} // namespace corvane
