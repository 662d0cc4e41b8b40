#include "QuickSnapFace.h"

#include "ui/SnapLayoutView.h"
#include "ui/ViewStyle.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <cmath>

namespace corvane {

namespace {

// Thumbnails in rows of `columns` from (left, top).
QList<QRectF> thumbnailGrid(qsizetype count, qsizetype columns, double left, double top) {
    QList<QRectF> thumbnails;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype row = i / columns;
        const qsizetype column = i % columns;
        const double x = left + double(column) * (QuickSnapFace::columnWidth + QuickSnapFace::spacing);
        const double y = top + double(row) * (SnapLayoutView::height + QuickSnapFace::spacing);
        thumbnails.append(QRectF(x, y, QuickSnapFace::columnWidth, SnapLayoutView::height));
    }
    return thumbnails;
}

QSizeF gridSize(qsizetype count, qsizetype columns) {
    const qsizetype rows = (count + columns - 1) / columns;
    const auto span = [](qsizetype n, double item) {
        return n > 0 ? double(n) * item + double(n - 1) * QuickSnapFace::spacing : 0.0;
    };
    return {span(columns, QuickSnapFace::columnWidth), span(rows, SnapLayoutView::height)};
}

} // namespace

QuickSnapFace QuickSnapFace::palette(qsizetype count, double headerHeight) {
    const QSizeF grid = gridSize(count, columnCount);
    const double gridTop = margin + headerHeight + headerGap;
    return {QSizeF(grid.width() + 2 * margin, gridTop + grid.height() + margin),
            QRectF(margin, margin, grid.width(), headerHeight),
            thumbnailGrid(count, columnCount, margin, gridTop)};
}

QuickSnapFace QuickSnapFace::row(qsizetype count) {
    const QSizeF grid = gridSize(count, std::max<qsizetype>(count, 1));
    return {QSizeF(grid.width() + 2 * margin, grid.height() + 2 * margin), QRectF(),
            thumbnailGrid(count, std::max<qsizetype>(count, 1), margin, margin)};
}

QString QuickSnapFace::headerText() {
    return QCoreApplication::translate("QuickSnapView", "QUICK SNAP");
}

QFont QuickSnapFace::headerFont() {
    return fontFor(TextStyle::SectionTitle);
}

double QuickSnapFace::headerHeight() {
    return std::ceil(QFontMetricsF(headerFont()).height());
}

QRectF faceZoneRect(const QuickSnapFace& face, const QList<SnapLayout>& layouts, ZoneSpacing spacing,
                    FaceZone zone) {
    const QRectF& thumbnail = face.thumbnails[zone.thumbnail];
    return SnapLayoutView::zoneRect(layouts[zone.thumbnail].zones[zone.zone].rect, thumbnail.size(), spacing)
        .translated(thumbnail.topLeft());
}

std::optional<FaceZone> faceZoneAt(const QuickSnapFace& face, const QList<SnapLayout>& layouts,
                                   ZoneSpacing spacing, QPointF point) {
    const qsizetype count = std::min(face.thumbnails.size(), layouts.size());
    for (qsizetype t = 0; t < count; ++t) {
        if (!face.thumbnails[t].contains(point))
            continue;
        for (qsizetype z = 0; z < layouts[t].zones.size(); ++z) {
            if (faceZoneRect(face, layouts, spacing, {t, z}).contains(point))
                return FaceZone{t, z};
        }
        return std::nullopt;
    }
    return std::nullopt;
}

QColor paletteFaceColor(const QPalette& palette, bool isTranslucent) {
    QColor face = palette.color(QPalette::Window);
    face.setAlphaF(isTranslucent ? 0.96f : 1.0f);
    return face;
}

QColor paletteEdgeColor(const QPalette& palette) {
    QColor edge = palette.color(QPalette::WindowText);
    edge.setAlphaF(0.15f);
    return edge;
}

} // namespace corvane
