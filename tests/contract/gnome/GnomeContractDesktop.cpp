#include "GnomeContractDesktop.h"

#include "contract/EventLoopWait.h"
#include "contract/wayland/EvdevKeys.h"
#include "input/HotkeyChords.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace corvane {

namespace {

// The extension runs commands for the owner of the program's name on the bus, which this test program takes.
constexpr auto kCorvaneService = "app.corvane.Corvane";

// Arms a watch of mutter's idle monitor that fires at the next input event the Shell handles: mutter
// resets the idle time for each event on its main thread, before it looks for a keybinding.
constexpr auto kArmInputWatch = "globalThis.corvaneContractInput = false;"
                                "global.backend.get_core_idle_monitor().add_user_active_watch(() => { "
                                "globalThis.corvaneContractInput = true; });"
                                "true";
constexpr auto kInputSeen = "globalThis.corvaneContractInput === true";

} // namespace

std::unique_ptr<ContractDesktop> makeContractDesktop() {
    return GnomeContractDesktop::create();
}

std::unique_ptr<GnomeContractDesktop> GnomeContractDesktop::create() {
    std::unique_ptr<GnomeContractDesktop> desk(new GnomeContractDesktop);
    if (!desk->start())
        return nullptr;
    return desk;
}

GnomeContractDesktop::~GnomeContractDesktop() {
    if (m_remoteInput) {
        m_remoteInput->closeWriteChannel();
        m_remoteInput->waitForFinished();
    }
    m_backend.reset();
    // The name gone, the extension unbinds every keybinding of ours and forgets the rest.
    QDBusConnection::sessionBus().unregisterService(QLatin1String(kCorvaneService));
}

bool GnomeContractDesktop::start() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerService(QLatin1String(kCorvaneService)))
        return false;
    m_backend = GnomeBackend::create();
    if (!m_backend)
        return false;
    // The extension binds an action by the name the program gives it at start.
    for (int id = 0; id < kHotkeyActionCount; ++id)
        platform().shortcuts.nameShortcut(id, hotkeyShortcutName(HotkeyAction(id)));
    m_bridge =
        qobject_cast<GnomeShellBridge*>(bus.objectRegisteredAt(QLatin1String(GnomeShellBridge::objectPath)));
    if (!m_bridge)
        return false;
    connect(m_bridge, &GnomeShellBridge::keyPressed, this, &GnomeContractDesktop::keybindingPressed);
    m_remoteInput = std::make_unique<QProcess>();
    m_remoteInput->start(QStringLiteral(CORVANE_REMOTE_INPUT), {});
    // The first event only makes the virtual pointer appear. The pointer starts where the other
    // runners' does, near the top-left corner and clear of it (and of the Shell's hot corner).
    if (!m_remoteInput->waitForStarted(int(kDeadline * 1000)) || !input(QStringLiteral("motion 0 0")))
        return false;
    movePointer({5, 5});
    return !::testing::Test::HasFailure();
}

// The Shell lists a window as soon as its client makes it, before mutter has placed it: mutter places
// it as it shows it, overriding any frame asked for until then, and gives it the focus.
AxElement GnomeContractDesktop::openWindow(ClientSizing sizing) {
    const AxElement window = m_clients.open(sizing);
    const QString isShown = QStringLiteral("global.display.focus_window?.get_pid() === %1")
                                .arg(platform().accessibility.pidOfElement(window).pid);
    EXPECT_TRUE(waitUntil(kDeadline, [&] { return shellEval(isShown) == u"true"; }))
        << "mutter did not show the new window";
    return window;
}

void GnomeContractDesktop::pressKeys(const KeyChord& chord) {
    const int before = m_keybindingsPressed;
    for (int key : evdevKeysOf(chord))
        ASSERT_TRUE(input(QStringLiteral("key %1 down").arg(key)));
    m_isHeldChordFiring = m_keybindingsPressed > before;
}

void GnomeContractDesktop::repeatKeys(const KeyChord&) {
    if (m_isHeldChordFiring) {
        const int before = m_keybindingsPressed;
        EXPECT_TRUE(waitUntil(kDeadline, [&] { return m_keybindingsPressed > before; }))
            << "the held key did not repeat";
    } else {
        // Nothing tells of a repeat that fires nothing: the time one takes to come is let pass.
        waitForRepeats();
    }
}

void GnomeContractDesktop::releaseKeys(const KeyChord& chord) {
    const QList<int> keys = evdevKeysOf(chord);
    for (auto key = keys.crbegin(); key != keys.crend(); ++key)
        ASSERT_TRUE(input(QStringLiteral("key %1 up").arg(*key)));
    m_isHeldChordFiring = false;
}

// The session's one monitor lies at the origin: AX coordinates are the Shell's. Mutter moves a remote
// desktop's pointer only by steps relative to where it is, and may fall short: a few steps, each by
// what is left to go.
void GnomeContractDesktop::movePointer(QPointF point) {
    const QPoint target = point.toPoint();
    for (int step = 0; step < 5; ++step) {
        const std::optional<QPoint> at = pointer();
        ASSERT_TRUE(at) << "the Shell does not tell where the pointer is";
        if (*at == target)
            return;
        ASSERT_TRUE(
            input(QStringLiteral("motion %1 %2").arg(target.x() - at->x()).arg(target.y() - at->y())));
    }
    ADD_FAILURE() << "the pointer did not reach " << target.x() << "," << target.y();
}

void GnomeContractDesktop::pressButton(quint32 button) {
    ASSERT_EQ(button, mousebutton::kLeft) << "the remote input has a left button only";
    EXPECT_TRUE(input(QStringLiteral("press")));
}

void GnomeContractDesktop::releaseButton(quint32 button) {
    ASSERT_EQ(button, mousebutton::kLeft) << "the remote input has a left button only";
    EXPECT_TRUE(input(QStringLiteral("release")));
}

std::optional<std::string> GnomeContractDesktop::whyPlainPressesAreUnseen() const {
    return "GNOME Shell tells its extensions of a press of the pointer only as the start of a grab of a "
           "window: the agent sees no other press";
}

bool GnomeContractDesktop::input(const QString& command) {
    if (!waitUntil(kDeadline, [this] { return m_bridge->isIdle(); })) {
        ADD_FAILURE() << "the extension did not run the commands it was sent";
        return false;
    }
    if (shellEval(QLatin1String(kArmInputWatch)) != u"true") {
        ADD_FAILURE() << "the Shell's idle monitor could not be watched";
        return false;
    }
    m_remoteInput->write(command.toUtf8() + '\n');
    const QDeadlineTimer deadline(qint64(kDeadline * 1000));
    while (!m_remoteInput->canReadLine() && m_remoteInput->waitForReadyRead(int(deadline.remainingTime()))) {
    }
    if (m_remoteInput->readLine().trimmed() != "ok") {
        ADD_FAILURE() << "the remote input did not do \"" << command.toStdString()
                      << "\": " << m_remoteInput->readAllStandardError().toStdString();
        return false;
    }
    // Mutter answers once it has queued the event; the Shell handles it on its main thread later.
    // What the Shell reported while handling it was sent before its answer to the last look.
    if (!waitUntil(kDeadline, [this] { return shellEval(QLatin1String(kInputSeen)) == u"true"; })) {
        ADD_FAILURE() << "the Shell did not handle \"" << command.toStdString() << "\"";
        return false;
    }
    QCoreApplication::processEvents();
    return true;
}

std::optional<QString> GnomeContractDesktop::shellEval(const QString& script) {
    QDBusMessage eval =
        QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
                                       QStringLiteral("org.gnome.Shell"), QStringLiteral("Eval"));
    eval << script;
    const QDBusMessage answer =
        QDBusConnection::sessionBus().call(eval, QDBus::Block, GnomeShellBridge::kCallTimeoutMs);
    const QList<QVariant> values = answer.arguments();
    if (answer.type() != QDBusMessage::ReplyMessage || values.size() != 2 || !values[0].toBool())
        return std::nullopt;
    return values[1].toString();
}

std::optional<QPoint> GnomeContractDesktop::pointer() {
    const std::optional<QString> json = shellEval(QStringLiteral("global.get_pointer().slice(0, 2)"));
    if (!json)
        return std::nullopt;
    const QJsonArray xy = QJsonDocument::fromJson(json->toUtf8()).array();
    if (xy.size() != 2)
        return std::nullopt;
    return QPoint(xy[0].toInt(), xy[1].toInt());
}

bool GnomeContractDesktop::waitUntil(double seconds, const std::function<bool()>& condition) {
    return waitInEventLoop(seconds, condition);
}

} // namespace corvane
