// A frame write waits for a new size only where the window can take one: a terminal that grows by
// whole cells, or a window at its limits, is not waited on for a size it will never have.
#include "platform/x11/SizeHints.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// WM_SIZE_HINTS as xterm sets them: a minimum, steps of a 6 x 13 cell, a base size.
const QList<quint32> kTerminal{
    (1U << 4) | (1U << 6) | (1U << 8), 0, 0, 0, 0, 10, 17, 0, 0, 6, 13, 0, 0, 0, 0, 4, 4, 1};

TEST(SizeHintsTest, AWindowThatGrowsInStepsChangesOnlyForAWholeStep) {
    const SizeHints terminal = SizeHints::fromProperty(kTerminal);
    EXPECT_EQ(terminal.step, QSize(6, 13));
    EXPECT_EQ(terminal.minimum, QSize(10, 17));
    const QSize current(994, 628); // 165 x 48 cells
    EXPECT_FALSE(terminal.canChange(current, current));
    EXPECT_FALSE(terminal.canChange(current, QSize(999, 640)))
        << "less than a step above: the size it takes already";
    EXPECT_TRUE(terminal.canChange(current, QSize(1000, 640))) << "a whole column more";
    EXPECT_TRUE(terminal.canChange(current, QSize(994, 641))) << "a whole row more";
    EXPECT_TRUE(terminal.canChange(current, QSize(993, 628))) << "asked smaller, the size rounds down a step";
}

TEST(SizeHintsTest, LimitsBoundWhatTheWindowCanTake) {
    // A minimum of 400 x 300, a maximum of 800 x 600, no steps.
    const SizeHints limited =
        SizeHints::fromProperty({(1U << 4) | (1U << 5), 0, 0, 0, 0, 400, 300, 800, 600, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(limited.step, QSize(1, 1)) << "no steps flagged: every pixel";
    EXPECT_FALSE(limited.canChange(QSize(400, 300), QSize(200, 100))) << "at its minimum already";
    EXPECT_FALSE(limited.canChange(QSize(800, 600), QSize(1440, 900))) << "at its maximum already";
    EXPECT_TRUE(limited.canChange(QSize(800, 600), QSize(799, 600)));
    EXPECT_TRUE(limited.canChange(QSize(500, 300), QSize(1440, 300)));
    // A maximum below the minimum, as a careless client may set: the minimum holds.
    const SizeHints inverted =
        SizeHints::fromProperty({(1U << 4) | (1U << 5), 0, 0, 0, 0, 400, 300, 100, 100, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(inverted.canChange(QSize(400, 300), QSize(1000, 1000)));
}

TEST(SizeHintsTest, MissingShortOrNonsensicalHintsLeaveEverySizeOpen) {
    for (const QList<quint32>& values :
         {QList<quint32>{}, QList<quint32>{(1U << 6), 0, 0, 0, 0, 0, 0, 0, 0, 6, 13},
          // Steps of zero and negative ones, limits unflagged.
          QList<quint32>{(1U << 6), 0, 0, 0, 0, 500, 500, 10, 10, 0, quint32(-4), 0, 0, 0, 0}}) {
        const SizeHints hints = SizeHints::fromProperty(values);
        EXPECT_EQ(hints.step, QSize(1, 1));
        EXPECT_TRUE(hints.canChange(QSize(100, 100), QSize(101, 100)));
        EXPECT_TRUE(hints.canChange(QSize(100, 100), QSize(20, 20))) << "no minimum unless flagged";
        EXPECT_FALSE(hints.canChange(QSize(100, 100), QSize(100, 100)));
    }
}

} // namespace
} // namespace corvane
