// Which monitor a choice belongs to: a monitor that reports its connector keeps its key wherever it
// stands among the others and whatever else is plugged in. (The choice kept by place is in
// DragSnapSettingsTest.)
#include "control/MonitorKey.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(MonitorKeyTest, ANamedMonitorIsKnownByConnectorAndModelAnUnnamedOneByItsPlace) {
    const Screen laptop{.id = 1, .name = "eDP-1", .connector = "eDP-1", .model = "BOE 0x0BCA"};
    const Screen wide{.id = 2, .name = "DP-1", .connector = "DP-1", .model = "DEL DELL U3419W"};
    const Screen twin{.id = 3, .name = "DP-2", .connector = "DP-2", .model = "DEL DELL U3419W"};
    const QString key = MonitorKey::of(wide, {laptop, wide});
    EXPECT_EQ(MonitorKey::of(wide, {wide, laptop}), key) << "reordered";
    EXPECT_EQ(MonitorKey::of(wide, {wide}), key) << "the other one unplugged";
    EXPECT_NE(MonitorKey::of(twin, {wide, twin}), key) << "two of one model, told apart by connector";
    Screen swapped = wide;
    swapped.model = QStringLiteral("GSM LG ULTRAWIDE");
    EXPECT_NE(MonitorKey::of(swapped, {laptop, swapped}), key) << "another monitor on that connector";

    EXPECT_NE(MonitorKey::of(Screen{.id = 2}, {laptop, Screen{.id = 2}}), key)
        << "without a connector, known by its place instead";
}

} // namespace
} // namespace corvane
