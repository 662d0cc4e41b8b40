#pragma once
// A backend whose compositor runs an agent of Corvane's (KWinBackend, GnomeBackend): made only where the
// compositor is on the session bus, and started at once. Its parts are AgentBackendParts, and what only
// its desktop has.

#include "platform/Backend.h"

#include <memory>

namespace corvane {

class AgentBackend : public Backend {
    Q_OBJECT
public:
    // How long start-up waits for the agent's first report of the desktop.
    static constexpr int kFirstReportTimeoutMs = 3000;

    QString name() const final { return m_name; }
    QString lostMessage() const final { return m_lostMessage; }

protected:
    AgentBackend(QString name, QString lostMessage);

    // The backend `make` returns, started, where the compositor's bus name `service` is on the session
    // bus; none where it is not, or where the backend does not start (it says why). The compositor
    // leaving the bus then ends Corvane.
    template <class Made, class Make>
    static std::unique_ptr<Made> startWhereServed(const char* service, Make make) {
        if (!isOnSessionBus(service))
            return nullptr;
        std::unique_ptr<Made> backend(make());
        AgentBackend& starting = *backend;
        if (!starting.start())
            return nullptr;
        starting.endWhenGone(service);
        return backend;
    }
    // Serves the agent's endpoint and takes up the desktop; false where the backend cannot serve.
    virtual bool start() = 0;

private:
    static bool isOnSessionBus(const char* service);
    void endWhenGone(const char* service);

    QString m_name;
    QString m_lostMessage;
};

} // namespace corvane
