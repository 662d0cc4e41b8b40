#pragma once
// The clients of the contract desktops in a Wayland compositor (KWin, GNOME Shell): foot terminals, each
// a process of another application, its window found in the platform's window list by the client's
// pid. A client killed, its connection closes and the compositor destroys its window.

#include "contract/ContractDesktop.h"

#include <QProcess>
#include <map>
#include <optional>
#include <string>

namespace corvane {

class FootClients {
public:
    // The desktop's platform lists the windows; its clock bounds the waits.
    explicit FootClients(ContractDesktop& desktop);
    ~FootClients();

    AxElement open(ClientSizing sizing);
    void close(AxElement window);
    // foot keeps whole cells from 1.17 (its resize-by-cells); an older one takes any size.
    static std::optional<std::string> whyNoneKeepsWholeCells();

private:
    ContractDesktop& m_desktop;
    std::map<quint64, std::unique_ptr<QProcess>> m_clients; // by element handle
};

} // namespace corvane
