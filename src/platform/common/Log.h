#pragma once
// The log categories: "general", "dragsnap" and "zoompalette", each as app.corvane.<category>.

#include <QLoggingCategory>

namespace corvane {

Q_DECLARE_LOGGING_CATEGORY(lcGeneral)
Q_DECLARE_LOGGING_CATEGORY(lcDragSnap)
Q_DECLARE_LOGGING_CATEGORY(lcQuickSnap)

} // namespace corvane
