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
    desk.setTrusted(false);
    start();
    desk.setTrusted(true);
    desk.announceAccessibilityChange();
    desk.runLoop().advance(0.19);
    EXPECT_FALSE(trust().isTrusted());
    desk.runLoop().advance(0.02);
    EXPECT_TRUE(trust().isTrusted());
}

TEST_F(AccessTrustTest, TheFirstRequestPromptsAndLaterOnesAlsoOpenTheSettingsPage) {
    desk.setTrusted(false);
    start();
    trust().request();
    EXPECT_EQ(desk.promptCount(), 1);
    EXPECT_TRUE(desk.openedUrls().isEmpty());
    EXPECT_EQ(platform.defaults.boolean(kHasPromptedForAccessibilityKey), true);
    trust().request();
    EXPECT_EQ(desk.openedUrls(), QStringList{kAccessibilitySettingsUrl});

    desk.setGrantsOnPrompt(true);
    trust().request();
    desk.runLoop().runPending();
    EXPECT_TRUE(trust().isTrusted()) << "the request's own refresh sees the grant";
    EXPECT_EQ(desk.openedUrls().size(), 2) << "the third call still found no access, so it opened the page";
}

} // namespace
} // namespace corvane
