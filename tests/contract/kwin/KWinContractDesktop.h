#pragma once
// The contract's desktop in a headless KWin (started by tests/kwin/contract.sh): the KWin backend as
// the program builds it, foot terminals for clients (FootClients), the user's keys and pointer through
// KWin's fake input (corvane_fake_pointer, over its pipes), and Qt's event loop run against a real
// deadline.

#include "contract/ContractDesktop.h"
#include "contract/wayland/FootClients.h"
#include "platform/kwin/KWinAgent.h"
#include "platform/kwin/KWinBackend.h"

#include <QObject>
#include <QProcess>

namespace corvane {

class KWinContractDesktop final : public QObject, public ContractDesktop {
    Q_OBJECT
public:
    // None when KWin, its fake input or the backend cannot be reached.
    static std::unique_ptr<KWinContractDesktop> create();
    ~KWinContractDesktop() override;

    Platform platform() override { return m_backend->platform(); }
    AxElement openWindow(ClientSizing sizing) override;
    void closeWindow(AxElement window) override;
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
    // kglobalaccel fired one of Corvane's actions, on a press or a repeat, active in the core or not.
    void shortcutFired() { ++m_shortcutsFired; }

private:
    KWinContractDesktop() = default;
    bool start();
    // One command to the fake pointer, once the agent has run what the core sent it: the user acts on
    // what the desktop has been told. True once KWin has handled the command.
    bool fakeInput(const QString& command);
    // A call KWin answers on its main thread: it has handled what was sent before, and what it sent
    // before (the shortcuts it fired, the agent's reports) has been delivered here.
    bool syncWithKWin();

    std::unique_ptr<KWinBackend> m_backend;
    KWinAgent* m_agent = nullptr; // the backend's
    std::unique_ptr<QProcess> m_fakePointer;
    FootClients m_clients{*this};
    int m_shortcutsFired = 0;
    bool m_isHeldChordFiring = false; // whether the chord held fired when pressed, so its repeats fire too
};

} // namespace corvane
