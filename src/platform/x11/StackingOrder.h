#pragma once
// The stacking order of client windows as the X server has it, which a window manager's
// _NET_CLIENT_LIST_STACKING does not always follow (some never update it when a window is raised).
// Pure, so it is tested without a display; X11Windows reads the tree.

#include <QHash>
#include <QList>
#include <QtGlobal>

namespace corvane {

// The clients front to back, ordered by where the root's child holding each (its frame, or the
// client itself) stands among the root's children. `rootChildren` and `listed` are bottom to top,
// as the server and the window manager give them; `topLevelOf` maps a client to the root's child
// holding it. Clients whose frame is not among the root's children keep the window manager's
// order, behind the others.
QList<quint32> stackingFrontToBack(const QList<quint32>& rootChildren, const QList<quint32>& listed,
                                   const QHash<quint32, quint32>& topLevelOf);

} // namespace corvane
