// Accessibility trust: the system's notice read a fifth of a second late, and a request that
// prompts once and opens the settings page after that.
#include "ControllerFixture.h"

namespace corvane {
namespace {

class AccessTrustTest : public ControllerTest {
protected:
    AccessTrust& trust() { return controller->trust(); }
};

TEST_F(AccessTrustTest, TheSystemsNoticeIsCheckedAFifthOfASecondLater) {
    desk.accessibility().setTrusted(false);
    start();
    desk.accessibility().setTrusted(true);
    emit desk.accessibility().accessibilityApiChanged();
    desk.runLoop().advance(0.19);
    EXPECT_FALSE(trust().isTrusted());
    desk.runLoop().advance(0.02);
    EXPECT_TRUE(trust().isTrusted());
}

TEST_F(AccessTrustTest, TheFirstRequestPromptsAndLaterOnesAlsoOpenTheSettingsPage) {
    desk.accessibility().setTrusted(false);
    start();
    trust().request();
    EXPECT_EQ(desk.accessibility().promptCount(), 1);
    EXPECT_TRUE(desk.workspace().openedUrls().isEmpty());
    EXPECT_EQ(platform.defaults.boolean(kHasPromptedForAccessibilityKey), true);
    trust().request();
    EXPECT_EQ(desk.workspace().openedUrls(), QStringList{kAccessibilitySettingsUrl});

    desk.accessibility().setGrantsOnPrompt(true);
    trust().request();
    desk.runLoop().runPending();
    EXPECT_TRUE(trust().isTrusted()) << "the request's own refresh sees the grant";
    EXPECT_EQ(desk.workspace().openedUrls().size(), 2)
        << "the third call still found no access, so it opened the page";
}

} // namespace
} // namespace corvane
