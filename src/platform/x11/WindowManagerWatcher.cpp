#include "WindowManagerWatcher.h"

namespace corvane {

WindowManagerWatcher::WindowManagerWatcher(X11Connection& connection)
    : m_connection(connection)
    , m_check(connection.atom("_NET_SUPPORTING_WM_CHECK")) {
    const xcb_atom_t configFile = connection.atom("_OB_CONFIG_FILE");
    const xcb_atom_t supported = connection.atom("_NET_SUPPORTED");
    m_subscription =
        connection.addEventHandler([this, configFile, supported](const xcb_generic_event_t* event) {
            if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                return;
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (notify->window != m_connection.root())
                return;
            if (notify->atom == m_check || notify->atom == configFile)
                emit changed();
            else if (notify->atom == supported)
                emit supportChanged();
        });
}

std::optional<QString> WindowManagerWatcher::name() {
    const QList<quint32> check = m_connection.cardinals(m_connection.root(), m_check);
    if (check.isEmpty())
        return std::nullopt;
    // A window manager that died leaves the root's property behind; its window, gone, answers nothing.
    if (m_connection.cardinals(check[0], m_check).value(0) != check[0])
        return std::nullopt;
    const QByteArray name = m_connection.bytes(check[0], m_connection.atom("_NET_WM_NAME"));
    if (name.isEmpty())
        return std::nullopt;
    return QString::fromUtf8(name);
}

QString WindowManagerWatcher::configFile() {
    return QString::fromUtf8(m_connection.bytes(m_connection.root(), m_connection.atom("_OB_CONFIG_FILE")));
}

} // namespace corvane
