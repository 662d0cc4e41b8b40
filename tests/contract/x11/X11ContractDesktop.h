#pragma once
// The contract's desktop on a real X server (Xvfb and openbox, started by tests/e2e/contract.sh):
// the X11 backend as the program builds it, real clients (xterm, and a plain window of
// corvane_typed_window), the user's keys and pointer through XTEST, and Qt's event loop run against
// a real deadline.

#include "contract/ContractDesktop.h"
#include "platform/x11/X11Backend.h"
#include "platform/x11/X11Connection.h"

#include <QProcess>
#include <map>

namespace corvane {

class X11ContractDesktop final : public ContractDesktop {
public:
    // None when the display or the backend cannot be reached.
    static std::unique_ptr<X11ContractDesktop> create();
    ~X11ContractDesktop() override;

    Platform platform() override { return m_backend->platform(); }
    AxElement openWindow(ClientSizing sizing) override;
    void closeWindow(AxElement window) override;
    void pressKeys(const KeyChord& chord) override;
    void repeatKeys(const KeyChord& chord) override;
    void releaseKeys(const KeyChord& chord) override;
    void movePointer(QPointF point) override;
    void pressButton(quint32 button) override;
    void releaseButton(quint32 button) override;
    bool waitUntil(double seconds, const std::function<bool()>& condition) override;

private:
    X11ContractDesktop() = default;
    struct Client {
        std::unique_ptr<QProcess> process;
        xcb_window_t window = 0;
    };

    bool start();
    // The keycodes to press for the chord, modifiers first; empty when the keyboard lacks one.
    QList<xcb_keycode_t> keycodesOf(const KeyChord& chord) const;
    xcb_keycode_t keycodeOf(quint32 keysym) const;
    void fakeInput(quint8 type, quint8 detail, QPoint at = {});
    // A request on our connection answered: the server has done all we sent before it.
    void sync();
    // Presses and releases a key that does not repeat and waits for its key-down: the desktop has
    // then read everything sent before.
    bool syncKeys();

    std::unique_ptr<X11Connection> m_connection; // ours, for XTEST: not the backend's
    std::unique_ptr<X11Backend> m_backend;
    QList<quint32> m_keysyms; // keysymsPerKeycode a keycode, from m_minKeycode
    int m_keysymsPerKeycode = 0;
    xcb_keycode_t m_minKeycode = 0;
    std::map<quint64, Client> m_clients; // by element handle
    int m_keyDowns = 0;                  // seen by a monitor of our own, installed first
    int m_pointerEvents = 0;
};

} // namespace corvane
