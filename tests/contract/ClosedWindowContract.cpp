// What every backend promises of a window that closed while the core still holds it: reads and writes
// fail at once with InvalidElement, and the other windows answer as before.
#include "contract/ContractTest.h"

namespace corvane {
namespace {

using ClosedWindowContract = ContractTest;

TEST_F(ClosedWindowContract, ReadingOrWritingAClosedWindowFailsWithInvalidElement) {
    Accessibility& ax = desk->platform().accessibility;
    const AxElement closed = desk->openWindow();
    const AxElement open = desk->openWindow(ClientSizing::Stepped);
    ASSERT_EQ(ax.copyAttributeValue(closed, ax::kPosition).error, AxError::Success);
    desk->closeWindow(closed);

    for (const char* attribute : {ax::kPosition, ax::kSize, ax::kParent, ax::kRestoreFrame, ax::kFullScreen})
        EXPECT_EQ(ax.copyAttributeValue(closed, attribute).error, AxError::InvalidElement) << attribute;
    EXPECT_EQ(ax.setAttributeValue(closed, ax::kRestoreFrame, AxValue::ofRect({0, 0, 300, 200})),
              AxError::InvalidElement);
    EXPECT_EQ(ax.pidOfElement(closed).error, AxError::InvalidElement);
    EXPECT_EQ(ax.copyAttributeValue(open, ax::kSize).error, AxError::Success);
}

} // namespace
} // namespace corvane
