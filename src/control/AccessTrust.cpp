#include "AccessTrust.h"

#include <QPointer>

namespace corvane {

AccessTrust::AccessTrust(Platform& platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_isTrusted(platform.accessibility.isProcessTrusted()) {
    connect(&m_platform.application, &Application::didBecomeActive, this, &AccessTrust::refresh);
    // The system announces the change before the new value can be read.
    connect(&m_platform.accessibility, &Accessibility::accessibilityApiChanged, this,
            [this] { m_platform.runLoop.postAfter(0.2, this, [this] { refresh(); }); });
    startPolling();
}

void AccessTrust::refresh() {
    const bool isTrusted = m_platform.accessibility.isProcessTrusted();
    m_platform.runLoop.post(this, [this, isTrusted] { apply(isTrusted); });
}

void AccessTrust::apply(bool isTrusted) {
    if (isTrusted != m_isTrusted) {
        m_isTrusted = isTrusted;
        if (isTrusted)
            m_pollTimer.reset();
        emit isTrustedChanged(isTrusted);
    }
    startPolling();
}

void AccessTrust::startPolling() {
    if (m_isTrusted || m_pollTimer)
        return;
    m_pollTimer = m_platform.runLoop.scheduleTimer(1.0, true, [self = QPointer<AccessTrust>(this)] {
        if (self)
            self->refresh();
    });
}

void AccessTrust::request() {
    const bool hasPrompted = m_platform.defaults.boolean(kHasPromptedForAccessibilityKey).value_or(false);
    const bool isTrusted = m_platform.accessibility.isProcessTrustedWithPrompt();
    m_platform.defaults.setBool(kHasPromptedForAccessibilityKey, true);
    if (!isTrusted && hasPrompted)
        openSettings();
    refresh();
    startPolling();
}

void AccessTrust::openSettings() {
    m_platform.workspace.openUrl(QString::fromLatin1(kAccessibilitySettingsUrl));
}

bool AccessTrust::canOpenSettings() const {
    return m_platform.workspace.canOpenUrl(QString::fromLatin1(kAccessibilitySettingsUrl));
}

} // namespace corvane
