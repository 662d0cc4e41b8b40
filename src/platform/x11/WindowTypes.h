#pragma once
// What a window's _NET_WM_WINDOW_TYPE makes of it: its layer in the window list, and with that
// whether Corvane may move it. Pure, so it is tested without a display; X11Windows reads the types.

#include "platform/WindowLayers.h"

#include <QByteArray>
#include <QList>

namespace corvane {

// The layer of a window with these types (atom names, in the window's order of preference). The
// first type known here decides, as the window manager reads them; a window without a known type
// is normal (or a dialog, when transient: layer 0 either way).
int layerOfWindowTypes(const QList<QByteArray>& typeNames);
// The type names layerOfWindowTypes knows.
QList<QByteArray> knownWindowTypes();

} // namespace corvane
