#include "X11Writer.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Screens.h"
#include "platform/x11/X11Windows.h"

namespace corvane {

struct X11Writer::Parts {
    explicit Parts(std::unique_ptr<X11Connection> opened)
        : connection(std::move(opened))
        , screens(*connection)
        , windows(*connection, screens) {}

    std::unique_ptr<X11Connection> connection;
    X11Screens screens;
    X11Windows windows;
};

X11Writer::X11Writer()
    : m_context(new QObject) {
    m_thread.setObjectName(QStringLiteral("X11 writer"));
    m_thread.start(QThread::HighestPriority);
    m_context->moveToThread(&m_thread);
    // Deleted on its thread, once the thread's loop has ended.
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            if (std::unique_ptr<X11Connection> connection = X11Connection::open())
                m_parts = std::make_unique<Parts>(std::move(connection));
        },
        Qt::BlockingQueuedConnection);
}

X11Writer::~X11Writer() {
    stop();
}

void X11Writer::async(std::function<void()> work) {
    QMetaObject::invokeMethod(m_context, std::move(work), Qt::QueuedConnection);
}

void X11Writer::stop() {
    if (!m_thread.isRunning())
        return;
    // After the work queued before it, on the thread: the parts' socket watch is the thread's.
    async([this] {
        m_parts.reset();
        m_thread.quit();
    });
    m_thread.wait();
}

X11Windows& X11Writer::windows() {
    Q_ASSERT(isCurrentThread() && m_parts);
    return m_parts->windows;
}

} // namespace corvane
