#pragma once
// Whether Corvane starts with the session, through the platform's login item. Switching it announces
// the status even when the switch failed, so a control showing it reads it back.

#include "platform/LoginItem.h"

#include <QObject>

namespace corvane {

class LaunchAtLogin : public QObject {
    Q_OBJECT
public:
    explicit LaunchAtLogin(LoginItem& loginItem, QObject* parent = nullptr);

    // Off while the registration waits for the user's approval.
    bool isOn() const;
    void setOn(bool isOn);

signals:
    void changed();

private:
    LoginItem& m_loginItem;
};

} // namespace corvane
