// The login item switch: failures are logged, and the status is announced and read back anyway.
#include "ControllerFixture.h"
#include "platform/common/Log.h"
#include "support/LogCapture.h"

namespace corvane {
namespace {

class LaunchAtLoginTest : public ControllerTest {
protected:
    LogCapture log;
    LaunchAtLogin& launchAtLogin() { return controller->launchAtLogin(); }
    int linesContaining(const QString& text) const { return log.count(text); }
};

TEST_F(LaunchAtLoginTest, LoginItemFailuresAreLoggedAndTheStatusIsAnnouncedAnyway) {
    start();
    int announced = 0;
    QObject::connect(&launchAtLogin(), &LaunchAtLogin::changed, [&] { ++announced; });
    desk.loginItem().setFailure(QStringLiteral("disk full"));
    launchAtLogin().setOn(true);
    EXPECT_FALSE(launchAtLogin().isOn());
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(linesContaining("app.corvane.general: Launch at login register failed: disk full"), 1);
    launchAtLogin().setOn(false);
    EXPECT_EQ(linesContaining("Launch at login unregister failed: disk full"), 1);

    desk.loginItem().setFailure(std::nullopt);
    desk.loginItem().setRegistrationNeedsApproval(true);
    launchAtLogin().setOn(true);
    EXPECT_FALSE(launchAtLogin().isOn()) << "waiting for approval reads as off";
    desk.loginItem().setRegistrationNeedsApproval(false);
    launchAtLogin().setOn(true);
    EXPECT_TRUE(launchAtLogin().isOn());
    EXPECT_EQ(announced, 4);
}

} // namespace
} // namespace corvane
