#pragma once
// The window server's list of on-screen windows, front to back, as loosely typed entries: readers
// check every key and type themselves, so a damaged or surprising entry is skipped, never trusted.
// What changes in the list is told as it happens, so a reader keeps its copy current window by window.

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace corvane {

// Keys of one window-list entry (a QVariantMap) and of its bounds (a nested QVariantMap).
namespace windowinfo {
inline constexpr auto kLayer = "layer";       // number: 0 for ordinary windows
inline constexpr auto kOwnerPid = "ownerPid"; // number: the owning process
inline constexpr auto kNumber = "number";     // number: the window number, never 0
inline constexpr auto kBounds = "bounds";     // map: the outer frame in AX coordinates
// map, like bounds: where the window's zoom button lies (the button, or the part of its title bar that
// may hold it); absent when the window has none
inline constexpr auto kZoomButtonRegion = "zoomButtonRegion";
inline constexpr auto kX = "X";
inline constexpr auto kY = "Y";
inline constexpr auto kWidth = "Width";
inline constexpr auto kHeight = "Height";

// A rectangle as bounds and button regions are given.
inline QVariantMap boundsEntry(const QRectF& r) {
    return QVariantMap{{QString::fromLatin1(kX), r.x()},
                       {QString::fromLatin1(kY), r.y()},
                       {QString::fromLatin1(kWidth), r.width()},
                       {QString::fromLatin1(kHeight), r.height()}};
}
} // namespace windowinfo

enum class WindowListOption {
    OnScreenOnlyExcludingDesktop, // every on-screen window but desktop elements, front to back
    IncludingWindow,              // just the window named by the relative window number
};

class WindowServer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A QVariantList of QVariantMap entries, or an invalid QVariant when the call fails. The
    // result is not guaranteed to be of that shape: callers check.
    virtual QVariant copyWindowList(WindowListOption option, quint32 relativeToWindow) = 0;
    // The number of the frontmost window at a point in screen coordinates, whoever owns it;
    // below 1 when there is none.
    virtual qint64 windowNumberAt(QPointF screenPoint) = 0;

signals:
    // A window joined the on-screen list (it opened, or was shown again) or left it (it closed, was
    // hidden, or went to another desktop).
    void windowAdded(quint32 number);
    void windowRemoved(quint32 number);
    // A listed window's bounds changed, or where its zoom button lies.
    void windowFrameChanged(quint32 number);
};

} // namespace corvane
