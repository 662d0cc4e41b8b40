#pragma once
// Corvane on KDE Plasma (Wayland): the agent script Corvane loads into KWin reports the desktop and
// moves windows; kglobalaccel holds the chords. The platform is built on the session bus, the script
// is loaded at start and unloaded at quit, and loaded again when someone unloads it or it stops
// answering; KWin leaving the bus, or a script loaded again that never answers, ends Corvane.

#include "platform/agent/AgentBackend.h"
#include "platform/kwin/KWinAgent.h"

#include <memory>

namespace corvane {

class KWinBackend final : public AgentBackend {
    Q_OBJECT
public:
    // None when KWin is not on the session bus or does not run the script.
    static std::unique_ptr<KWinBackend> create() {
        return startWhereServed<KWinBackend>(KWinAgent::kwinService, [] { return new KWinBackend; });
    }
    // Unloads the script.
    ~KWinBackend() override;

    Platform platform() override;

private:
    // How far the recovery from the script's silences has gone: the one more gap a loaded but silent
    // script is given may be spent, and a script loaded again may not have answered yet. The script's
    // first poll after a load brings it back to Answering.
    enum class Recovery {
        Answering,         // the script polls
        WaitedOnce,        // silent while loaded: given one more gap
        Reloaded,          // loaded again, not polled yet: silent again while loaded, it gets one more gap
        ReloadedAndWaited, // loaded again, and the one more gap spent: the next silence ends Corvane
    };

    KWinBackend();
    bool start() override;
    // The script stopped polling: waited for while KWin does not answer (busy, or stopped for a
    // while) and for one more gap while it is loaded, else loaded again; lost when the script loaded
    // again never polls.
    void recover();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
    Recovery m_recovery = Recovery::Answering;
};

} // namespace corvane
