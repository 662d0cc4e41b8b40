// Frame requests through a compositor's agent: the command the agent gets, in the compositor's
// coordinates, and the outcome told by the frames it reports after it; the frame from before the first
// placement kept across a restart.
#include "platform/agent/AgentWindowFrames.h"

#include "platform/agent/AgentProtocolCheck.h"
#include "platform/sim/SimRunLoop.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace corvane {
namespace {

// The primary output lies off the compositor's origin, so AX coordinates (from its top-left) differ
// from the compositor's.
const QRectF kPrimary(100, 50, 1000, 700);

// Title bars with no button anyone knows of.
class NoTitleBars final : public AgentTitleBars {
public:
    ButtonLayout layout() const override { return {}; }
    std::optional<QRectF> maximizeButton(const ButtonLayout&, const AgentWindow&) const override {
        return std::nullopt;
    }
};

class AgentWindowFramesTest : public ::testing::Test {
protected:
    AgentWindowFramesTest() {
        const QJsonObject output{{"name", "DP-1"},
                                 {"frame", QJsonArray{100, 50, 1000, 700}},
                                 {"workArea", QJsonArray{100, 50, 1000, 700}}};
        desktop.apply({{"e", "snapshot"},
                       {"outputs", QJsonArray{output}},
                       {"windows", QJsonArray{windowReport({300, 250, 400, 300})}},
                       {"stacking", QJsonArray{"w"}},
                       {"active", "w"},
                       {"cursor", QJsonArray{0, 0}}});
    }

    static QJsonObject windowReport(const QRectF& frame) {
        const QJsonArray f{frame.x(), frame.y(), frame.width(), frame.height()};
        return {{"id", "w"},        {"pid", 7},       {"frame", f},
                {"client", f},      {"normal", true}, {"onCurrentDesktop", true},
                {"moveable", true}, {"managed", true}};
    }
    // The agent reports the window's frame.
    void report(const QRectF& frame) {
        const QJsonArray f{frame.x(), frame.y(), frame.width(), frame.height()};
        desktop.apply({{"e", "frame"}, {"id", "w"}, {"frame", f}, {"client", f}});
    }
    AxElement element() { return AgentAccessibility::windowElement(desktop.windowById("w")->number); }
    QRectF sentFrame(qsizetype i) {
        const QJsonArray f = sent.at(i)["frame"].toArray();
        return QRectF(f[0].toDouble(), f[1].toDouble(), f[2].toDouble(), f[3].toDouble());
    }

    QTemporaryDir dir;
    SimRunLoop runLoop;
    AgentDesktop desktop;
    AgentScreens screens{desktop};
    AgentRestoreFrames restoreFrames{dir.filePath("restore.json")};
    NoTitleBars titleBarButtons;
    AgentAccessibility accessibility{desktop, screens, restoreFrames, titleBarButtons};
    QList<QJsonObject> sent;
    AgentWindowFrames frames{[this](const QJsonObject& c) {
                                 EXPECT_EQ(agentprotocol::commandViolation(c), "")
                                     << "a frame of the protocol";
                                 sent.append(c);
                             },
                             desktop,
                             accessibility,
                             screens,
                             restoreFrames,
                             runLoop};
    QList<FrameResult> results;
    FrameDone collect = [this](const FrameResult& r) { results.append(r); };
};

TEST_F(AgentWindowFramesTest, APlacementIsAskedInTheCompositorsCoordinatesAndCompletesWhereTheWindowSettles) {
    frames.request({element(), QRectF(0, 0, 500, 700)}, collect);
    EXPECT_TRUE(sent.isEmpty()) << "nothing runs before request() returns";
    runLoop.runPending();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0]["c"], "frame");
    EXPECT_EQ(sent[0]["id"], "w");
    EXPECT_EQ(sentFrame(0), QRectF(100, 50, 500, 700));
    // The old frame is still there at first: the agent reports the new one a frame later.
    runLoop.advance(0.016);
    EXPECT_TRUE(results.isEmpty());
    report(QRectF(100, 50, 500, 700));
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].outcome, FrameOutcome::Reached);
    EXPECT_EQ(results[0].frame, QRectF(0, 0, 500, 700));
    // The frame before the first placement is kept, in AX coordinates for the core.
    const AttributeResult kept = accessibility.copyAttributeValue(element(), ax::kRestoreFrame);
    ASSERT_TRUE(kept.get<AxValue>());
    EXPECT_EQ(kept.get<AxValue>()->rectValue(), QRectF(200, 200, 400, 300));

    // A terminal rounds its size to its cells: the request settles on the frame it keeps, and a second
    // placement leaves the first frame remembered.
    frames.request({element(), QRectF(500, 0, 500, 700)}, collect);
    runLoop.runPending();
    report(QRectF(600, 50, 496, 693));
    runLoop.advance(0.049);
    EXPECT_EQ(results.size(), 1);
    runLoop.advance(0.002);
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[1].outcome, FrameOutcome::Settled);
    EXPECT_EQ(results[1].frame, QRectF(500, 0, 496, 693));
    EXPECT_EQ(accessibility.copyAttributeValue(element(), ax::kRestoreFrame).get<AxValue>()->rectValue(),
              QRectF(200, 200, 400, 300));

    // The remembered frame outlives this Corvane: a new one reads it back.
    AgentRestoreFrames restarted(dir.filePath("restore.json"));
    EXPECT_EQ(restarted.frame("w"), QRectF(300, 250, 400, 300));
}

TEST_F(AgentWindowFramesTest, ACompositorSlowerThanTheSettleTimeIsWaitedForAndOneThatMovesNothingTimesOut) {
    frames.request({element(), QRectF(0, 0, 500, 700)}, collect);
    runLoop.runPending();
    // A busy compositor reports the new frame long after the settle time, after a report of the
    // window's old frame (its title changed meanwhile).
    runLoop.advance(0.030);
    report(QRectF(300, 250, 400, 300));
    runLoop.advance(0.090);
    EXPECT_TRUE(results.isEmpty()) << "the frame from before the request is no answer to it";
    report(QRectF(100, 50, 500, 700));
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].outcome, FrameOutcome::Reached);

    // A window the compositor leaves where it is: nothing is reported, and the request times out.
    frames.request({element(), QRectF(500, 0, 500, 700)}, collect);
    runLoop.runPending();
    runLoop.advance(kFrameRequestTimeout - 0.001);
    EXPECT_EQ(results.size(), 1);
    runLoop.advance(0.002);
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[1].outcome, FrameOutcome::TimedOut);
    EXPECT_EQ(results[1].frame, QRectF(0, 0, 500, 700));
}

TEST_F(AgentWindowFramesTest, RequestsRunInOrderAndAWindowThatClosesCompletesGone) {
    frames.request({element(), QRectF(0, 0, 500, 700)}, collect);
    frames.request({element(), QRectF(500, 0, 500, 700), FrameWrite::Placement, RememberedFrame::Forget},
                   collect);
    runLoop.runPending();
    ASSERT_EQ(sent.size(), 1) << "the second waits for the first";
    report(QRectF(100, 50, 500, 700));
    runLoop.runPending();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sentFrame(1), QRectF(600, 50, 500, 700));
    // A restore forgets the remembered frame.
    EXPECT_EQ(accessibility.copyAttributeValue(element(), ax::kRestoreFrame).error, AxError::NoValue);
    // A window that keeps moving times out; one that closes is gone.
    for (int i = 0; i < 10; ++i) {
        runLoop.advance(0.030);
        report(QRectF(601 + i, 50, 500, 700));
    }
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[1].outcome, FrameOutcome::TimedOut);

    const AxElement closing = element();
    frames.request({closing, QRectF(0, 0, 500, 700)}, collect);
    runLoop.runPending();
    desktop.apply({{"e", "removed"}, {"id", "w"}});
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results[2].outcome, FrameOutcome::Gone);
    frames.request({closing, QRectF(0, 0, 500, 700)}, collect);
    EXPECT_EQ(results.size(), 3);
    runLoop.runPending();
    ASSERT_EQ(results.size(), 4);
    EXPECT_EQ(results[3].outcome, FrameOutcome::Gone);
    EXPECT_EQ(sent.size(), 3) << "nothing is sent for a window that is gone";
}

TEST(AgentRestoreFramesTest, ADamagedOrStrangeFileIsAnEmptyStoreAndWindowsThatLeftAreForgotten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("restore.json");
    for (const QByteArray& content : {QByteArray("not json"), QByteArray("[1,2]"),
                                      QByteArray(R"({"a": "0 0 1 1", "b": [0, 0, -1, 5]})")}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        AgentRestoreFrames store(path);
        EXPECT_FALSE(store.frame("a")) << content.constData();
        EXPECT_FALSE(store.frame("b")) << content.constData();
    }
    ASSERT_EQ(::mkfifo(dir.filePath("fifo").toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(AgentRestoreFrames(dir.filePath("fifo")).frame("a")) << "a FIFO is never opened to wait on";

    AgentRestoreFrames store(path);
    store.setFrame("a", QRectF(1, 2, 3, 4));
    store.setFrame("b", QRectF(5, 6, 7, 8));
    store.keepOnly({"b"});
    AgentRestoreFrames reread(path);
    EXPECT_FALSE(reread.frame("a"));
    EXPECT_EQ(reread.frame("b"), QRectF(5, 6, 7, 8));
}

} // namespace
} // namespace corvane
