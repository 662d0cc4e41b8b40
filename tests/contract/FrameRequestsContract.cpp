// What every backend's frame requests promise the core: a request completes within its bound with
// the frame the window settled on, even when the client sizes in steps; a window that closes during
// its write completes Gone; requests complete in the order they were made.
#include "contract/ContractTest.h"
#include "platform/WindowFrames.h"

namespace corvane {
namespace {

class FrameRequestsContract : public ContractTest {
protected:
    // Asks for the frame; the result, once the request completes, and how long it took.
    struct Completion {
        std::optional<FrameResult> result;
        double seconds = 0;
    };
    std::shared_ptr<Completion> request(AxElement window, const QRectF& frame) {
        auto completion = std::make_shared<Completion>();
        RunLoop& loop = desk->platform().runLoop;
        const double start = loop.now();
        desk->platform().windowFrames.request({.window = window, .frame = frame},
                                              [completion, &loop, start](const FrameResult& result) {
                                                  completion->result = result;
                                                  completion->seconds = loop.now() - start;
                                              });
        return completion;
    }
    bool completes(const std::shared_ptr<Completion>& completion) {
        return desk->waitUntil(ContractDesktop::kDeadline, [&] { return completion->result.has_value(); });
    }
};

TEST_F(FrameRequestsContract, ARequestCompletesWithinItsBoundWithTheFrameTheWindowSettledOn) {
    const AxElement free = desk->openWindow();
    const AxElement stepped = desk->openWindow(ClientSizing::Stepped);

    const auto reached = request(free, QRectF(0, 0, 720, 450));
    ASSERT_TRUE(completes(reached));
    EXPECT_EQ(reached->result->outcome, FrameOutcome::Reached);
    EXPECT_EQ(reached->result->frame, QRectF(0, 0, 720, 450));
    EXPECT_LE(reached->seconds, kFrameRequestTimeout);

    // Between two whole cells: the client keeps the one below.
    if (const auto why = desk->whyNoClientKeepsWholeCells())
        GTEST_SKIP() << *why;
    const auto settled = request(stepped, QRectF(720, 0, 719, 449));
    ASSERT_TRUE(completes(settled));
    EXPECT_EQ(settled->result->outcome, FrameOutcome::Settled);
    ASSERT_TRUE(settled->result->frame);
    EXPECT_EQ(settled->result->frame->topLeft(), QPointF(720, 0));
    EXPECT_LT(settled->result->frame->width(), 719);
    EXPECT_LE(settled->seconds, kFrameRequestTimeout);
}

TEST_F(FrameRequestsContract, AWindowThatClosesDuringItsWriteCompletesGone) {
    const AxElement window = desk->openWindow(ClientSizing::Stepped);
    const auto gone = request(window, QRectF(0, 0, 720, 450));
    desk->closeWindow(window);
    ASSERT_TRUE(completes(gone));
    EXPECT_EQ(gone->result->outcome, FrameOutcome::Gone);
    EXPECT_FALSE(gone->result->frame);
}

TEST_F(FrameRequestsContract, RequestsCompleteInTheOrderTheyWereMade) {
    const AxElement first = desk->openWindow();
    const AxElement second = desk->openWindow(ClientSizing::Stepped);
    QList<int> completed;
    const auto note = [&](int which) {
        return [&completed, which](const FrameResult&) { completed.append(which); };
    };
    WindowFrames& frames = desk->platform().windowFrames;
    frames.request({.window = first, .frame = QRectF(0, 0, 720, 450)}, note(1));
    frames.request({.window = second, .frame = QRectF(720, 0, 720, 450)}, note(2));
    frames.request({.window = first, .frame = QRectF(0, 450, 720, 450)}, note(3));
    ASSERT_TRUE(desk->waitUntil(ContractDesktop::kDeadline, [&] { return completed.size() == 3; }));
    EXPECT_EQ(completed, (QList<int>{1, 2, 3}));
    const AttributeResult position = desk->platform().accessibility.copyAttributeValue(first, ax::kPosition);
    ASSERT_TRUE(position.get<AxValue>());
    EXPECT_EQ(position.get<AxValue>()->pointValue(), QPointF(0, 450))
        << "the last request for a window holds";
}

} // namespace
} // namespace corvane
