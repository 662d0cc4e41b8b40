#include "Log.h"

namespace corvane {

// Debug lines are off unless QT_LOGGING_RULES turns them on; the rest are on.
Q_LOGGING_CATEGORY(lcGeneral, "app.corvane.general", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDragSnap, "app.corvane.dragsnap", QtInfoMsg)
Q_LOGGING_CATEGORY(lcQuickSnap, "app.corvane.zoompalette", QtInfoMsg)

} // namespace corvane
