#pragma once
// Corvane on GNOME (Wayland): Corvane's extension in GNOME Shell reports the desktop, moves windows,
// holds the chords and draws the zone preview; the daemon decides everything. The extension may not run
// yet (installed after the Shell started, or off): Corvane starts all the same, says what to do, and
// takes up the desktop as soon as the extension runs. The Shell leaving the bus ends Corvane.

#include "platform/Backend.h"

#include <memory>

namespace corvane {

class GnomeBackend final : public Backend {
    Q_OBJECT
public:
    // How long start-up waits for a running extension's first report of the desktop.
    static constexpr int kFirstReportTimeoutMs = 3000;

    // None when GNOME Shell is not on the session bus.
    static std::unique_ptr<GnomeBackend> create();
    ~GnomeBackend() override;

    QString name() const override { return QStringLiteral("gnome"); }
    Platform platform() override;
    QString lostMessage() const override;

private:
    GnomeBackend();
    bool start();
    // The extension runs: it is asked for the whole desktop. It stopped: nothing of it is known.
    void followExtension();

    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace corvane
