#pragma once
// The thread that writes windows' frames on X11 (X11WindowFrames): it runs the work in the order it
// was queued, at the highest priority, with an X connection of its own, so the main connection stays
// the main thread's alone. Its connection, screens and windows are made, used and destroyed on that
// thread, whose event loop hands on their events; the work reaches them through `windows()` there.

#include <QThread>
#include <functional>
#include <memory>

namespace corvane {

class X11Windows;

class X11Writer final {
public:
    X11Writer();
    // Stops.
    ~X11Writer();

    // False when the display could not be reached a second time: no work can write then.
    bool isConnected() const { return m_parts != nullptr; }
    void async(std::function<void()> work);
    // Runs the work queued so far, then ends the thread. Once only; later work is dropped.
    void stop();

    bool isCurrentThread() const { return QThread::currentThread() == &m_thread; }
    // The writer's view of the windows, on its thread alone.
    X11Windows& windows();

private:
    struct Parts;
    QThread m_thread;
    QObject* m_context; // lives on the thread: queued work runs there in its name
    std::unique_ptr<Parts> m_parts;
};

} // namespace corvane
