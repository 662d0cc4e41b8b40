#include "X11Screens.h"

#include "platform/common/WindowCoordinates.h"
#include "platform/x11/WorkArea.h"

#include <QGuiApplication>
#include <QScreen>
#include <xcb/randr.h>
#include <xcb/xinerama.h>

namespace corvane {

namespace {

// Qt's screens, each with the device pixel ratio Qt lays our windows out with there. Qt keeps a
// screen's top-left in root pixels and divides only its size.
QList<ScreenScale> qtScales() {
    QList<ScreenScale> scales;
    for (const QScreen* s : QGuiApplication::screens()) {
        const double ratio = s->devicePixelRatio();
        scales.append(
            {QRect(s->geometry().topLeft(), (QSizeF(s->geometry().size()) * ratio).toSize()), ratio});
    }
    return scales;
}

} // namespace

X11Screens::X11Screens(X11Connection& connection)
    : m_connection(connection)
    , m_workArea(connection) {
    xcb_connection_t* c = connection.xcb();
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (randr && randr->present) {
        m_randrEvent = randr->first_event;
        xcb_randr_select_input(c, connection.root(),
                               XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE |
                                   XCB_RANDR_NOTIFY_MASK_OUTPUT_CHANGE);
    }
    const xcb_atom_t workArea = connection.atom("_NET_WORKAREA");
    const xcb_atom_t clientList = connection.atom("_NET_CLIENT_LIST");
    const xcb_atom_t desktop = connection.atom("_NET_CURRENT_DESKTOP");
    m_subscription =
        connection.addEventHandler([this, workArea, clientList, desktop](const xcb_generic_event_t* event) {
            const int type = event->response_type & 0x7f;
            // Monitors added or removed without a new mode (RandR 1.5 monitors, virtual displays) come as
            // a ConfigureNotify of the root window only, not as a RandR event.
            const bool isRootConfigure =
                type == XCB_CONFIGURE_NOTIFY &&
                reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window == m_connection.root();
            if (isRootConfigure ||
                (m_randrEvent >= 0 && (type == m_randrEvent || type == m_randrEvent + XCB_RANDR_NOTIFY))) {
                m_monitors.reset();
                m_reservedAreas.reset();
                emit screensChanged();
            }
            if (type != XCB_PROPERTY_NOTIFY)
                return;
            const xcb_atom_t changed = reinterpret_cast<const xcb_property_notify_event_t*>(event)->atom;
            if (changed == workArea || changed == clientList || changed == desktop) {
                m_reservedAreas.reset();
                // The window manager recomputes the work area whenever a panel's strut changes.
                if (changed == workArea)
                    emit screensChanged();
            }
        });
    connection.flush();
}

QList<X11Screens::Monitor> X11Screens::monitors() const {
    if (!m_monitors)
        m_monitors = queryMonitors();
    return *m_monitors;
}

QList<X11Screens::Monitor> X11Screens::queryMonitors() const {
    xcb_connection_t* c = m_connection.xcb();
    QList<Monitor> result;
    const auto reply =
        m_connection.await<xcb_randr_get_monitors_reply_t>(xcb_randr_get_monitors(c, m_connection.root(), 1));
    if (reply) {
        // RandR names each monitor after its output ("DP-1"): asked for all at once, read after.
        std::vector<ReplyCookie<xcb_get_atom_name_reply_t>> connectors;
        for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
             xcb_randr_monitor_info_next(&it)) {
            result.append({.root = QRect(it.data->x, it.data->y, it.data->width, it.data->height),
                           .isPrimary = it.data->primary != 0});
            connectors.push_back(
                m_connection.cookie<xcb_get_atom_name_reply_t>(xcb_get_atom_name(c, it.data->name)));
        }
        qsizetype i = 0;
        m_connection.awaitEach(std::move(connectors), [&](const xcb_get_atom_name_reply_t* name) {
            if (name)
                result[i].connector =
                    QString::fromLatin1(xcb_get_atom_name_name(name), xcb_get_atom_name_name_length(name));
            ++i;
        });
    }
    // Several X screens joined by Xinerama (nested servers, for one) report their heads through it
    // only; RandR speaks of the first screen alone, at its own origin.
    m_deviceOrigin = QPoint();
    const auto heads = m_connection.await<xcb_xinerama_query_screens_reply_t>(xcb_xinerama_query_screens(c));
    if (heads && xcb_xinerama_query_screens_screen_info_length(heads.get()) > result.size()) {
        result.clear();
        const xcb_xinerama_screen_info_t* info = xcb_xinerama_query_screens_screen_info(heads.get());
        m_deviceOrigin = QPoint(info[0].x_org, info[0].y_org);
        for (int i = 0; i < xcb_xinerama_query_screens_screen_info_length(heads.get()); ++i)
            result.append({.root = QRect(info[i].x_org, info[i].y_org, info[i].width, info[i].height),
                           .isPrimary = i == 0});
    }
    if (result.isEmpty()) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        result.append(
            {.root = QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels), .isPrimary = true});
    }
    if (std::none_of(result.begin(), result.end(), [](const Monitor& m) { return m.isPrimary; }))
        result.first().isPrimary = true;
    for (int i = 0; i < result.size(); ++i)
        result[i].name = QStringLiteral("Monitor %1").arg(i + 1);
    return result;
}

QPoint X11Screens::deviceOrigin() const {
    monitors();
    return m_deviceOrigin;
}

ReservedAreas X11Screens::reservedAreas() const {
    if (!m_reservedAreas)
        m_reservedAreas = m_workArea.read();
    return *m_reservedAreas;
}

QRect X11Screens::primaryRoot() const {
    for (const Monitor& m : monitors()) {
        if (m.isPrimary)
            return m.root;
    }
    return {};
}

QPoint X11Screens::primaryOrigin() const {
    return primaryRoot().topLeft();
}

double X11Screens::primaryHeight() const {
    return primaryRoot().height();
}

QRectF X11Screens::toScreen(const QRectF& r) const {
    return screenFromRoot(r, primaryRoot());
}

QRectF X11Screens::toRoot(const QRectF& r) const {
    return rootFromScreen(r, primaryRoot());
}

QRect X11Screens::windowGeometry(const QRectF& screenFrame) const {
    return windowGeometryOf(screenFrame, primaryRoot(), qtScales());
}

QRectF X11Screens::screenFrame(const QRect& windowGeometry) const {
    return screenFrameOf(windowGeometry, primaryRoot(), qtScales());
}

QList<Screen> X11Screens::screens() const {
    const QList<Monitor> all = monitors();
    const ReservedAreas reserved = reservedAreas();
    QRect primary;
    for (const Monitor& m : all) {
        if (m.isPrimary)
            primary = m.root;
    }
    const auto toScreenCoordinates = [&](const QRect& r) { return screenFromRoot(r, primary); };
    QList<QRect> roots;
    for (const Monitor& m : all)
        roots.append(m.root);
    const QList<QRect> visibleRoots = visibleAreas(roots, reserved.strips, reserved.workArea);
    QList<Screen> result;
    for (int i = 0; i < all.size(); ++i) {
        const QRect visible = visibleRoots[i];
        result.append(Screen{.id = quint64(i + 1),
                             .name = all[i].name,
                             .frame = toScreenCoordinates(all[i].root),
                             .visibleFrame = toScreenCoordinates(visible),
                             .connector = all[i].connector});
    }
    return result;
}

std::optional<Screen> X11Screens::mainScreen() const {
    const QList<Screen> list = screens();
    if (list.isEmpty())
        return std::nullopt;
    const QList<Monitor> all = monitors();
    for (int i = 0; i < all.size() && i < list.size(); ++i) {
        if (all[i].isPrimary)
            return list[i];
    }
    return list.first();
}

} // namespace corvane
