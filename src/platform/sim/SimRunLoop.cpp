#include "SimRunLoop.h"

#include <algorithm>

namespace corvane {

struct SimRunLoop::Entry {
    double due = 0;
    quint64 sequence = 0;
    double interval = 0;
    bool repeats = false;
    bool isTimer = false;
    bool isValid = true;
    std::function<void()> block;
};

class SimRunLoop::SimTimer final : public Timer {
public:
    explicit SimTimer(std::shared_ptr<Entry> entry)
        : m_entry(std::move(entry)) {}
    ~SimTimer() override { invalidate(); }
    void invalidate() override { m_entry->isValid = false; }
    bool isValid() const override { return m_entry->isValid; }

private:
    std::shared_ptr<Entry> m_entry;
};

SimRunLoop::SimRunLoop(double startTime)
    : m_now(startTime) {}

SimRunLoop::~SimRunLoop() = default;

void SimRunLoop::schedule(double due, std::shared_ptr<Entry> entry) {
    entry->due = due;
    entry->sequence = m_sequence++;
    m_entries.append(std::move(entry));
}

void SimRunLoop::post(std::function<void()> block) {
    postAfter(0, std::move(block));
}

void SimRunLoop::postAfter(double seconds, std::function<void()> block) {
    auto entry = std::make_shared<Entry>();
    entry->block = std::move(block);
    schedule(m_now + std::max(seconds, 0.0), std::move(entry));
}

std::unique_ptr<Timer> SimRunLoop::scheduleTimer(double interval, bool repeats, std::function<void()> fire) {
    auto entry = std::make_shared<Entry>();
    entry->interval = std::max(interval, 0.0);
    entry->repeats = repeats;
    entry->isTimer = true;
    entry->block = std::move(fire);
    schedule(m_now + entry->interval, entry);
    return std::make_unique<SimTimer>(std::move(entry));
}

void SimRunLoop::advance(double seconds) {
    const double target = m_now + std::max(seconds, 0.0);
    for (;;) {
        m_entries.removeIf([](const std::shared_ptr<Entry>& e) { return !e->isValid; });
        auto next = std::min_element(m_entries.begin(), m_entries.end(), [](const auto& a, const auto& b) {
            return a->due != b->due ? a->due < b->due : a->sequence < b->sequence;
        });
        if (next == m_entries.end() || (*next)->due > target)
            break;
        std::shared_ptr<Entry> entry = *next;
        m_entries.erase(next);
        m_now = std::max(m_now, entry->due);
        if (entry->repeats) {
            schedule(entry->due + std::max(entry->interval, 1e-6), entry);
        } else {
            entry->isValid = false; // a fired one-shot timer reads as invalid, even inside its callback
        }
        // A copy: the callback may destroy the timer that holds it.
        const std::function<void()> block = entry->block;
        block();
    }
    m_now = target;
}

int SimRunLoop::activeTimerCount() const {
    return int(std::count_if(m_entries.begin(), m_entries.end(),
                             [](const auto& e) { return e->isTimer && e->isValid; }));
}

int SimRunLoop::pendingBlockCount() const {
    return int(std::count_if(m_entries.begin(), m_entries.end(),
                             [](const auto& e) { return !e->isTimer && e->isValid; }));
}

} // namespace corvane
