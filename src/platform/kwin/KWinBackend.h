#pragma once
// Corvane on KDE Plasma (Wayland): the agent script Corvane loads into KWin reports the desktop and
// moves windows; kglobalaccel holds the chords. The platform is built on the session bus, the script
// is loaded at start and unloaded at quit, and loaded again when someone unloads it or it stops
// answering; KWin leaving the bus, or a script loaded again that never answers, ends Corvane.

#include "platform/Backend.h"

#include <memory>

namespace corvane {

class KWinBackend final : public Backend {
    Q_OBJECT
public:
    // How long start-up waits for the script's first report of the desktop.
    static constexpr int kFirstReportTimeoutMs = 3000;

    // None when KWin is not on the session bus or does not run the script.
    static std::unique_ptr<KWinBackend> create();
    ~KWinBackend() override;

    QString name() const override { return QStringLiteral("kwin"); }
    Platform platform() override;
    QString lostMessage() const override;

private:
    KWinBackend();
    bool start();
    // The script stopped polling: waited for while KWin does not answer (busy, or stopped for a
    // while) and for one more gap while it is loaded, else loaded again; lost when the script loaded
    // again never polls.
    void recover();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
    bool m_isReloadAnswered = true;
    bool m_wasSilent = false;
};

} // namespace corvane
