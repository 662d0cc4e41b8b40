#pragma once
// The palette's face, worked out once for both ways it is shown: Corvane's own window places its widgets
// by it (QuickSnapView) and the palette the desktop's agent draws is drawn and hit-tested by it
// (DrawnQuickSnap). Coordinates are the palette's own: from its top-left, y down. The colours are the
// ones the widgets paint with.

#include "model/SnapLayout.h"
#include "model/ZoneSpacing.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPalette>
#include <QRectF>
#include <optional>

namespace corvane {

struct QuickSnapFace {
    QSizeF size;
    QRectF header; // empty in the row, which has none
    QList<QRectF> thumbnails;

    static constexpr int columnCount = 4;
    static constexpr double columnWidth = 80;
    static constexpr double spacing = 10;
    static constexpr double margin = 12;
    static constexpr double headerGap = 8;
    static constexpr double cornerRadius = 10;

    // The palette: the header over `count` thumbnails, four to a row.
    static QuickSnapFace palette(qsizetype count, double headerHeight);
    // The row a dragged window is dropped on: the thumbnails side by side, no header.
    static QuickSnapFace row(qsizetype count);
    // The header's text and font, and the height it takes.
    static QString headerText();
    static QFont headerFont();
    static double headerHeight();
};

// A zone of one of the thumbnails.
struct FaceZone {
    qsizetype thumbnail = -1;
    qsizetype zone = -1;

    friend bool operator==(const FaceZone&, const FaceZone&) = default;
};

// The zone whose shape (as the thumbnails draw it, with the screen's spacing) holds the point; none over
// the gaps, the header or the margins. `layouts` are the thumbnails' layouts, in order.
std::optional<FaceZone> faceZoneAt(const QuickSnapFace& face, const QList<SnapLayout>& layouts,
                                   ZoneSpacing spacing, QPointF point);
// Where a zone's shape lies on the face.
QRectF faceZoneRect(const QuickSnapFace& face, const QList<SnapLayout>& layouts, ZoneSpacing spacing,
                    FaceZone zone);

// The face behind the thumbnails and its edge, as the palette's window paints them.
QColor paletteFaceColor(const QPalette& palette, bool isTranslucent);
QColor paletteEdgeColor(const QPalette& palette);

} // namespace corvane
