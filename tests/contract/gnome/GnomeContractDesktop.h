#pragma once
// The contract's desktop in a headless GNOME Shell (started by tests/gnome/contract.sh): the GNOME
// backend as the program builds it, its actions named as the program names them, foot terminals for
// clients (FootClients), the user's keys and pointer through mutter's remote desktop
// (corvane_remote_input, over its pipes), and Qt's event loop run against a real deadline.

#include "contract/ContractDesktop.h"
#include "contract/wayland/FootClients.h"
#include "platform/gnome/GnomeBackend.h"
#include "platform/gnome/GnomeShellBridge.h"

#include <QObject>
#include <QProcess>

namespace corvane {

class GnomeContractDesktop final : public QObject, public ContractDesktop {
    Q_OBJECT
public:
    // None when GNOME Shell, its remote desktop or the backend cannot be reached.
    static std::unique_ptr<GnomeContractDesktop> create();
    ~GnomeContractDesktop() override;

    Platform platform() override { return m_backend->platform(); }
    AxElement openWindow(ClientSizing sizing) override;
    void closeWindow(AxElement window) override { m_clients.close(window); }
    void pressKeys(const KeyChord& chord) override;
    void repeatKeys(const KeyChord& chord) override;
    void releaseKeys(const KeyChord& chord) override;
    void movePointer(QPointF point) override;
    void pressButton(quint32 button) override;
    void releaseButton(quint32 button) override;
    std::optional<std::string> whyPlainPressesAreUnseen() const override;
    std::optional<std::string> whyNoClientKeepsWholeCells() const override {
        return FootClients::whyNoneKeepsWholeCells();
    }
    bool waitUntil(double seconds, const std::function<bool()>& condition) override;

private slots:
    // The extension told of one of its keybindings pressed, active in the core or not.
    void keybindingPressed() { ++m_keybindingsPressed; }

private:
    GnomeContractDesktop() = default;
    bool start();
    // One input event through the remote desktop, once the extension has run what the core sent it:
    // the user acts on what the desktop has been told. True once the Shell has handled the event, and
    // what it reported meanwhile has been delivered here.
    bool input(const QString& command);
    // JS run in the Shell (it runs with --unsafe-mode): its value as JSON; none when it failed.
    std::optional<QString> shellEval(const QString& script);
    // Where the Shell has the pointer.
    std::optional<QPoint> pointer();

    std::unique_ptr<GnomeBackend> m_backend;
    GnomeShellBridge* m_bridge = nullptr; // the backend's
    std::unique_ptr<QProcess> m_remoteInput;
    FootClients m_clients{*this};
    int m_keybindingsPressed = 0;
    bool m_isHeldChordFiring = false; // whether the chord held fired when pressed, so its repeats fire too
};

} // namespace corvane
