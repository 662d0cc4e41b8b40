#pragma once
// The name a choice made for one monitor is kept under, so the monitor finds it again after it was
// unplugged or the monitors were rearranged: its connector and model where the desktop reports them,
// else its place among the monitors (the first, the second...). DragSnapSettings keeps its layouts
// by it.

#include "platform/Screens.h"

#include <QList>
#include <QString>

namespace corvane {

class MonitorKey {
public:
    // The key of a screen among the screens there are now; by its place, when it reports no connector.
    // A screen that is not among them has the place after the last.
    static QString of(const Screen& screen, const QList<Screen>& screens);
};

} // namespace corvane
