// Windows that draw their own title bars, on the simulated desktop's accessibility bus: its answer (a
// button, something else, no answer, no bus) becomes the zoom button or none; the bus hears only of
// points the pointer rests on, and a button once named is not asked for again while its window keeps
// its size.
#include "platform/common/ClientTitleButtons.h"

#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Outcome = BusButton::Outcome;

// A header-bar window at AX (200, 100, 800, 600) with its maximize button 34 x 30 near the top right.
class ClientTitleButtonsTest : public ::testing::Test {
protected:
    SimDesktop desk;
    qint32 editor = desk.addApplication("Editor");
    QRectF frame{200, 100, 800, 600};
    SimWindowId window = desk.addWindow(editor, frame);
    QRectF button{926, 108, 34, 30};
    AxElement maximize =
        desk.addElement(desk.windowElement(window), ax::kButtonRole, ax::kZoomButtonSubrole, button);
    SimAccessibilityBus& bus = desk.accessibilityBus();
    ClientTitleButtons buttons{bus};

    BusButton at(QPointF point, QRectF windowFrame) {
        return buttons.buttonAt(window, editor, windowFrame, point, 0.1);
    }
    // The monitor asks once when the pointer arrives and again while it stays.
    BusButton restOn(QPointF point, QRectF windowFrame) {
        at(point, windowFrame);
        return at(point, windowFrame);
    }
};

TEST_F(ClientTitleButtonsTest, TheBusNamesTheButtonOnceAndItsAnswerServesWhileTheWindowKeepsItsSize) {
    EXPECT_EQ(buttons.zoomButtonRegion(window, frame), QRectF(200, 100, 800, 70))
        << "the title strip, until named";
    // A pointer passing over the title bar, the button included, never reaches the bus.
    for (double x = 900; x < 1000; x += 7)
        EXPECT_EQ(at({x, 120}, frame).outcome, Outcome::NotFound);
    EXPECT_TRUE(bus.questions().isEmpty());
    const BusButton found = restOn({940, 120}, frame);
    EXPECT_EQ(found.outcome, Outcome::Found);
    EXPECT_EQ(found.frame, button);
    ASSERT_EQ(bus.questions().size(), 1);
    EXPECT_DOUBLE_EQ(bus.questions().first().timeout, 0.1) << "the caller's bound reaches the bus";
    EXPECT_EQ(buttons.zoomButtonRegion(window, frame), button);

    // Known now: elsewhere on the title bar is not the button, and the bus is not asked again.
    EXPECT_EQ(at({500, 120}, frame).outcome, Outcome::NotFound);
    EXPECT_EQ(at({926, 108}, frame).outcome, Outcome::Found);
    EXPECT_EQ(at({960, 120}, frame).outcome, Outcome::NotFound) << "the right edge is outside";
    EXPECT_EQ(bus.questions().size(), 1);

    // Moved: the button moves with it, still unasked.
    const QRectF moved = frame.translated(-100, 50);
    desk.setWindowFrame(window, moved);
    EXPECT_EQ(at({840, 170}, moved).frame, button.translated(-100, 50));
    EXPECT_EQ(buttons.zoomButtonRegion(window, moved), button.translated(-100, 50));
    EXPECT_EQ(bus.questions().size(), 1);

    // Resized: the buttons may have moved, so the bus is asked again and the strip is back meanwhile.
    const QRectF wider(100, 150, 900, 600);
    desk.setWindowFrame(window, wider);
    EXPECT_EQ(buttons.zoomButtonRegion(window, wider), QRectF(100, 150, 900, 70));
    EXPECT_EQ(restOn({840, 170}, wider).outcome, Outcome::Found);
    EXPECT_EQ(bus.questions().size(), 2);
}

TEST_F(ClientTitleButtonsTest, NothingThereIsAskedOnceNoAnswerIsAskedAgainAndNoBusIsNothing) {
    bus.setRunning(false);
    EXPECT_EQ(restOn({940, 120}, frame).outcome, Outcome::NotFound)
        << "no accessibility bus: silently nothing";
    EXPECT_EQ(buttons.zoomButtonRegion(window, frame), QRectF(200, 100, 800, 70));
    bus.setRunning(true);
    EXPECT_EQ(restOn({500, 120}, frame).outcome, Outcome::NotFound) << "the title, not the button";
    EXPECT_EQ(at({500, 120}, frame).outcome, Outcome::NotFound);
    EXPECT_EQ(bus.questions().size(), 2) << "while the pointer stays, the answer stands";

    desk.faults().setUnresponsive(editor, true);
    EXPECT_EQ(restOn({940, 120}, frame).outcome, Outcome::NoAnswer);
    EXPECT_EQ(at({940, 120}, frame).outcome, Outcome::NoAnswer) << "asked again as the monitor retries";
    desk.faults().setUnresponsive(editor, false);
    EXPECT_EQ(at({940, 120}, frame).outcome, Outcome::Found);
    EXPECT_EQ(bus.questions().size(), 5);

    // A short window's strip is the whole window.
    EXPECT_EQ(ClientTitleButtons::titleStrip(QRectF(0, 0, 300, 40)), QRectF(0, 0, 300, 40));
}

} // namespace
} // namespace corvane
