#pragma once
// The displays, in the system's order. Frames are in screen coordinates: origin at the
// bottom-left of the primary screen, y up, in the desktop's own pixels (X pixels on X11).

#include <QList>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace corvane {

struct Screen {
    quint64 id = 0; // identity: the same display keeps its id while it is connected
    QString name{};
    QRectF frame{};
    QRectF visibleFrame{}; // the frame less panels, docks and the menu bar
    // What outlives a reconnection, where the desktop reports it: the connector the display is plugged
    // into ("DP-1") and its maker and model ("DEL DELL U2720Q"). Empty where it is not known.
    QString connector{};
    QString model{};

    bool isSameScreen(const Screen& other) const { return id == other.id; }
};

class Screens {
public:
    virtual ~Screens() = default;

    virtual QList<Screen> screens() const = 0;
    // The display the user is working on; none when there are no displays.
    virtual std::optional<Screen> mainScreen() const = 0;

    // Our own windows against screen coordinates: the geometry (Qt's logical pixels, y down, as
    // QWidget::setGeometry takes it) that covers a frame, and the frame a geometry covers. Right at
    // any scale Qt applies and wherever the primary screen lies. Main thread only.
    virtual QRect windowGeometry(const QRectF& screenFrame) const = 0;
    virtual QRectF screenFrame(const QRect& windowGeometry) const = 0;
};

} // namespace corvane
