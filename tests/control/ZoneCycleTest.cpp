// Cycle mode: stepping and wrapping with its time-out, zone N of a layout, size presets that end
// it, names that resolve to nothing, and screen moves that leave it.
#include "ControllerFixture.h"

namespace corvane {
namespace {

class ZoneCycleTest : public ControllerTest {
protected:
    ZoneCycle& cycle() { return controller->cycle(); }
};

TEST_F(ZoneCycleTest, CyclingStepsAndWrapsAndEndsFiveSecondsAfterTheLastStep) {
    start();
    cycle().applyLayout("Quadrant");
    desk.settle();
    EXPECT_EQ(frame(), kTopLeft);
    EXPECT_TRUE(cycle().isActive());
    const QRectF expected[] = {kTopRight, kBottomLeft, kBottomRight, kTopLeft};
    for (const QRectF& e : expected) {
        desk.runLoop().advance(4.9);
        cycle().cycleZone(1);
        desk.settle();
        EXPECT_EQ(frame(), e);
        EXPECT_TRUE(cycle().isActive()) << "each step re-arms the time-out";
    }
    cycle().cycleZone(-1);
    desk.settle();
    EXPECT_EQ(frame(), kBottomRight) << "back from the first zone wraps to the last";
    EXPECT_EQ(cycle().zoneIndex(), 3);

    desk.runLoop().advance(4.99);
    EXPECT_TRUE(cycle().isActive());
    desk.runLoop().advance(0.01);
    EXPECT_FALSE(cycle().isActive());
    EXPECT_FALSE(cycle().hasTimeoutTimer());
    EXPECT_EQ(cycle().layoutName(), QString("Quadrant")) << "the name outlives the time-out";
}

TEST_F(ZoneCycleTest, ZoneNOfAGridWithMergesEntersCycleModeThere) {
    start();
    // Two rows of three columns, the right column merged: zones in reading order.
    ASSERT_TRUE(controller->presets().addGridPreset("Desk", 2, 3, {{0, 2, 2, 1}}));
    EXPECT_EQ(cycle().snapToZone("Desk", 2), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(960, 25, 480, 875)) << "zone 3: the merged column";
    EXPECT_TRUE(cycle().isActive());
    EXPECT_EQ(cycle().layoutName(), "Desk");
    EXPECT_EQ(cycle().zoneIndex(), 2);
    cycle().cycleZone(1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 462, 480, 438)) << "the arrows go on from there, to zone 4";
    cycle().snapToZone("Desk", 4);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(480, 462, 480, 438)) << "zone 5, the last";
}

TEST_F(ZoneCycleTest, ASpanCoversBothZonesInEitherOrderAndLeavesCycleModeForItsLastZone) {
    start();
    EXPECT_EQ(cycle().snapToZones("Six Pack", 4, 0), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(0, 25, 960, 875)) << "zones 1 and 5: four of the six";
    EXPECT_FALSE(cycle().isActive());
    EXPECT_EQ(cycle().layoutName(), "Six Pack");
    cycle().cycleZone(1);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(960, 462, 480, 438)) << "a step goes on from the span's last zone";

    EXPECT_EQ(cycle().snapToZones("Thirds", 1, 1), Placement::Requested);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(480, 25, 480, 875)) << "one zone is that zone, in cycle mode";
    EXPECT_TRUE(cycle().isActive());
    EXPECT_EQ(cycle().snapToZones("Thirds", 0, 3), Placement::NoSuchZone);
    EXPECT_EQ(cycle().snapToZones("Thirds", -1, 2), Placement::NoSuchZone);
    EXPECT_EQ(cycle().snapToZones("Nowhere", 0, 1), Placement::UnknownLayout);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(480, 25, 480, 875)) << "a refused span moves nothing";
}

TEST_F(ZoneCycleTest, ASizePresetEndsCyclingAndNamesThatResolveToNothingChangeNothing) {
    start();
    controller->presets().addSizePreset("Laptop", 1000, 600);
    cycle().applyLayout("Quadrant");
    desk.settle();
    cycle().applyLayout("Laptop");
    desk.settle();
    EXPECT_FALSE(cycle().isActive());
    EXPECT_FALSE(cycle().layoutName());
    EXPECT_EQ(frame(), QRectF(220, 162.5, 1000, 600)) << "centred on the visible frame";

    cycle().applyLayout("Rows");
    cycle().applyLayout("quadrant"); // names match exactly
    cycle().applyLayout("Nothing");
    desk.settle();
    EXPECT_EQ(cycle().layoutName(), QString("Rows"));
    EXPECT_TRUE(cycle().isActive());
}

TEST_F(ZoneCycleTest, MovingWithASingleScreenDoesNothingAndLeavesCycleMode) {
    start();
    cycle().applyLayout("Split");
    desk.settle();
    desk.log().clear();
    cycle().moveToAdjacentScreen(1);
    desk.settle();
    EXPECT_TRUE(desk.log().effects().isEmpty());
    EXPECT_FALSE(cycle().isActive());
}

} // namespace
} // namespace corvane
