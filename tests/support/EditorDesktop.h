#pragma once
// The simulated desktop most feature tests start from: one 1440 x 900 screen with a 25-point menu
// bar, and an editor's window at AX (100, 100, 800, 600).

#include "platform/sim/SimDesktop.h"

namespace corvane {

struct EditorDesktop {
    SimDesktop desk;
    Platform platform = desk.platform();
    Screen screen = desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
    qint32 editor = desk.addApplication("Editor");
    SimWindowId window = desk.addWindow(editor, QRectF(100, 100, 800, 600));
};

} // namespace corvane
