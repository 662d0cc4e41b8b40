#include "X11PointerRecorder.h"

#include <QDeadlineTimer>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/record.h>
#include <xcb/xcbext.h>
#include <xcb/xinput.h>

namespace corvane {

namespace {
// Data recorded from the server, as opposed to the start and end of the stream.
constexpr quint8 kFromServer = 0;
constexpr quint8 kStartOfData = 4;
constexpr int kEventSize = 32;

quint64 packed(QPoint p) {
    return (quint64(quint32(p.x())) << 32) | quint32(p.y());
}

QPoint unpacked(quint64 v) {
    return QPoint(qint32(quint32(v >> 32)), qint32(quint32(v)));
}

bool isScrollWheel(quint32 button) {
    return button >= 4 && button <= 7;
}
} // namespace

double eventTimestamp(quint32 serverMillis, double now) {
    const auto age = qint32(quint32(qint64(now * 1000)) - serverMillis);
    return age >= 0 && age < 1000 ? now - age / 1000.0 : now;
}

X11PointerRecorder::X11PointerRecorder(X11Connection& control, RunLoop& runLoop, Take take)
    : m_control(control)
    , m_runLoop(runLoop)
    , m_take(std::move(take)) {
    xcb_connection_t* c = control.xcb();
    const xcb_query_extension_reply_t* record = xcb_get_extension_data(c, &xcb_record_id);
    if (record && record->present) {
        const auto version = control.await<xcb_record_query_version_reply_t>(
            xcb_record_query_version(c, XCB_RECORD_MAJOR_VERSION, XCB_RECORD_MINOR_VERSION));
        m_isAvailable = version && version->major_version >= 1;
    }
}

X11PointerRecorder::~X11PointerRecorder() {
    stop();
}

bool X11PointerRecorder::record(bool buttons, bool motion, const Start& start) {
    stop();
    if (!m_isAvailable)
        return false;
    if (!buttons && !motion)
        return true;
    xcb_record_range_t range{};
    range.device_events.first = buttons ? XCB_BUTTON_PRESS : XCB_MOTION_NOTIFY;
    range.device_events.last = motion ? XCB_MOTION_NOTIFY : XCB_BUTTON_RELEASE;
    // Device events belong to no client: recording from all clients lets them through.
    const xcb_record_client_spec_t clients = XCB_RECORD_CS_ALL_CLIENTS;
    xcb_connection_t* c = m_control.xcb();
    m_context = xcb_generate_id(c);
    const XcbReply<xcb_generic_error_t> error(
        xcb_request_check(c, xcb_record_create_context_checked(c, m_context, 0, 1, 1, &clients, &range)));
    if (error) {
        m_context = 0;
        return false;
    }
    m_data = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_data)) {
        stop();
        return false;
    }
    // The server sends recorded data only along with other output: when nothing else goes out
    // after an event, it waits in the server for up to a third of a second. Raw events of the same
    // kinds, selected on a third connection, go out with each event and take the recording along.
    // That connection is never waited on (on this one the recording came in a write of its own
    // about every other event, each a wake-up); it is emptied at each read.
    m_trigger = xcb_connect(nullptr, nullptr);
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (xcb_connection_has_error(m_trigger) || m_wakeFd < 0) {
        stop();
        return false;
    }
    quint32 raw = XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    if (motion)
        raw |= XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
    struct {
        xcb_input_event_mask_t head;
        quint32 mask;
    } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, raw};
    xcb_discard_reply(m_trigger, xcb_input_xi_query_version(m_trigger, 2, 2).sequence);
    xcb_input_xi_select_events(m_trigger, xcb_setup_roots_iterator(xcb_get_setup(m_trigger)).data->root, 1,
                               &selection.head);
    xcb_flush(m_trigger);
    m_sequence = xcb_record_enable_context(m_data, m_context).sequence;
    xcb_flush(m_data);
    // What the user does once this returns is in the recording: a click right after a monitor came
    // would otherwise be lost while the server had yet to start it.
    if (!awaitStartOfData()) {
        stop();
        return false;
    }
    m_latest = packed(start.position);
    m_isStopping = false;
    m_isRecordingMotion = motion;
    Reading reading{start.deviceOrigin, start.heldButtons, {}};
    {
        const std::lock_guard lock(m_mutex);
        reading.filter.setRegions(m_regions);
        m_haveRegionsChanged = false;
    }
    m_reader = std::thread([this, reading] { run(reading); });
    return true;
}

bool X11PointerRecorder::awaitStartOfData() {
    const QDeadlineTimer deadline(qint64(X11Connection::kDefaultTimeout * 1000));
    for (;;) {
        void* raw = nullptr;
        xcb_generic_error_t* error = nullptr;
        if (xcb_poll_for_reply(m_data, m_sequence, &raw, &error)) {
            std::free(error);
            const XcbReply<xcb_record_enable_context_reply_t> reply(
                static_cast<xcb_record_enable_context_reply_t*>(raw));
            return reply && reply->category == kStartOfData;
        }
        pollfd fd{xcb_get_file_descriptor(m_data), POLLIN, 0};
        if (xcb_connection_has_error(m_data) || deadline.hasExpired() ||
            poll(&fd, 1, int(deadline.remainingTime())) == 0)
            return false;
    }
}

void X11PointerRecorder::stop() {
    ++m_generation;
    m_isRecordingMotion = false;
    if (m_reader.joinable()) {
        m_isStopping = true;
        wake();
        m_reader.join();
    }
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
        m_wakeFd = -1;
    }
    if (m_data) {
        xcb_disconnect(m_data); // the server ends the recording with its connection
        m_data = nullptr;
    }
    if (m_trigger) {
        xcb_disconnect(m_trigger);
        m_trigger = nullptr;
    }
    if (m_context) {
        xcb_record_free_context(m_control.xcb(), m_context);
        m_control.flush();
        m_context = 0;
    }
    const std::lock_guard lock(m_mutex);
    m_handedOn.clear(); // of the recording that ended: a new one starts from where the pointer is then
}

void X11PointerRecorder::setMotionRegions(const QList<QRectF>& regions) {
    const std::lock_guard lock(m_mutex);
    m_regions = regions;
    m_haveRegionsChanged = true;
}

QPoint X11PointerRecorder::latestPosition() const {
    return unpacked(m_latest);
}

void X11PointerRecorder::readNow() {
    if (m_reader.joinable())
        wake();
}

void X11PointerRecorder::wake() {
    const quint64 one = 1;
    [[maybe_unused]] const ssize_t written = write(m_wakeFd, &one, sizeof one);
}

// The reading thread. While motion streams in, the stream is read once per interval and what came
// meanwhile waits in the socket, as a bare reader of it would; a wake-up (a click, or the end) is
// answered at once. Between streams it also wakes on the trigger connection: the first event of a
// stream rings there while its recording is still held in the server.
void X11PointerRecorder::run(Reading reading) {
    bool isPacing = false;
    for (;;) {
        pollfd fds[3] = {{m_wakeFd, POLLIN, 0},
                         {xcb_get_file_descriptor(m_data), POLLIN, 0},
                         {xcb_get_file_descriptor(m_trigger), POLLIN, 0}};
        if (poll(fds, isPacing ? 1 : 3, isPacing ? int(kMotionInterval * 1000) : -1) < 0)
            continue; // a signal
        if (fds[0].revents & POLLIN) {
            quint64 count = 0;
            [[maybe_unused]] const ssize_t taken = ::read(m_wakeFd, &count, sizeof count);
            if (m_isStopping)
                return;
        }
        {
            const std::lock_guard lock(m_mutex);
            if (std::exchange(m_haveRegionsChanged, false))
                reading.filter.setRegions(m_regions);
        }
        QList<QPoint> positions;
        const std::optional<bool> hadMotion = read(reading, m_hasWaiters ? &positions : nullptr);
        if (!hadMotion)
            return; // the server went away; the main connection reports it
        // An event rang, or a stream ended, or a waiter waits, and no recording came with it: it is
        // held in the server.
        const bool rang = emptyTrigger();
        const bool isAwaited = m_hasWaiters && answerWaiters(positions);
        if (!*hadMotion && (isPacing || rang || isAwaited))
            flushRecording();
        isPacing = *hadMotion;
    }
}

std::optional<bool> X11PointerRecorder::read(Reading& reading, QList<QPoint>* positions) {
    QList<PointerSample> handedOn;
    std::optional<PointerSample> motion; // the newest not handed on
    const auto handOnMotion = [&] {
        if (motion && reading.filter.passes(motion->root, true, reading.heldButtons != 0))
            handedOn.append(*motion);
        motion.reset();
    };
    std::optional<QPoint> latest;
    bool hadMotion = false;
    void* raw = nullptr;
    xcb_generic_error_t* error = nullptr;
    // The recording answers its one request with a reply for every batch of events, for as long as it lasts.
    while (xcb_poll_for_reply(m_data, m_sequence, &raw, &error)) {
        std::free(error);
        if (!raw)
            break;
        const XcbReply<xcb_record_enable_context_reply_t> reply(
            static_cast<xcb_record_enable_context_reply_t*>(raw));
        if (reply->category != kFromServer)
            continue;
        const quint8* data = xcb_record_enable_context_data(reply.get());
        const int length = xcb_record_enable_context_data_length(reply.get());
        const double now = m_runLoop.now();
        for (int at = 0; at + kEventSize <= length; at += kEventSize) {
            // Button and motion events share their layout.
            const auto* event = reinterpret_cast<const xcb_motion_notify_event_t*>(data + at);
            PointerSample sample;
            switch (event->response_type & 0x7f) {
            case XCB_MOTION_NOTIFY:
                sample.kind = PointerSample::Kind::Motion;
                break;
            case XCB_BUTTON_PRESS:
                sample.kind = PointerSample::Kind::Press;
                break;
            case XCB_BUTTON_RELEASE:
                sample.kind = PointerSample::Kind::Release;
                break;
            default:
                continue;
            }
            sample.root = QPoint(event->root_x, event->root_y) + reading.deviceOrigin;
            sample.timestamp = eventTimestamp(event->time, now);
            latest = sample.root;
            if (positions)
                positions->append(sample.root);
            if (sample.kind == PointerSample::Kind::Motion) {
                motion = sample;
                hadMotion = true;
                continue;
            }
            // The scroll wheel's presses are no button held and wake nothing.
            if (isScrollWheel(event->detail))
                continue;
            // The motion before a button event is handed on first, so the button comes where it happened.
            handOnMotion();
            sample.button = event->detail;
            const quint32 bit = mouseButtonBit(sample.button);
            const bool isPress = sample.kind == PointerSample::Kind::Press;
            reading.heldButtons = isPress ? (reading.heldButtons | bit) : (reading.heldButtons & ~bit);
            reading.filter.passes(sample.root, false, reading.heldButtons != 0);
            handedOn.append(sample);
        }
    }
    handOnMotion();
    if (latest)
        m_latest = packed(*latest);
    if (!handedOn.isEmpty())
        handOn(handedOn);
    if (xcb_connection_has_error(m_data))
        return std::nullopt;
    return hadMotion;
}

// The server holds back the recording of an event until other output goes out after it: the last
// move before a pause, where the pointer comes to rest, would come only with the next move. A
// request answered on the trigger connection is such output; the recording follows on the data
// connection, which the reader waits on.
bool X11PointerRecorder::emptyTrigger() {
    bool rang = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_trigger)) {
        std::free(event);
        rang = true;
    }
    return rang;
}

void X11PointerRecorder::flushRecording() {
    xcb_discard_reply(m_trigger, xcb_get_input_focus(m_trigger).sequence);
    xcb_flush(m_trigger);
}

void X11PointerRecorder::whenAt(QPoint root, std::function<void()> then, double seconds) {
    const std::lock_guard lock(m_mutex);
    const quint64 id = m_nextWaiter++;
    m_waiters[id] = {root, std::move(then),
                     m_runLoop.scheduleTimer(seconds, false, [this, id] { answer(id); })};
    m_hasWaiters = true;
    if (latestPosition() == root)
        m_waiters[id].isAnswered = true;
    if (m_waiters[id].isAnswered || !m_reader.joinable()) {
        // Posted, so that what the reader has handed on but the main thread not yet taken comes first.
        QMetaObject::invokeMethod(
            &m_mainThread, [this, id] { answer(id); }, Qt::QueuedConnection);
        return;
    }
    wake();
}

bool X11PointerRecorder::answerWaiters(const QList<QPoint>& positions) {
    const std::lock_guard lock(m_mutex);
    const QPoint latest = latestPosition();
    bool isUnflushed = false;
    for (auto& [key, waiter] : m_waiters) {
        const quint64 id = key; // a lambda captures no structured binding
        if (waiter.isAnswered)
            continue;
        if (waiter.root == latest || positions.contains(waiter.root)) {
            waiter.isAnswered = true;
            QMetaObject::invokeMethod(
                &m_mainThread, [this, id] { answer(id); }, Qt::QueuedConnection);
        } else if (!std::exchange(waiter.isFlushed, true)) {
            isUnflushed = true;
        }
    }
    return isUnflushed;
}

void X11PointerRecorder::answer(quint64 waiter) {
    std::function<void()> then;
    std::unique_ptr<Timer> deadline;
    {
        const std::lock_guard lock(m_mutex);
        const auto it = m_waiters.find(waiter);
        if (it == m_waiters.end())
            return; // answered by the read or by its deadline, whichever came first
        then = std::move(it->second.then);
        deadline = std::move(it->second.deadline);
        m_waiters.erase(it);
        m_hasWaiters = !m_waiters.empty();
    }
    then();
}

void X11PointerRecorder::handOn(const QList<PointerSample>& samples) {
    const std::lock_guard lock(m_mutex);
    m_handedOn.append(samples);
    if (std::exchange(m_isTakePending, true))
        return; // the main thread has yet to take what came before
    QMetaObject::invokeMethod(
        &m_mainThread, [this] { takeHandedOn(); }, Qt::QueuedConnection);
}

void X11PointerRecorder::takeHandedOn() {
    QList<PointerSample> samples;
    {
        const std::lock_guard lock(m_mutex);
        samples.swap(m_handedOn);
        m_isTakePending = false;
    }
    const quint64 generation = m_generation;
    for (const PointerSample& sample : samples) {
        m_take(sample);
        if (m_generation != generation)
            return; // a monitor came or went meanwhile, and recording started anew
    }
}

} // namespace corvane
