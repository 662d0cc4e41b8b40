#pragma once
// The whole platform of the real program on an X11 desktop, built in dependency order.

#include "platform/Platform.h"

#include <memory>

namespace corvane {

class X11Connection;
class X11Screens;
class X11Windows;

class X11Platform {
public:
    // None when no X display can be reached.
    static std::unique_ptr<X11Platform> create();
    ~X11Platform();

    Platform platform();
    X11Connection& connection() { return *m_connection; }

private:
    X11Platform() = default;
    struct Parts;
    std::unique_ptr<X11Connection> m_connection;
    std::unique_ptr<Parts> m_parts;
};

} // namespace corvane
