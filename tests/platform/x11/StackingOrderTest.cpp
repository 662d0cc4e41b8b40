// The stacking order of client windows follows the server's stack of their frames, whatever the
// window manager's list says.
#include "platform/x11/StackingOrder.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(StackingOrderTest, FramesOnTheServerDecideTheOrder) {
    // Clients 11, 12, 13 in frames 1, 2, 3; the window manager's list still has 13 on top, but 11 was
    // raised since (its frame is the root's last child). 20 is an unframed client at the bottom.
    const QList<quint32> rootChildren{20, 2, 3, 1, 99};
    const QList<quint32> listed{20, 11, 12, 13};
    const QHash<quint32, quint32> frames{{11, 1}, {12, 2}, {13, 3}, {20, 20}};
    EXPECT_EQ(stackingFrontToBack(rootChildren, listed, frames), (QList<quint32>{11, 13, 12, 20}));
}

TEST(StackingOrderTest, ClientsWithoutAKnownFrameFollowTheWindowManagersOrderBehindTheRest) {
    const QList<quint32> listed{11, 12, 13, 14};
    const QHash<quint32, quint32> frames{{12, 2}, {14, 4}};
    EXPECT_EQ(stackingFrontToBack({4, 2}, listed, frames), (QList<quint32>{12, 14, 13, 11}));
    EXPECT_EQ(stackingFrontToBack({}, listed, {}), (QList<quint32>{14, 13, 12, 11}))
        << "without the server's tree, the window manager's list";
}

TEST(StackingOrderTest, AClientWhoseFrameHasLeftTheRootGoesBehindEveryFramedOne) {
    // 15's frame 5 is known but no longer a child of the root (the frame is being destroyed): 15 sorts
    // with the unframed clients, not level with the bottom-most frame.
    const QList<quint32> listed{11, 14, 15, 12};
    const QHash<quint32, quint32> frames{{12, 2}, {14, 4}, {15, 5}};
    EXPECT_EQ(stackingFrontToBack({4, 2}, listed, frames), (QList<quint32>{12, 14, 15, 11}));
}

} // namespace
} // namespace corvane
