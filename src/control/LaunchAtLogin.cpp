#include "LaunchAtLogin.h"

#include "platform/common/Log.h"

namespace corvane {

LaunchAtLogin::LaunchAtLogin(LoginItem& loginItem, QObject* parent)
    : QObject(parent)
    , m_loginItem(loginItem) {}

bool LaunchAtLogin::isOn() const {
    return m_loginItem.status() == LoginItemStatus::Enabled;
}

void LaunchAtLogin::setOn(bool isOn) {
    const LoginItemResult result = isOn ? m_loginItem.registerItem() : m_loginItem.unregisterItem();
    if (!result.succeeded) {
        qCCritical(lcGeneral, "Launch at login %s failed: %s", isOn ? "register" : "unregister",
                   qUtf8Printable(result.errorDescription));
    }
    emit changed();
}

} // namespace corvane
