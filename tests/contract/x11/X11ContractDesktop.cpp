#include "X11ContractDesktop.h"

#include "contract/EventLoopWait.h"
#include "platform/WindowServer.h"

#include <QDeadlineTimer>
#include <gtest/gtest.h>
#include <xcb/xtest.h>

namespace corvane {

namespace {

// The keysyms pressed (X11/keysymdef.h).
constexpr quint32 kShiftL = 0xffe1, kControlL = 0xffe3, kAltL = 0xffe9, kSuperL = 0xffeb;
constexpr quint32 kDigit0 = 0x30, kKeypad0 = 0xffb0, kLeft = 0xff51, kUp = 0xff52, kRight = 0xff53,
                  kDown = 0xff54;

constexpr EventMask kPointerMask = maskOf(EventType::LeftMouseDown) | maskOf(EventType::LeftMouseUp) |
                                   maskOf(EventType::RightMouseDown) | maskOf(EventType::RightMouseUp) |
                                   maskOf(EventType::MouseMoved) | maskOf(EventType::LeftMouseDragged);

// Input sent before the desktop has selected its kind of event is lost, as a real user's would be: a
// probe is sent again until it is seen.
constexpr double kProbeInterval = 0.1;

} // namespace

std::unique_ptr<ContractDesktop> makeContractDesktop() {
    return X11ContractDesktop::create();
}

std::unique_ptr<X11ContractDesktop> X11ContractDesktop::create() {
    std::unique_ptr<X11ContractDesktop> desk(new X11ContractDesktop);
    if (!desk->start())
        return nullptr;
    return desk;
}

X11ContractDesktop::~X11ContractDesktop() {
    for (auto& [handle, client] : m_clients) {
        client.process->kill();
        client.process->waitForFinished();
    }
}

bool X11ContractDesktop::start() {
    m_connection = X11Connection::open();
    m_backend = X11Backend::create();
    if (!m_connection || !m_backend)
        return false;
    xcb_connection_t* c = m_connection->xcb();
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(c, &xcb_test_id);
    const xcb_setup_t* setup = xcb_get_setup(c);
    const auto mapping = m_connection->await<xcb_get_keyboard_mapping_reply_t>(
        xcb_get_keyboard_mapping(c, setup->min_keycode, quint8(setup->max_keycode - setup->min_keycode + 1)));
    if (!xtest || !xtest->present || !mapping)
        return false;
    m_minKeycode = setup->min_keycode;
    m_keysymsPerKeycode = mapping->keysyms_per_keycode;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    m_keysyms = QList<quint32>(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(mapping.get()));

    // Ours are the first monitors: the cases' own come and go without changing what the desktop
    // selects, so each sees all the input made once it is in place, as a user's monitor would.
    Events& events = platform().events;
    events.addGlobalMonitor(maskOf(EventType::KeyDown), [this](const Event&) { ++m_keyDowns; });
    events.addGlobalMonitor(kPointerMask, [this](const Event&) { ++m_pointerEvents; });
    if (!syncKeys())
        return false;
    const int before = m_pointerEvents;
    const QDeadlineTimer deadline(qint64(kDeadline * 1000));
    // Motion with no button held comes only where the core asked for it: everywhere, while probing.
    events.setMotionRegions({QRectF(-32768, -32768, 65536, 65536)});
    bool isSeen = false;
    for (int x = 5; !isSeen && !deadline.hasExpired(); x = 11 - x) {
        movePointer(QPointF(x, 5));
        isSeen = waitUntil(kProbeInterval, [&] { return m_pointerEvents > before; });
    }
    events.setMotionRegions({});
    return isSeen;
}

AxElement X11ContractDesktop::openWindow(ClientSizing sizing) {
    static int opened = 0;
    const QString title = QStringLiteral("contract %1").arg(++opened);
    const int corner = 100 + 40 * int(m_clients.size());
    auto process = std::make_unique<QProcess>();
    if (sizing == ClientSizing::Stepped)
        process->start(
            QStringLiteral("xterm"),
            {"-T", title, "-geometry", QStringLiteral("80x24+%1+%1").arg(corner), "-e", "sleep", "600"});
    else
        process->start(QStringLiteral(CORVANE_TYPED_WINDOW),
                       {"NORMAL", title, QString::number(corner), QString::number(corner), "640", "400"});
    if (!process->waitForStarted(int(kDeadline * 1000))) {
        ADD_FAILURE() << "the client did not start: " << process->errorString().toStdString();
        return {};
    }
    // Listed by the desktop, and the element found where the list says it is, as the core finds it.
    const qint64 pid = process->processId();
    Accessibility& ax = platform().accessibility;
    Client client{std::move(process), 0};
    AxElement element;
    const bool isFound = waitUntil(kDeadline, [&] {
        const QVariantList list =
            platform()
                .windowServer.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0)
                .toList();
        for (const QVariant& entry : list) {
            const QVariantMap window = entry.toMap();
            if (window.value(windowinfo::kOwnerPid).toLongLong() != pid)
                continue;
            const QVariantMap bounds = window.value(windowinfo::kBounds).toMap();
            const QPointF center =
                QRectF(bounds.value(windowinfo::kX).toDouble(), bounds.value(windowinfo::kY).toDouble(),
                       bounds.value(windowinfo::kWidth).toDouble(),
                       bounds.value(windowinfo::kHeight).toDouble())
                    .center();
            const ElementHit hit =
                ax.elementAtPosition(ax.systemWideElement(), float(center.x()), float(center.y()));
            if (hit.error != AxError::Success || ax.pidOfElement(hit.element).pid != pid)
                return false;
            element = hit.element;
            client.window = window.value(windowinfo::kNumber).toUInt();
            return true;
        }
        return false;
    });
    if (!isFound) {
        ADD_FAILURE() << "the window of " << title.toStdString() << " was not listed";
        return {};
    }
    m_clients.emplace(element.handle, std::move(client));
    return element;
}

// The server destroys the client's windows as it processes the request.
void X11ContractDesktop::closeWindow(AxElement window) {
    auto node = m_clients.extract(window.handle);
    ASSERT_FALSE(node.empty()) << "not a window of this desktop";
    const Client& client = node.mapped();
    xcb_kill_client(m_connection->xcb(), client.window);
    sync();
    client.process->waitForFinished(int(kDeadline * 1000));
}

void X11ContractDesktop::pressKeys(const KeyChord& chord) {
    const QList<xcb_keycode_t> keys = keycodesOf(chord);
    ASSERT_FALSE(keys.isEmpty()) << "a key of the chord is not on the keyboard";
    const int before = m_keyDowns;
    for (xcb_keycode_t key : keys)
        fakeInput(XCB_KEY_PRESS, key);
    EXPECT_TRUE(waitUntil(kDeadline, [&] { return m_keyDowns >= before + keys.size(); }))
        << "the desktop did not see the keys go down";
}

void X11ContractDesktop::repeatKeys(const KeyChord&) {
    const int before = m_keyDowns;
    EXPECT_TRUE(waitUntil(kDeadline, [&] { return m_keyDowns > before; })) << "the held key did not repeat";
}

void X11ContractDesktop::releaseKeys(const KeyChord& chord) {
    const QList<xcb_keycode_t> keys = keycodesOf(chord);
    for (auto key = keys.crbegin(); key != keys.crend(); ++key)
        fakeInput(XCB_KEY_RELEASE, *key);
    EXPECT_TRUE(syncKeys()) << "the desktop stopped reading keys";
}

bool X11ContractDesktop::syncKeys() {
    const xcb_keycode_t shift = keycodeOf(kShiftL);
    const int before = m_keyDowns;
    const QDeadlineTimer deadline(qint64(kDeadline * 1000));
    while (shift && !deadline.hasExpired()) {
        fakeInput(XCB_KEY_PRESS, shift);
        fakeInput(XCB_KEY_RELEASE, shift);
        if (waitUntil(kProbeInterval, [&] { return m_keyDowns > before; }))
            return true;
    }
    return false;
}

QList<xcb_keycode_t> X11ContractDesktop::keycodesOf(const KeyChord& chord) const {
    QList<quint32> keysyms;
    const std::pair<quint64, quint32> modifiers[] = {{modifier::kControl, kControlL},
                                                     {modifier::kOption, kAltL},
                                                     {modifier::kShift, kShiftL},
                                                     {modifier::kCommand, kSuperL}};
    for (const auto& [flag, keysym] : modifiers) {
        if (chord.modifierFlags & flag)
            keysyms.append(keysym);
    }
    const quint32 keys[] = {
        kDigit0 + quint32(chord.digit), kKeypad0 + quint32(chord.digit), kLeft, kRight, kUp, kDown};
    keysyms.append(keys[int(chord.key)]);
    QList<xcb_keycode_t> keycodes;
    for (quint32 keysym : keysyms) {
        const xcb_keycode_t keycode = keycodeOf(keysym);
        if (!keycode)
            return {};
        keycodes.append(keycode);
    }
    return keycodes;
}

xcb_keycode_t X11ContractDesktop::keycodeOf(quint32 keysym) const {
    const qsizetype at = m_keysyms.indexOf(keysym);
    return at < 0 ? 0 : xcb_keycode_t(m_minKeycode + at / m_keysymsPerKeycode);
}

void X11ContractDesktop::movePointer(QPointF point) {
    fakeInput(XCB_MOTION_NOTIFY, 0, point.toPoint());
}

void X11ContractDesktop::pressButton(quint32 button) {
    fakeInput(XCB_BUTTON_PRESS, button == mousebutton::kLeft ? 1 : 3);
}

void X11ContractDesktop::releaseButton(quint32 button) {
    fakeInput(XCB_BUTTON_RELEASE, button == mousebutton::kLeft ? 1 : 3);
}

void X11ContractDesktop::fakeInput(quint8 type, quint8 detail, QPoint at) {
    xcb_test_fake_input(m_connection->xcb(), type, detail, XCB_CURRENT_TIME, m_connection->root(),
                        qint16(at.x()), qint16(at.y()), 0);
    sync();
}

void X11ContractDesktop::sync() {
    m_connection->await<xcb_get_input_focus_reply_t>(xcb_get_input_focus(m_connection->xcb()));
}

bool X11ContractDesktop::waitUntil(double seconds, const std::function<bool()>& condition) {
    return waitInEventLoop(seconds, condition);
}

} // namespace corvane
