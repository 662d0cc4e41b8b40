// The rule every backend completes a frame request by: reached, else settled, else timed out.
#include "platform/common/FrameSettle.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FrameSettleTest, ARequestIsReachedInWholePixelsElseSettlesOnAStillFrameElseTimesOut) {
    const QRectF asked(0, 25, 720, 437.5);
    const QRectF stepped(0, 25, 714, 434); // a client's size steps
    const double t0 = 1000;

    FrameSettle reached(asked, t0);
    EXPECT_EQ(reached.note(QRectF(100, 100, 800, 600), t0), std::nullopt);
    EXPECT_EQ(reached.note(QRectF(0.4, 24.6, 720, 438), t0 + 0.016), FrameOutcome::Reached);

    FrameSettle still(asked, t0);
    EXPECT_EQ(still.note(stepped, t0 + 0.01), std::nullopt);
    EXPECT_DOUBLE_EQ(still.deadline(), t0 + 0.01 + kFrameSettleTime);
    EXPECT_EQ(still.note(stepped, still.deadline()), FrameOutcome::Settled) << "at the deadline itself";
    EXPECT_EQ(still.frame(), stepped);

    // Moving all along: each change restarts the wait, the timeout bounds it.
    FrameSettle moving(asked, t0);
    double t = t0;
    std::optional<FrameOutcome> outcome;
    for (int i = 0; !outcome && i < 100; ++i) {
        t += 0.02;
        outcome = moving.note(QRectF(i, 0, 500, 500), t);
    }
    EXPECT_EQ(outcome, FrameOutcome::TimedOut);
    EXPECT_GE(t, t0 + kFrameRequestTimeout);
    EXPECT_LT(t, t0 + kFrameRequestTimeout + 0.02);

    // No answer at all: only the timeout ends it, with no frame.
    FrameSettle silent(asked, t0);
    EXPECT_EQ(silent.note(std::nullopt, t0 + 0.1), std::nullopt);
    EXPECT_DOUBLE_EQ(silent.deadline(), t0 + kFrameRequestTimeout);
    EXPECT_EQ(silent.note(std::nullopt, silent.deadline()), FrameOutcome::TimedOut);
    EXPECT_EQ(silent.frame(), std::nullopt);
}

TEST(FrameSettleTest, TheFrameFromBeforeTheRequestIsNoAnswerToIt) {
    const QRectF asked(0, 25, 720, 437.5);
    const QRectF before(300, 200, 400, 300);
    const double t0 = 1000;

    // Read again and again while the desktop is busy: no settling on it.
    FrameSettle slow(asked, t0, before);
    EXPECT_DOUBLE_EQ(slow.deadline(), t0 + kFrameRequestTimeout);
    EXPECT_EQ(slow.note(before, t0), std::nullopt);
    EXPECT_EQ(slow.note(before, t0 + 0.1), std::nullopt);
    EXPECT_EQ(slow.note(QRectF(0, 25, 720, 438), t0 + 0.2), FrameOutcome::Reached);

    // Once the window left it, coming back to it is an answer like any other.
    FrameSettle back(asked, t0, before);
    EXPECT_EQ(back.note(QRectF(0, 25, 500, 300), t0 + 0.01), std::nullopt);
    EXPECT_EQ(back.note(before, t0 + 0.02), std::nullopt);
    EXPECT_EQ(back.note(before, t0 + 0.02 + kFrameSettleTime), FrameOutcome::Settled);
    EXPECT_EQ(back.frame(), before);

    // A window that never moves times out, with the frame it kept.
    FrameSettle kept(asked, t0, before);
    EXPECT_EQ(kept.note(before, kept.deadline()), FrameOutcome::TimedOut);
    EXPECT_EQ(kept.frame(), before);
}

} // namespace
} // namespace corvane
