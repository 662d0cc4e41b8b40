// Start-up, accessibility access, the login item and the tray icon of WindowController.
#include "WindowController.h"
#include "platform/common/Log.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane {

WindowController::WindowController(Platform& platform, GlobalKeyMonitor& keyMonitor, FeatureSwitch& dragSnap,
                                   FeatureSwitch& palette, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_keyMonitor(keyMonitor)
    , m_dragSnap(dragSnap)
    , m_palette(palette)
    , m_isAccessibilityTrusted(platform.accessibility.isProcessTrusted())
    , m_hotkeyAssignments(loadHotkeyAssignments())
    , m_hotkeyChords(hotkeyChordsFromStored(platform.defaults.object(kHotkeyChordsKey))) {
    qCDebug(lcGeneral) << "WindowController initializing";
    m_platform.application.setApplicationIconNamed(QStringLiteral("AppIcon"));
    const std::optional<RunningApplication> front = m_platform.workspace.frontmostApplication();
    if (front && front->pid != m_platform.workspace.currentProcessId())
        m_lastActiveApp = front;
    connect(&m_platform.workspace, &Workspace::didActivateApplication, this,
            &WindowController::appDidActivate);
    loadPresets();
    startKeyMonitor();
    applyFeatureStartRules();
    m_platform.runLoop.post(
        this, [this] { m_platform.application.setActivationPolicy(ActivationPolicy::Accessory); });
    connect(&m_platform.application, &Application::didBecomeActive, this,
            &WindowController::checkPermissions);
    connect(&m_platform.accessibility, &Accessibility::accessibilityApiChanged, this,
            &WindowController::accessibilityAPIChanged);
    startPermissionPolling();
    connect(&m_platform.application, &Application::windowWillClose, this,
            &WindowController::settingsWindowWillClose);
}

void WindowController::startKeyMonitor() {
    m_keyMonitor.start([self = QPointer<WindowController>(this)](const Event& event) {
        if (self)
            self->handleKeyEvent(event);
    });
}

void WindowController::applyFeatureStartRules() {
    m_dragSnap.applyStartRule();
    m_palette.applyStartRule();
}

void WindowController::appDidActivate(std::optional<RunningApplication> application) {
    // Activations of Corvane itself never replace the user's application.
    if (application && application->pid != m_platform.workspace.currentProcessId())
        m_lastActiveApp = application;
}

void WindowController::checkPermissions() {
    refreshAccessibilityTrust();
}

void WindowController::accessibilityAPIChanged() {
    m_platform.runLoop.postAfter(0.2, this, [this] { refreshAccessibilityTrust(); });
}

void WindowController::refreshAccessibilityTrust() {
    const bool isTrusted = m_platform.accessibility.isProcessTrusted();
    m_platform.runLoop.post(this, [this, isTrusted] { applyAccessibilityTrust(isTrusted); });
}

void WindowController::applyAccessibilityTrust(bool isTrusted) {
    if (isTrusted != m_isAccessibilityTrusted) {
        m_isAccessibilityTrusted = isTrusted;
        emit isAccessibilityTrustedChanged(isTrusted);
        if (isTrusted) {
            m_permissionPollTimer.reset();
            startKeyMonitor();
            applyFeatureStartRules();
            qCInfo(lcGeneral) << "Accessibility granted, hotkeys re-armed";
            return;
        }
    }
    if (!isTrusted)
        startPermissionPolling(); // losing access stops no monitor
}

void WindowController::startPermissionPolling() {
    if (m_isAccessibilityTrusted || m_permissionPollTimer)
        return;
    m_permissionPollTimer =
        m_platform.runLoop.scheduleTimer(1.0, true, [self = QPointer<WindowController>(this)] {
            if (self)
                self->refreshAccessibilityTrust();
        });
}

void WindowController::requestAccessibility() {
    const bool hasPrompted = m_platform.defaults.boolean(kHasPromptedForAccessibilityKey).value_or(false);
    const bool isTrusted = m_platform.accessibility.isProcessTrustedWithPrompt();
    m_platform.defaults.setBool(kHasPromptedForAccessibilityKey, true);
    if (!isTrusted && hasPrompted)
        openAccessibilitySettings();
    refreshAccessibilityTrust();
    startPermissionPolling();
}

void WindowController::openAccessibilitySettings() {
    m_platform.workspace.openUrl(QString::fromLatin1(kAccessibilitySettingsUrl));
}

bool WindowController::canOpenAccessibilitySettings() const {
    return m_platform.workspace.canOpenUrl(QString::fromLatin1(kAccessibilitySettingsUrl));
}

void WindowController::settingsWindowWillClose(QObject* window) {
    if (window && window == m_settingsWindow)
        m_platform.application.setActivationPolicy(ActivationPolicy::Accessory);
}

bool WindowController::launchAtLogin() const {
    return m_platform.loginItem.status() == LoginItemStatus::Enabled;
}

void WindowController::setLaunchAtLogin(bool isOn) {
    const LoginItemResult result =
        isOn ? m_platform.loginItem.registerItem() : m_platform.loginItem.unregisterItem();
    if (!result.succeeded) {
        qCCritical(lcGeneral, "Launch at login %s failed: %s", isOn ? "register" : "unregister",
                   qUtf8Printable(result.errorDescription));
    }
    emit launchAtLoginChanged();
}

const QImage& WindowController::menuBarIcon() {
    if (m_menuBarIcon)
        return *m_menuBarIcon;
    constexpr double kWidth = 18;
    constexpr double kHeight = 14;
    constexpr int kScale = 2;
    QImage image(int(kWidth) * kScale, int(kHeight) * kScale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(kScale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    // The rectangles are given with the origin at the bottom-left; the painter's is at the top-left.
    const QRectF rects[] = {{0, 0, 8.25, 14}, {9.75, 7.75, 8.25, 6.25}, {9.75, 0, 8.25, 6.25}};
    for (const QRectF& r : rects)
        painter.drawRoundedRect(QRectF(r.x(), kHeight - r.y() - r.height(), r.width(), r.height()), 1.0, 1.0);
    painter.end();
    m_menuBarIcon = image;
    return *m_menuBarIcon;
}

} // namespace corvane
