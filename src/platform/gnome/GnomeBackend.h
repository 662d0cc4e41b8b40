#pragma once
// Corvane on GNOME (Wayland): Corvane's extension in GNOME Shell reports the desktop, moves windows,
// holds the chords and draws the zone preview; the daemon decides everything. The extension may not run
// yet (installed after the Shell started, or off): Corvane starts all the same, says what to do, and
// takes up the desktop as soon as the extension runs. The Shell leaving the bus ends Corvane.

#include "platform/agent/AgentBackend.h"
#include "platform/gnome/GnomeShellBridge.h"

#include <memory>

namespace corvane {

class GnomeBackend final : public AgentBackend {
    Q_OBJECT
public:
    // None when GNOME Shell is not on the session bus.
    static std::unique_ptr<GnomeBackend> create() {
        return startWhereServed<GnomeBackend>(GnomeShellBridge::shellService,
                                              [] { return new GnomeBackend; });
    }
    ~GnomeBackend() override;

    Platform platform() override;

private:
    GnomeBackend();
    // Waits for the extension's first report only where it runs.
    bool start() override;
    // The extension runs: it is asked for the whole desktop. It stopped: nothing of it is known.
    void followExtension();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace corvane
