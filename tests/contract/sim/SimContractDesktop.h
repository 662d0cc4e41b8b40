#pragma once
// The contract's desktop on the simulated one: windows added and removed, keys and pointer events
// sent to the monitors, time moved by hand. What it sends is what the X11 desktop delivers for the
// same acts (X11ContractDesktop), so a case that passes here and fails there points at the sim.

#include "contract/ContractDesktop.h"
#include "platform/sim/SimDesktop.h"

#include <QHash>

namespace corvane {

class SimContractDesktop final : public ContractDesktop {
public:
    SimContractDesktop();

    Platform platform() override { return m_desk.platform(); }
    AxElement openWindow(ClientSizing sizing) override;
    void closeWindow(AxElement window) override;
    void pressKeys(const KeyChord& chord) override;
    void repeatKeys(const KeyChord& chord) override { pressKeys(chord); }
    // As on X11, a release reaches no key monitor.
    void releaseKeys(const KeyChord&) override {}
    void movePointer(QPointF point) override;
    void pressButton(quint32 button) override;
    void releaseButton(quint32 button) override;
    bool waitUntil(double seconds, const std::function<bool()>& condition) override;

private:
    void sendPointer(EventType type);

    SimDesktop m_desk;
    QHash<quint64, SimWindowId> m_windows; // by element handle
};

} // namespace corvane
