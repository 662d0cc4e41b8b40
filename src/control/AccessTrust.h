#pragma once
// Whether Corvane may act on other applications' windows (accessibility access), followed by every
// path it can change on: the system's notice, Corvane becoming active, and a poll each second while
// it is missing. Asking for it prompts the first time and opens the settings page after that.

#include "platform/Platform.h"

#include <QObject>
#include <memory>

namespace corvane {

inline constexpr auto kHasPromptedForAccessibilityKey = "hasPromptedForAccessibility";

class AccessTrust : public QObject {
    Q_OBJECT
public:
    explicit AccessTrust(Platform& platform, QObject* parent = nullptr);

    bool isTrusted() const { return m_isTrusted; }
    bool hasPollTimer() const { return m_pollTimer != nullptr; }

    void request();
    void openSettings();
    // Whether there is anything for openSettings() to open (a copy run from its build folder has no
    // installed help).
    bool canOpenSettings() const;
    // Reads the trust now and publishes a change on the main queue.
    void refresh();

signals:
    void isTrustedChanged(bool isTrusted);

private:
    void apply(bool isTrusted);
    void startPolling();

    Platform& m_platform;
    bool m_isTrusted = false;
    std::unique_ptr<Timer> m_pollTimer;
};

} // namespace corvane
