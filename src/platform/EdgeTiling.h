#pragma once
// The desktop's own edge tiling, which the user may turn off: it tiles or maximizes a window dropped
// at a screen edge, the same edges drag to snap offers zones at. Corvane never changes it unasked: the
// drag-to-snap card offers to, and the user clicks. GNOME has one (mutter's setting); the other
// backends leave Platform::edgeTiling null.

#include <QObject>
#include <QString>

namespace corvane {

class EdgeTiling : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // As the user knows the desktop: "GNOME".
    virtual QString desktopName() const = 0;
    virtual bool isOn() const = 0;
    // The outcome, also of a change made elsewhere (the desktop's own settings), arrives as isOnChanged.
    virtual void setOn(bool on) = 0;

signals:
    void isOnChanged(bool isOn);
};

} // namespace corvane
