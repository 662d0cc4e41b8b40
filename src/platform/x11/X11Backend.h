#pragma once
// Corvane on an X11 desktop: the whole platform, built in dependency order on the main thread's X
// connection, and the writer thread with a connection of its own.

#include "platform/Backend.h"

#include <memory>

namespace corvane {

class X11Connection;

class X11Backend final : public Backend {
    Q_OBJECT
public:
    // None when no X display can be reached.
    static std::unique_ptr<X11Backend> create();
    // Whether the display DISPLAY names answers, asked before Qt starts (Qt aborts without one).
    static bool isDisplayReachable();
    ~X11Backend() override;

    QString name() const override { return QStringLiteral("x11"); }
    Platform platform() override;
    QString lostMessage() const override;

private:
    X11Backend() = default;
    struct Parts;
    std::unique_ptr<X11Connection> m_connection;
    std::unique_ptr<Parts> m_parts;
};

} // namespace corvane
