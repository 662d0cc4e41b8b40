#pragma once
// A value read from the X server, or, without one, how the wait for it ended: the callers above
// tell a window that is gone from a server that did not answer in time.

#include "platform/x11/X11Connection.h"

#include <optional>

namespace corvane {

template <typename T> class Fetched {
public:
    Fetched(T value)
        : m_value(std::move(value)) {}
    // None: `end` says why (Replied when the server answered that there is none).
    Fetched(WaitEnd end)
        : m_end(end) {}

    WaitEnd end() const { return m_end; }
    bool hasTimedOut() const { return m_end == WaitEnd::TimedOut; }
    const std::optional<T>& value() const { return m_value; }
    explicit operator bool() const { return m_value.has_value(); }
    const T& operator*() const { return *m_value; }
    const T* operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    WaitEnd m_end = WaitEnd::Replied;
};

} // namespace corvane
