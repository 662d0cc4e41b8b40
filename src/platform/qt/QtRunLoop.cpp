#include "QtRunLoop.h"

#include <QThread>
#include <QTimer>
#include <cmath>

namespace corvane {

namespace {

int milliseconds(double seconds) {
    if (!(seconds > 0))
        return 0;
    return int(std::min(std::ceil(seconds * 1000.0), double(std::numeric_limits<int>::max())));
}

// Destroying the handle stops the timer; the QTimer itself is deleted on a later turn, so a
// handle may be dropped from inside the timer's own callback.
class QtTimer final : public Timer {
public:
    QtTimer(QObject* context, double interval, bool repeats, std::function<void()> fire)
        : m_timer(new QTimer) {
        m_timer->setTimerType(Qt::PreciseTimer);
        m_timer->setSingleShot(!repeats);
        m_timer->setInterval(milliseconds(interval));
        QObject::connect(m_timer, &QTimer::timeout, context, std::move(fire));
        m_timer->start();
    }
    ~QtTimer() override {
        invalidate();
        m_timer->deleteLater();
    }
    void invalidate() override {
        m_timer->stop();
        m_timer->disconnect();
    }
    bool isValid() const override { return m_timer->isActive(); }

private:
    QTimer* m_timer;
};

} // namespace

QtRunLoop::QtRunLoop() = default;

QtRunLoop::~QtRunLoop() = default;

double QtRunLoop::now() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtRunLoop::post(std::function<void()> block) {
    QMetaObject::invokeMethod(&m_mainThreadContext, std::move(block), Qt::QueuedConnection);
}

void QtRunLoop::postAfter(double seconds, std::function<void()> block) {
    // QTimer::singleShot needs an event loop in the calling thread: hop to the main thread first.
    post([this, ms = milliseconds(seconds), b = std::move(block)]() mutable {
        QTimer::singleShot(ms, Qt::PreciseTimer, &m_mainThreadContext, std::move(b));
    });
}

std::unique_ptr<Timer> QtRunLoop::scheduleTimer(double interval, bool repeats, std::function<void()> fire) {
    return std::make_unique<QtTimer>(&m_mainThreadContext, interval, repeats, std::move(fire));
}

} // namespace corvane
