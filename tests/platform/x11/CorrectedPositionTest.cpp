// The offset a window manager adds to a move comes off the writer's last position write.
#include "platform/x11/X11FrameWrite.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CorrectedPositionTest, OnlyAnOffsetOfDecorationsSeenAfterAMoveIsTakenOff) {
    const QPointF asked(0, 25);
    struct Row {
        std::optional<QPointF> before, landed;
        QPointF written;
    };
    const Row rows[] = {
        {QPointF(100, 100), QPointF(-2, 7), QPointF(2, 43)},  // a border and a title bar: corrected
        {QPointF(100, 100), QPointF(0, 25), QPointF(0, 25)},  // landed where asked
        {QPointF(100, 100), QPointF(0, 125), QPointF(0, 25)}, // too far for decorations: on purpose
        {QPointF(10, 30), QPointF(10, 30), QPointF(0, 25)},   // not moved yet: nothing to tell
        {QPointF(42, 691), QPointF(42, 25), QPointF(0, 25)},  // moved down only: across it tells nothing
        {QPointF(42, 691), QPointF(42, 27), QPointF(0, 23)},  // ...and down, a border's offset
        {QPointF(0, 300), QPointF(-2, 7), QPointF(2, 43)}, // a border across where it was not asked to move
        {std::nullopt, QPointF(-2, 7), QPointF(2, 43)},    // the first read had no answer
        {QPointF(100, 100), std::nullopt, QPointF(0, 25)}, // nor the read-back
    };
    for (const Row& r : rows)
        EXPECT_EQ(correctedPosition(asked, r.before, r.landed), r.written)
            << r.written.x() << "," << r.written.y();
}

} // namespace
} // namespace corvane
