#include "KWinContractDesktop.h"

#include "contract/EventLoopWait.h"
#include "contract/wayland/EvdevKeys.h"
#include "platform/kwin/KGlobalAccel.h"
#include "platform/kwin/KGlobalAccelShortcuts.h"
#include "platform/kwin/KWinScriptLoader.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

namespace corvane {

namespace {

// Where the agent script reports: the program's name on the bus, which this test program takes.
constexpr auto kCorvaneService = "app.corvane.Corvane";

QString componentPath() {
    return QStringLiteral("/component/") + KGlobalAccelShortcuts::component;
}

// kglobalaccel as a new session has it: no action of Corvane's (one an earlier case left would keep
// its chord from the next case's action) and no shortcut blocked.
bool resetShortcuts(const QDBusConnection& bus) {
    if (!KGlobalAccel(bus).blockGlobalShortcuts(false))
        return false;
    const QDBusMessage names =
        bus.call(QDBusMessage::createMethodCall(KGlobalAccel::service, componentPath(),
                                                QStringLiteral("org.kde.kglobalaccel.Component"),
                                                QStringLiteral("shortcutNames")),
                 QDBus::Block, KGlobalAccel::callTimeoutMs);
    // Before the first case kglobalaccel knows no such component: an error, and nothing to forget.
    for (const QString& action : names.arguments().value(0).toStringList()) {
        QDBusMessage forget = QDBusMessage::createMethodCall(
            KGlobalAccel::service, QStringLiteral("/kglobalaccel"), QStringLiteral("org.kde.KGlobalAccel"),
            QStringLiteral("unregister"));
        forget << KGlobalAccelShortcuts::component << action;
        if (bus.call(forget, QDBus::Block, KGlobalAccel::callTimeoutMs).type() != QDBusMessage::ReplyMessage)
            return false;
    }
    return true;
}

} // namespace

std::unique_ptr<ContractDesktop> makeContractDesktop() {
    return KWinContractDesktop::create();
}

std::unique_ptr<KWinContractDesktop> KWinContractDesktop::create() {
    std::unique_ptr<KWinContractDesktop> desk(new KWinContractDesktop);
    if (!desk->start())
        return nullptr;
    return desk;
}

KWinContractDesktop::~KWinContractDesktop() {
    if (m_fakePointer) {
        m_fakePointer->closeWriteChannel();
        m_fakePointer->waitForFinished();
    }
    // The agent is unloaded while its name is still ours.
    m_backend.reset();
    QDBusConnection::sessionBus().unregisterService(QLatin1String(kCorvaneService));
}

bool KWinContractDesktop::start() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerService(QLatin1String(kCorvaneService)) || !resetShortcuts(bus))
        return false;
    m_backend = KWinBackend::create();
    if (!m_backend)
        return false;
    m_agent = qobject_cast<KWinAgent*>(bus.objectRegisteredAt(QLatin1String(KWinAgent::objectPath)));
    // A repeat comes as a press of its own before Plasma 6.5's kglobalaccel, as a repeat from it on.
    for (const char* fired : {"globalShortcutPressed", "globalShortcutRepeated"})
        bus.connect(KGlobalAccel::service, componentPath(), QStringLiteral("org.kde.kglobalaccel.Component"),
                    QLatin1String(fired), this, SLOT(shortcutFired()));
    m_fakePointer = std::make_unique<QProcess>();
    m_fakePointer->start(QStringLiteral(CORVANE_FAKE_POINTER), {});
    // The pointer starts where the other runners' does, near the top-left corner and clear of it.
    return m_agent && m_fakePointer->waitForStarted(int(kDeadline * 1000)) &&
           fakeInput(QStringLiteral("move 5 5"));
}

AxElement KWinContractDesktop::openWindow(ClientSizing sizing) {
    return m_clients.open(sizing);
}

void KWinContractDesktop::closeWindow(AxElement window) {
    m_clients.close(window);
}

void KWinContractDesktop::pressKeys(const KeyChord& chord) {
    const int before = m_shortcutsFired;
    for (int key : evdevKeysOf(chord))
        ASSERT_TRUE(fakeInput(QStringLiteral("key %1 down").arg(key)));
    ASSERT_TRUE(syncWithKWin()) << "KWin does not answer";
    m_isHeldChordFiring = m_shortcutsFired > before;
}

void KWinContractDesktop::repeatKeys(const KeyChord&) {
    if (m_isHeldChordFiring) {
        const int before = m_shortcutsFired;
        EXPECT_TRUE(waitUntil(kDeadline, [&] { return m_shortcutsFired > before; }))
            << "the held key did not repeat";
    } else {
        // Nothing tells of a repeat that fires nothing: the time one takes to come is let pass.
        waitForRepeats();
    }
    EXPECT_TRUE(syncWithKWin()) << "KWin does not answer";
}

void KWinContractDesktop::releaseKeys(const KeyChord& chord) {
    const QList<int> keys = evdevKeysOf(chord);
    for (auto key = keys.crbegin(); key != keys.crend(); ++key)
        ASSERT_TRUE(fakeInput(QStringLiteral("key %1 up").arg(*key)));
    m_isHeldChordFiring = false;
    EXPECT_TRUE(syncWithKWin()) << "KWin does not answer";
}

// The session's one output lies at the origin: AX coordinates are KWin's.
void KWinContractDesktop::movePointer(QPointF point) {
    EXPECT_TRUE(fakeInput(QStringLiteral("move %1 %2").arg(point.x()).arg(point.y())));
}

void KWinContractDesktop::pressButton(quint32 button) {
    ASSERT_EQ(button, mousebutton::kLeft) << "the fake pointer has a left button only";
    EXPECT_TRUE(fakeInput(QStringLiteral("press")));
}

void KWinContractDesktop::releaseButton(quint32 button) {
    ASSERT_EQ(button, mousebutton::kLeft) << "the fake pointer has a left button only";
    EXPECT_TRUE(fakeInput(QStringLiteral("release")));
}

std::optional<std::string> KWinContractDesktop::whyPlainPressesAreUnseen() const {
    return "KWin tells its scripts of a press of the pointer only as the start of a user's move of a "
           "window: the agent sees no other press";
}

bool KWinContractDesktop::fakeInput(const QString& command) {
    if (!waitUntil(kDeadline, [this] { return m_agent->isIdle(); })) {
        ADD_FAILURE() << "the agent did not run the commands it was sent";
        return false;
    }
    m_fakePointer->write(command.toUtf8() + '\n');
    const QDeadlineTimer deadline(qint64(kDeadline * 1000));
    while (!m_fakePointer->canReadLine() && m_fakePointer->waitForReadyRead(int(deadline.remainingTime()))) {
    }
    if (m_fakePointer->readLine().trimmed() == "ok")
        return true;
    ADD_FAILURE() << "the fake pointer did not do \"" << command.toStdString()
                  << "\": " << m_fakePointer->readAllStandardError().toStdString();
    return false;
}

bool KWinContractDesktop::syncWithKWin() {
    const bool isAnswered = KWinScriptLoader(QDBusConnection::sessionBus(), {}).isLoaded().has_value();
    QCoreApplication::processEvents();
    return isAnswered;
}

bool KWinContractDesktop::waitUntil(double seconds, const std::function<bool()>& condition) {
    return waitInEventLoop(seconds, condition);
}

} // namespace corvane
