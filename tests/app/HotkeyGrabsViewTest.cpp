// The hotkey card's notice and option, offscreen on the simulated desktop: the notice shows only
// while the window manager holds a key and follows it, and the toggle reads and writes the option.
#include "app/HotkeyGrabsView.h"

#include "platform/sim/SimDesktop.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr quint64 kCtrlAlt = modifier::kControl | modifier::kOption;
const KeyChord kLeft{GrabKey::LeftArrow, 0, kCtrlAlt};
const KeyChord kRight{GrabKey::RightArrow, 0, kCtrlAlt};

class HotkeyGrabsViewTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    std::optional<HotkeyGrabs> grabs;
    std::optional<HotkeyGrabsView> view;

    void open() {
        grabs.emplace(platform, defaultHotkeyChords());
        view.emplace(*grabs);
        view->resize(520, view->sizeHint().height());
        view->show();
    }
    template <class Widget> Widget* part(const char* name) const { return view->findChild<Widget*>(name); }
    bool isNoticeShown() const { return part<QWidget>("notice")->isVisibleTo(&*view); }
};

TEST_F(HotkeyGrabsViewTest, TheNoticeShowsWhileTheWindowManagerHoldsAKey) {
    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"), {});
    open();
    EXPECT_FALSE(isNoticeShown());
    EXPECT_FALSE(part<QCheckBox>("consumeKeys")->isChecked());

    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"), {kLeft, kRight});
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds);
    ASSERT_TRUE(isNoticeShown());
    EXPECT_EQ(part<QLabel>("noticeText")->text(), grabs->clashDescription());
    EXPECT_TRUE(part<QLabel>("noticeText")->text().contains("Ctrl + Alt + Left and Ctrl + Alt + Right"));

    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"), {});
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds);
    EXPECT_FALSE(isNoticeShown());
}

TEST_F(HotkeyGrabsViewTest, TheToggleWritesTheOptionAndFollowsIt) {
    desk.keyGrabs().startWindowManager(QStringLiteral("Fluxbox"), {kLeft, kRight});
    open();
    QTest::mouseClick(part<QCheckBox>("consumeKeys"), Qt::LeftButton, {},
                      QPoint(8, part<QCheckBox>("consumeKeys")->height() / 2));
    EXPECT_TRUE(grabs->consumesKeys());

    grabs->setConsumesKeys(false); // changed elsewhere
    EXPECT_FALSE(part<QCheckBox>("consumeKeys")->isChecked());
}

} // namespace
} // namespace corvane
