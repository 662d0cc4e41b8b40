// Start-up and access: the order of start-up, trust arriving by each path, the settings page,
// the login item and the tray icon.
#include "ControllerFixture.h"
#include "platform/common/Log.h"
#include "support/LogCapture.h"

namespace corvane {
namespace {

class LifecycleTest : public ControllerTest {
protected:
    std::optional<LogCapture> log;
    void SetUp() override {
        ControllerTest::SetUp();
        log.emplace();
    }
    void TearDown() override { log.reset(); }
    int linesContaining(const QString& text) const { return log->count(text); }
};

TEST_F(LifecycleTest, StartingTrustedArmsEverythingWithoutPolling) {
    desk.application().setImages({"AppIcon"});
    start();
    EXPECT_TRUE(controller->isAccessibilityTrusted());
    EXPECT_FALSE(controller->hasPermissionPollTimer());
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0);
    EXPECT_TRUE(keys.hasGlobalMonitor());
    EXPECT_TRUE(keys.hasLocalMonitor());
    EXPECT_EQ(dragSnap.applied, 1);
    EXPECT_EQ(palette.applied, 1);
    EXPECT_EQ(controller->lastActiveApp()->pid, editor);
    EXPECT_EQ(desk.application().iconName(), "AppIcon");
    EXPECT_EQ(desk.application().policyHistory(), QList<ActivationPolicy>{ActivationPolicy::Accessory});
    EXPECT_EQ(linesContaining("app.corvane.general: WindowController initializing"), 1);
    EXPECT_EQ(linesContaining("Key monitor started"), 1);
}

TEST_F(LifecycleTest, CorvaneFrontmostAtStartIsNotTheLastActiveApplication) {
    desk.setFrontmostApplication(desk.thisProcessPid());
    start();
    EXPECT_FALSE(controller->lastActiveApp());
    desk.postActivationWithoutApplication();
    EXPECT_FALSE(controller->lastActiveApp());
}

TEST_F(LifecycleTest, TrustArrivingByPollRearmsOnceAndStopsPolling) {
    desk.setTrusted(false);
    start();
    EXPECT_TRUE(controller->hasPermissionPollTimer());
    QList<bool> published;
    QObject::connect(controller.get(), &WindowController::isAccessibilityTrustedChanged,
                     [&](bool t) { published.append(t); });
    desk.runLoop().advance(3);
    EXPECT_TRUE(published.isEmpty());
    desk.setTrusted(true);
    desk.runLoop().advance(1.0);
    EXPECT_EQ(published, QList<bool>{true});
    EXPECT_FALSE(controller->hasPermissionPollTimer());
    EXPECT_EQ(dragSnap.applied, 2);
    EXPECT_EQ(palette.applied, 2);
    EXPECT_EQ(desk.events().globalMonitorCount(), 1) << "re-arming replaces the key monitors";
    EXPECT_EQ(desk.events().localMonitorCount(), 1);
    controller->refreshAccessibilityTrust();
    controller->checkPermissions();
    desk.runLoop().advance(5);
    EXPECT_EQ(linesContaining("Accessibility granted, hotkeys re-armed"), 1);
    EXPECT_EQ(desk.runLoop().activeTimerCount(), 0);
}

TEST_F(LifecycleTest, TheSystemsNoticeIsCheckedAFifthOfASecondLater) {
    desk.setTrusted(false);
    start();
    desk.setTrusted(true);
    desk.announceAccessibilityChange();
    desk.runLoop().advance(0.19);
    EXPECT_FALSE(controller->isAccessibilityTrusted());
    desk.runLoop().advance(0.02);
    EXPECT_TRUE(controller->isAccessibilityTrusted());
}

TEST_F(LifecycleTest, TheFirstRequestPromptsAndLaterOnesAlsoOpenTheSettingsPage) {
    desk.setTrusted(false);
    start();
    controller->requestAccessibility();
    EXPECT_EQ(desk.promptCount(), 1);
    EXPECT_TRUE(desk.openedUrls().isEmpty());
    EXPECT_EQ(platform.defaults.boolean(kHasPromptedForAccessibilityKey), true);
    controller->requestAccessibility();
    EXPECT_EQ(desk.openedUrls(), QStringList{kAccessibilitySettingsUrl});

    desk.setGrantsOnPrompt(true);
    controller->requestAccessibility();
    desk.runLoop().runPending();
    EXPECT_TRUE(controller->isAccessibilityTrusted()) << "the request's own refresh sees the grant";
    EXPECT_EQ(desk.openedUrls().size(), 2) << "the third call still found no access, so it opened the page";
}

TEST_F(LifecycleTest, LosingAccessPublishesAndPollsButKeepsTheHotkeys) {
    start();
    desk.setTrusted(false);
    controller->checkPermissions();
    desk.runLoop().runPending();
    EXPECT_FALSE(controller->isAccessibilityTrusted());
    EXPECT_TRUE(controller->hasPermissionPollTimer());
    EXPECT_TRUE(keys.hasGlobalMonitor());
    EXPECT_EQ(dragSnap.applied, 1) << "losing access stops no monitor";
}

TEST_F(LifecycleTest, OnlyClosingTheSettingsWindowMakesCorvaneAnAccessoryAgain) {
    start();
    QObject settingsWindow;
    QObject otherWindow;
    controller->setSettingsWindow(&settingsWindow);
    desk.application().setActivationPolicy(ActivationPolicy::Regular);
    desk.application().postWindowWillClose(&otherWindow);
    EXPECT_EQ(desk.application().activationPolicy(), ActivationPolicy::Regular);
    desk.application().postWindowWillClose(&settingsWindow);
    EXPECT_EQ(desk.application().activationPolicy(), ActivationPolicy::Accessory);
}

TEST_F(LifecycleTest, LoginItemFailuresAreLoggedAndTheStatusIsAnnouncedAnyway) {
    start();
    int announced = 0;
    QObject::connect(controller.get(), &WindowController::launchAtLoginChanged, [&] { ++announced; });
    desk.loginItem().setFailure(QStringLiteral("disk full"));
    controller->setLaunchAtLogin(true);
    EXPECT_FALSE(controller->launchAtLogin());
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(linesContaining("app.corvane.general: Launch at login register failed: disk full"), 1);
    controller->setLaunchAtLogin(false);
    EXPECT_EQ(linesContaining("Launch at login unregister failed: disk full"), 1);

    desk.loginItem().setFailure(std::nullopt);
    desk.loginItem().setRegistrationNeedsApproval(true);
    controller->setLaunchAtLogin(true);
    EXPECT_FALSE(controller->launchAtLogin()) << "waiting for approval reads as off";
    desk.loginItem().setRegistrationNeedsApproval(false);
    controller->setLaunchAtLogin(true);
    EXPECT_TRUE(controller->launchAtLogin());
    EXPECT_EQ(announced, 4);
}

TEST_F(LifecycleTest, TheTrayIconIsAHalfAndTwoQuartersWithGaps) {
    start();
    const QImage& icon = controller->menuBarIcon();
    EXPECT_EQ(&icon, &controller->menuBarIcon()) << "built once";
    EXPECT_EQ(icon.deviceIndependentSize(), QSizeF(18, 14));
    EXPECT_EQ(icon.format(), QImage::Format_ARGB32);
    EXPECT_EQ(icon.pixel(8, 14), qRgba(0, 0, 0, 255)) << "black at full opacity";
    const auto alphaAt = [&](double x, double y) { return qAlpha(icon.pixel(int(x * 2), int(y * 2))); };
    EXPECT_EQ(alphaAt(4, 7), 255) << "left half";
    EXPECT_EQ(alphaAt(13.5, 3), 255) << "upper right (top in the image)";
    EXPECT_EQ(alphaAt(13.5, 11), 255) << "lower right";
    EXPECT_EQ(alphaAt(9, 7), 0) << "the vertical gap";
    EXPECT_EQ(alphaAt(13.5, 7), 0) << "the horizontal gap";
    EXPECT_LT(alphaAt(0, 0), 255) << "rounded corner";
}

} // namespace
} // namespace corvane
