#pragma once
// A controller on a simulated desktop: one 1440 x 900 screen whose top 25 points are the menu bar,
// an editor application with one focused window, and counting feature switches.

#include "control/FeatureSwitch.h"
#include "control/WindowController.h"
#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

namespace corvane {

// The four quadrants of the visible frame (0, 0, 1440, 875) below the menu bar, in AX coordinates.
inline const QRectF kTopLeft(0, 25, 720, 437);
inline const QRectF kTopRight(720, 25, 720, 437);
inline const QRectF kBottomLeft(0, 462, 720, 438);
inline const QRectF kBottomRight(720, 462, 720, 438);
// Two of them as fractions of the visible frame, as zones carry them.
inline const QRectF kTopLeftFraction(0, 0, 0.5, 0.5);
inline const QRectF kTopRightFraction(0.5, 0, 0.5, 0.5);

struct CountingSwitch final : FeatureSwitch {
    int applied = 0;
    void applyStartRule() override { ++applied; }
};

class ControllerTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    CountingSwitch dragSnap;
    CountingSwitch palette;
    Screen screen = desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
    qint32 editor = desk.addApplication("Editor");
    SimWindowId window = desk.addWindow(editor, QRectF(100, 100, 800, 600));
    FrameWriteQueue frameWrites{platform};
    ZoneSpacingSettings zoneSpacing{platform.defaults};
    ExcludedApplications excluded{platform};
    std::unique_ptr<WindowController> controller;

    void SetUp() override {
        desk.setFocusedWindow(editor, window);
        desk.setFrontmostApplication(editor);
    }
    // Separate from SetUp so a test can arrange the desktop and the stored settings first.
    WindowController& start(ZoneNavigator::ScreenLayout screenLayout = {}) {
        controller = std::make_unique<WindowController>(platform, frameWrites, zoneSpacing, dragSnap, palette,
                                                        excluded, std::move(screenLayout));
        desk.settle();
        desk.log().clear();
        return *controller;
    }
    QRectF frame() const { return desk.windowFrame(window); }
    void snapTo(const QString& layout, qint64 zone) {
        ASSERT_EQ(controller->cycle().snapToZone(layout, zone), Placement::Requested);
        desk.runLoop().advance(kFrameRequestTimeout); // a window that keeps another frame settles on it
    }
    // A write where the user pointed (a drop, a palette pick), of a frame in screen coordinates.
    void writePointed(const QRectF& screenFrame, WriteDone done = {}) {
        frameWrites.write({.window = desk.windowElement(window),
                           .frame = screenFrame,
                           .primaryHeight = 900,
                           .visibleFrame = screen.visibleFrame,
                           .write = FrameWrite::Pointed},
                          std::move(done));
    }

    Event hotkey(const QString& characters, quint16 keyCode = 0, quint64 extraFlags = 0) const {
        return SimEvents::keyDown(characters, keyCode, modifier::kControl | modifier::kOption | extraFlags);
    }
};

} // namespace corvane
