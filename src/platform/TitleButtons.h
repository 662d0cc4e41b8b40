#pragma once
// The buttons a window manager draws on a title bar, in its own order; read on X11 from each window
// manager's configuration (platform/x11/ButtonLayout), shown in the settings as a small picture.

#include <QList>

namespace corvane {

enum class TitleButton { Close, Minimize, Maximize, Other };

struct ButtonLayout {
    QList<TitleButton> left;  // from the left edge inwards
    QList<TitleButton> right; // from the right edge inwards
    friend bool operator==(const ButtonLayout&, const ButtonLayout&) = default;
};

} // namespace corvane
