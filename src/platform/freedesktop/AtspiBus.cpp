#include "AtspiBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <libintl.h>

namespace corvane {

namespace {

constexpr auto kConnectionName = "corvane-atspi";
constexpr auto kRegistry = "org.a11y.atspi.Registry";
constexpr auto kRootPath = "/org/a11y/atspi/accessible/root";
constexpr auto kNullPath = "/org/a11y/atspi/null";
constexpr auto kAccessible = "org.a11y.atspi.Accessible";
constexpr auto kComponent = "org.a11y.atspi.Component";
constexpr quint32 kScreenCoordinates = 0;
constexpr quint32 kPushButtonRole = 43;
constexpr int kMaxDepth = 12;

// What toolkits name the button, in English and in the user's language as GTK translates it.
const QStringList& maximizeNames() {
    static const QStringList names = [] {
        QStringList all{QStringLiteral("Maximize"), QStringLiteral("Restore"), QStringLiteral("Unmaximize")};
        for (const char* domain : {"gtk30", "gtk40"}) {
            for (const char* name : {"Maximize", "Restore"})
                all.append(QString::fromUtf8(dgettext(domain, name)));
        }
        all.removeDuplicates();
        return all;
    }();
    return names;
}

bool isTimeout(const QDBusMessage& reply) {
    const QString name = reply.errorName();
    return name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
           name == QLatin1String("org.freedesktop.DBus.Error.Timeout") ||
           name == QLatin1String("org.freedesktop.DBus.Error.TimedOut");
}

} // namespace

// One question to the bus: each call gets what is left of the question's time; once one runs out of
// time, the question is over.
class AtspiBus::Call {
public:
    Call(QDBusConnection bus, QDeadlineTimer deadline)
        : m_bus(std::move(bus))
        , m_deadline(deadline) {}

    bool hasTimedOut() const { return m_hasTimedOut; }

    // The reply's first argument; none on an error, an empty reply, or no time left.
    std::optional<QVariant> operator()(const Node& node, const char* interface, const char* method,
                                       const QVariantList& arguments = {}) {
        const qint64 left = m_deadline.remainingTime();
        if (m_hasTimedOut || left == 0) {
            m_hasTimedOut = true;
            return std::nullopt;
        }
        QDBusMessage message = QDBusMessage::createMethodCall(
            node.service, node.path, QString::fromLatin1(interface), QString::fromLatin1(method));
        message.setArguments(arguments);
        const QDBusMessage reply = m_bus.call(message, QDBus::Block, int(left));
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            m_hasTimedOut = isTimeout(reply);
            return std::nullopt;
        }
        return reply.arguments().first();
    }

    // Accessible references: "(so)" and "a(so)".
    static Node readNode(const QDBusArgument& argument) {
        Node node;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> node.service >> path;
        argument.endStructure();
        node.path = path.path();
        return node;
    }
    static std::optional<Node> nodeOf(const QVariant& value) {
        const Node node = readNode(value.value<QDBusArgument>());
        if (node.service.isEmpty() || node.path.isEmpty() || node.path == QLatin1String(kNullPath))
            return std::nullopt;
        return node;
    }
    static QList<Node> nodesOf(const QVariant& value) {
        const QDBusArgument argument = value.value<QDBusArgument>();
        QList<Node> nodes;
        argument.beginArray();
        while (!argument.atEnd())
            nodes.append(readNode(argument));
        argument.endArray();
        return nodes;
    }
    std::optional<QRect> extentsOf(const Node& node) {
        const std::optional<QVariant> extents =
            (*this)(node, kComponent, "GetExtents", {QVariant::fromValue(kScreenCoordinates)});
        if (!extents)
            return std::nullopt;
        const QDBusArgument argument = extents->value<QDBusArgument>();
        int x = 0, y = 0, width = 0, height = 0;
        argument.beginStructure();
        argument >> x >> y >> width >> height;
        argument.endStructure();
        return QRect(x, y, width, height);
    }

private:
    QDBusConnection m_bus;
    QDeadlineTimer m_deadline;
    bool m_hasTimedOut = false;
};

AtspiBus::AtspiBus(Desktop desktop)
    : m_desktop(std::move(desktop)) {}

AtspiBus::~AtspiBus() {
    if (m_isConnected)
        QDBusConnection::disconnectFromBus(QString::fromLatin1(kConnectionName));
}

std::optional<QDBusConnection> AtspiBus::openBus(const QDeadlineTimer& deadline) {
    const QString name = QString::fromLatin1(kConnectionName);
    if (m_isConnected) {
        QDBusConnection bus(name);
        if (bus.isConnected())
            return bus;
        QDBusConnection::disconnectFromBus(name); // the bus went away: find it anew
        m_isConnected = false;
        m_pids.clear();
    }
    QString address = m_desktop.announcedAddress(deadline.remainingTime() / 1000.0);
    if (address.isEmpty()) {
        QDBusConnection session = QDBusConnection::sessionBus();
        if (!session.isConnected() || deadline.hasExpired())
            return std::nullopt;
        const QDBusMessage reply = session.call(
            QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                           QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")),
            QDBus::Block, int(deadline.remainingTime()));
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            address = reply.arguments().first().toString();
    }
    if (address.isEmpty())
        return std::nullopt;
    QDBusConnection bus = QDBusConnection::connectToBus(address, name);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(name);
        return std::nullopt;
    }
    m_isConnected = true;
    return bus;
}

std::optional<AtspiBus::Node> AtspiBus::application(Call& call, qint32 pid) {
    const std::optional<QVariant> children =
        call({QString::fromLatin1(kRegistry), QString::fromLatin1(kRootPath)}, kAccessible, "GetChildren");
    if (!children)
        return std::nullopt;
    QHash<QString, qint32> pids; // of the applications on the bus now
    std::optional<Node> found;
    for (const Node& app : Call::nodesOf(*children)) {
        if (!m_pids.contains(app.service)) {
            const std::optional<QVariant> owner =
                call({QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus")},
                     "org.freedesktop.DBus", "GetConnectionUnixProcessID", {app.service});
            if (!owner)
                continue;
            m_pids.insert(app.service, qint32(owner->toUInt()));
        }
        pids.insert(app.service, m_pids.value(app.service));
        if (pids.value(app.service) == pid && !found)
            found = app;
    }
    m_pids = pids;
    return found;
}

// Of the application's windows under the point, the one whose extents are closest to the frame (a
// window's extents may include the shadow it draws around itself).
std::optional<AtspiBus::Node> AtspiBus::window(Call& call, const Node& application, const QRect& frame,
                                               QPoint point) {
    const std::optional<QVariant> children = call(application, kAccessible, "GetChildren");
    if (!children)
        return std::nullopt;
    std::optional<Node> best;
    int bestDistance = 0;
    for (const Node& window : Call::nodesOf(*children)) {
        const std::optional<QRect> extents = call.extentsOf(window);
        if (!extents || !extents->contains(point))
            continue;
        const int distance =
            std::abs(extents->left() - frame.left()) + std::abs(extents->top() - frame.top()) +
            std::abs(extents->right() - frame.right()) + std::abs(extents->bottom() - frame.bottom());
        if (!best || distance < bestDistance) {
            best = window;
            bestDistance = distance;
        }
    }
    return best;
}

BusButton AtspiBus::maximizeButtonAt(qint32 pid, const QRectF& windowFrame, QPointF point, double timeout) {
    const QDeadlineTimer deadline(qint64(timeout * 1000));
    const std::optional<QDBusConnection> bus = openBus(deadline);
    if (!bus)
        return {};
    Call call(*bus, deadline);
    const QPoint origin = m_desktop.primaryOrigin();
    const QPoint p = (point + QPointF(origin)).toPoint();
    const auto ended = [&call] {
        return call.hasTimedOut() ? BusButton{BusButton::Outcome::NoAnswer, {}} : BusButton{};
    };
    const std::optional<Node> app = application(call, pid);
    if (!app)
        return ended();
    std::optional<Node> node = window(call, *app, windowFrame.translated(origin).toRect(), p);
    if (!node)
        return ended();
    // Down the tree to the deepest element under the point, stopping at the first push button.
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        const std::optional<QVariant> child =
            call(*node, kComponent, "GetAccessibleAtPoint",
                 {QVariant::fromValue(qint32(p.x())), QVariant::fromValue(qint32(p.y())),
                  QVariant::fromValue(kScreenCoordinates)});
        node = child ? Call::nodeOf(*child) : std::nullopt;
        if (!node)
            break;
        const std::optional<QVariant> role = call(*node, kAccessible, "GetRole");
        if (!role || role->toUInt() != kPushButtonRole)
            continue;
        const std::optional<QVariant> name = call(*node, "org.freedesktop.DBus.Properties", "Get",
                                                  {QString::fromLatin1(kAccessible), QStringLiteral("Name")});
        if (!name || !maximizeNames().contains(name->value<QDBusVariant>().variant().toString()))
            break;
        if (const std::optional<QRect> extents = call.extentsOf(*node))
            return BusButton{BusButton::Outcome::Found, QRectF(extents->translated(-origin))};
        break;
    }
    return ended();
}

} // namespace corvane
