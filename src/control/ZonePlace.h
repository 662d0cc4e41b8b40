#pragma once
// Where a placement put a window when it put it in a zone: the zone as a fraction of a screen's visible
// frame (origin top-left, y down), the screen, and the layout where the placement named one. The
// frame writes carry it; ZoneMemory keeps it per window.

#include <QRectF>
#include <QString>

namespace corvane {

struct ZonePlace {
    QString layout; // empty where the placement named none (a palette cell, a thumbnail's zone)
    QRectF fraction;
    quint64 screenId = 0;
    QString screenName;

    friend bool operator==(const ZonePlace&, const ZonePlace&) = default;
};

} // namespace corvane
