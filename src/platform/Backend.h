#pragma once
// A desktop Corvane can drive: it builds the platform, says what that desktop lets Corvane do, and
// reports when the desktop is lost (the X server gone, the compositor's agent gone for good).

#include "platform/Platform.h"

#include <QObject>
#include <QString>

namespace corvane {

class Backend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // As the --backend option names it.
    virtual QString name() const = 0;
    virtual Platform platform() = 0;
    // What the user is told when the desktop is lost, on the way out.
    virtual QString lostMessage() const = 0;

signals:
    // The desktop is gone: Corvane says lostMessage() and quits.
    void lost();
};

} // namespace corvane
