#pragma once
// The desktop's own edge tiling: it tiles or maximizes a window dropped at a screen edge, the same
// edges drag to snap offers zones at. Where Corvane may turn it off (GNOME: mutter's setting), the
// drag-to-snap card offers to, and only the user's click changes it; where it may not (KDE Plasma), the
// card says where the user turns it off. Platform::edgeTiling is null where the desktop has none (X11,
// the simulated desktop).

#include <QObject>
#include <QString>

namespace corvane {

class EdgeTiling : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // As the user knows the desktop: "GNOME".
    virtual QString desktopName() const = 0;
    // Whether Corvane may turn it off, and on again.
    virtual bool mayTurnOff() const = 0;
    // Where Corvane may not turn it off it counts as on: Corvane does not read it there.
    virtual bool isOn() const = 0;
    // Asked only where mayTurnOff. The outcome, also of a change made elsewhere (the desktop's own
    // settings), arrives as isOnChanged.
    virtual void setOn(bool on) = 0;

signals:
    void isOnChanged(bool isOn);
};

} // namespace corvane
