// The hotkey card's notice and option, offscreen on the simulated desktop: the notice shows only
// while the window manager holds a key and follows it, its button hands on the free chords offered,
// and the toggle reads and writes the option.
#include "app/HotkeyGrabsView.h"

#include "platform/sim/SimDesktop.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
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
    bool isNoticeShown() const { return view->notice()->isVisibleTo(&*view); }
};

TEST_F(HotkeyGrabsViewTest, TheNoticeShowsWhileTheWindowManagerHoldsAKey) {
    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"), {});
    open();
    EXPECT_FALSE(isNoticeShown());
    EXPECT_FALSE(view->consumeToggle()->isChecked());
    EXPECT_EQ(view->consumeToggle()->text(), "Keep these keys from reaching other applications");

    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"), {kLeft, kRight});
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds);
    ASSERT_TRUE(isNoticeShown());
    EXPECT_EQ(view->noticeText()->text(), grabs->clashDescription());
    EXPECT_TRUE(view->noticeText()->text().contains("Ctrl + Alt + Left and Ctrl + Alt + Right"));

    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"), {});
    desk.runLoop().advance(HotkeyGrabs::windowManagerSettleSeconds);
    EXPECT_FALSE(isNoticeShown());
}

TEST_F(HotkeyGrabsViewTest, TheOfferIsOneClickAway) {
    desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"), {kLeft, kRight});
    open();
    QSignalSpy taken(&*view, &HotkeyGrabsView::offerTaken);
    ASSERT_TRUE(view->offerButton()->isVisibleTo(&*view));
    EXPECT_EQ(view->offerButton()->text(),
              "Use Ctrl + Alt + Super + Left and Ctrl + Alt + Super + Right instead");
    QTest::mouseClick(view->offerButton(), Qt::LeftButton);
    ASSERT_EQ(taken.count(), 1);
    EXPECT_EQ(taken[0][0].value<HotkeyChords>(), *grabs->offer());

    // Taken (the table follows it), nothing is held and the button goes with the notice.
    grabs->setChords(*grabs->offer());
    EXPECT_FALSE(isNoticeShown());
    EXPECT_FALSE(view->offerButton()->isVisibleTo(&*view));
}

TEST_F(HotkeyGrabsViewTest, TheToggleWritesTheOptionAndFollowsIt) {
    desk.keyGrabs().startWindowManager(QStringLiteral("Fluxbox"), {kLeft, kRight});
    open();
    QTest::mouseClick(view->consumeToggle(), Qt::LeftButton, {},
                      QPoint(8, view->consumeToggle()->height() / 2));
    EXPECT_TRUE(grabs->consumesKeys());
    EXPECT_EQ(desk.defaults().boolean(kHotkeysConsumeKeysKey), true);
    EXPECT_EQ(desk.keyGrabs().ourGrabs().size(), grabbedChords(defaultHotkeyChords()).size() - 2);
    EXPECT_TRUE(isNoticeShown()) << "keys the window manager holds stay in the notice";

    grabs->setConsumesKeys(false); // changed elsewhere
    EXPECT_FALSE(view->consumeToggle()->isChecked());
    EXPECT_TRUE(desk.keyGrabs().ourGrabs().isEmpty());
}

} // namespace
} // namespace corvane
