// The option "Restore a window's size when you drag it out of its zone": a window Corvane placed
// takes its remembered size under the pointer once its drag is confirmed, held at the same spot of
// its title bar; dropped freely it keeps that size and forgets the remembered frame, dropped into a
// zone it snaps and keeps it. Off, or for a window Corvane never placed, nothing changes.
#include "DragSnapFixture.h"

namespace corvane {
namespace {

const QRectF kRemembered(200, 150, 500, 300);

TEST_F(DragSnapTest, AConfirmedDragGivesAPlacedWindowItsOwnSizeUnderThePointer) {
    settings.setRestoresSizeOnDrag(true);
    EXPECT_EQ(platform.defaults.boolean("dragSnapRestoresSize"), true);
    desk.setRestoreFrame(window, kRemembered);
    press({500, 110}); // halfway along the 800-wide title bar, 10 below the top
    moveWindowBy(40);
    drag({540, 110}, 0.05, modifier::kCommand);
    ASSERT_TRUE(monitor.isDragConfirmed());
    EXPECT_EQ(desk.windowFrame(window), QRectF(290, 100, 500, 300)) << "halfway along its 500 points";

    // Placed freely (Super held): where it is dropped, at its own size, and it forgets the frame.
    desk.setWindowFrame(window, QRectF(450, 290, 800, 600)); // a window manager that kept its size
    drag({700, 300}, 0.05, modifier::kCommand);
    release();
    desk.runLoop().advance(DragSnapMonitor::applyDelaySeconds);
    EXPECT_EQ(desk.windowFrame(window), QRectF(450, 290, 500, 300));
    EXPECT_EQ(desk.restoreFrame(window), std::nullopt);

    // Dropped with the pointer above the visible frame: the title bar stays inside it.
    desk.setRestoreFrame(window, kRemembered);
    press({700, 300});
    moveWindowBy(40);
    drag({740, 300}, 0.05, modifier::kCommand);
    drag({700, 10}, 0.05, modifier::kCommand);
    release();
    desk.runLoop().advance(DragSnapMonitor::applyDelaySeconds);
    EXPECT_EQ(desk.windowFrame(window), QRectF(450, 25, 500, 300));

    // The next drag has nothing to restore.
    press({700, 300});
    moveWindowBy(40);
    drag({740, 300});
    EXPECT_TRUE(monitor.isDragConfirmed());
    EXPECT_FALSE(monitor.isRestoringSize());
    EXPECT_EQ(desk.windowFrame(window).size(), QSizeF(500, 300));
    release();
}

TEST_F(DragSnapTest, DroppedIntoAZoneTheWindowSnapsAndKeepsItsFirstFrame) {
    settings.setRestoresSizeOnDrag(true);
    desk.setRestoreFrame(window, kRemembered);
    press({500, 110});
    moveWindowBy(40);
    drag({540, 110});
    EXPECT_EQ(desk.windowFrame(window).size(), QSizeF(500, 300));
    drag({1000, 200});
    release();
    desk.runLoop().advance(DragSnapMonitor::applyDelaySeconds);
    EXPECT_EQ(desk.windowFrame(window), QRectF(720, 25, 720, 437));
    EXPECT_EQ(desk.restoreFrame(window), kRemembered);
}

TEST_F(DragSnapTest, ARememberedFrameNoWindowCanHaveIsRemovedAndTheSizeKept) {
    settings.setRestoresSizeOnDrag(true);
    desk.setRestoreFrame(window, QRectF(10, 20, 4294966996.0, 300));
    press({500, 110});
    moveWindowBy(40);
    drag({540, 110}, 0.05, modifier::kCommand);
    EXPECT_TRUE(monitor.isDragConfirmed());
    EXPECT_FALSE(monitor.isRestoringSize());
    EXPECT_EQ(desk.windowFrame(window), QRectF(140, 100, 800, 600));
    EXPECT_EQ(desk.restoreFrame(window), std::nullopt);
    release();
}

TEST_F(DragSnapTest, OffOrWithNothingRememberedADragKeepsTheWindowsSize) {
    EXPECT_FALSE(settings.restoresSizeOnDrag()) << "off on a fresh installation";
    desk.setRestoreFrame(window, kRemembered);
    for (const bool isOn : {false, true}) {
        settings.setRestoresSizeOnDrag(isOn);
        if (isOn)
            desk.setRestoreFrame(window, std::nullopt);
        desk.setWindowFrame(window, QRectF(100, 100, 800, 600));
        press({500, 110});
        moveWindowBy(40);
        drag({540, 110}, 0.05, modifier::kCommand);
        EXPECT_TRUE(monitor.isDragConfirmed());
        drag({600, 300}, 0.05, modifier::kCommand);
        release();
        desk.runLoop().advance(DragSnapMonitor::applyDelaySeconds);
        EXPECT_EQ(desk.windowFrame(window), QRectF(140, 100, 800, 600)) << isOn;
    }
}

} // namespace
} // namespace corvane
