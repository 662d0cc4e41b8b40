// A user's move of a window a compositor's agent reports, as the core sees it: a press where it started,
// drags, a release, in screen coordinates, each with the modifier keys held at its moment; and the agent
// asked to report moves only while someone listens.
#include "platform/agent/AgentEvents.h"

#include "platform/agent/AgentProtocolCheck.h"
#include "platform/sim/SimRunLoop.h"

#include <QJsonArray>
#include <gtest/gtest.h>
#include <tuple>

namespace corvane {
namespace {

TEST(AgentEventsTest, AMoveArrivesAsPressDragsAndReleaseOnlyWhileAMonitorWantsThem) {
    SimRunLoop runLoop;
    AgentDesktop desktop;
    AgentScreens screens(desktop);
    QList<QJsonObject> sent;
    quint64 held = 0;
    // Every command it sends is one of the agent protocol.
    const auto send = [&](const QJsonObject& c) {
        EXPECT_EQ(agentprotocol::commandViolation(c), "");
        sent.append(c);
    };
    AgentEvents events(
        send, desktop, screens, [&] { return held; }, runLoop);
    const QJsonObject output{
        {"name", "DP-1"}, {"frame", QJsonArray{0, 0, 1000, 800}}, {"workArea", QJsonArray{0, 0, 1000, 800}}};
    const QJsonArray frame{100, 100, 400, 300};
    const QJsonObject window{{"id", "w"},        {"pid", 7},       {"frame", frame},
                             {"client", frame},  {"normal", true}, {"onCurrentDesktop", true},
                             {"moveable", true}, {"managed", true}};
    const QJsonObject snapshot{{"e", "snapshot"},
                               {"outputs", QJsonArray{output}},
                               {"windows", QJsonArray{window}},
                               {"stacking", QJsonArray{"w"}},
                               {"active", "w"},
                               {"cursor", QJsonArray{0, 0}}};
    ASSERT_TRUE(desktop.apply(snapshot));

    const auto keys = events.addGlobalMonitor(maskOf(EventType::KeyDown), [](const Event&) {});
    EXPECT_TRUE(sent.isEmpty()) << "nobody wants the pointer yet";
    QList<std::tuple<EventType, QPointF, quint64>> seen;
    const auto pointer =
        events.addGlobalMonitor(maskOf(EventType::LeftMouseDown) | maskOf(EventType::LeftMouseDragged) |
                                    maskOf(EventType::LeftMouseUp),
                                [&](const Event& e) {
                                    seen.append({e.type, events.mouseLocation(), e.modifierFlags});
                                });
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0]["c"], "moves");
    EXPECT_EQ(sent[0]["report"], true);

    desktop.apply({{"e", "moveStarted"}, {"id", "w"}, {"cursor", QJsonArray{150, 110}}});
    held = modifier::kCommand;
    desktop.apply({{"e", "moveStep"}, {"id", "w"}, {"cursor", QJsonArray{160, 120}}});
    held = 0;
    desktop.apply({{"e", "moveFinished"}, {"id", "w"}, {"cursor", QJsonArray{170, 130}}});
    // Screen coordinates: y up from the primary output's bottom.
    const QList<std::tuple<EventType, QPointF, quint64>> expected{
        {EventType::LeftMouseDown, {150, 690}, 0},
        {EventType::LeftMouseDragged, {160, 680}, modifier::kCommand},
        {EventType::LeftMouseUp, {170, 670}, 0}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(events.pressedMouseButtons(), 0u);

    // A compositor tells of a move once the pointer has gone some way, here off the window's top: the press
    // was on the window. A step carries the moved window's frame, which nothing else reports during a move.
    seen.clear();
    QList<quint32> framesChanged;
    QObject::connect(&desktop, &AgentDesktop::windowFrameChanged,
                     [&](quint32 number) { framesChanged.append(number); });
    desktop.apply({{"e", "moveStarted"}, {"id", "w"}, {"cursor", QJsonArray{150, 80}}});
    desktop.apply({{"e", "moveStep"},
                   {"id", "w"},
                   {"cursor", QJsonArray{150, 70}},
                   {"frame", QJsonArray{100, 60, 400, 300}}});
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(std::get<QPointF>(seen[0]), QPointF(150, 700))
        << "the press at the nearest point of the window's frame";
    EXPECT_EQ(std::get<QPointF>(seen[1]), QPointF(150, 730)) << "the drag where the pointer is";
    ASSERT_EQ(framesChanged.size(), 1);
    EXPECT_EQ(desktop.window(framesChanged[0])->frame, QRectF(100, 60, 400, 300));
    desktop.apply({{"e", "moveFinished"}, {"id", "w"}, {"cursor", QJsonArray{150, 70}}});

    // A move of one of Corvane's own windows is no press to act on.
    seen.clear();
    desktop.setOwnPid(7);
    desktop.apply({{"e", "moveStarted"}, {"id", "w"}, {"cursor", QJsonArray{150, 110}}});
    desktop.apply({{"e", "moveStep"}, {"id", "w"}, {"cursor", QJsonArray{160, 120}}});
    desktop.apply({{"e", "moveFinished"}, {"id", "w"}, {"cursor", QJsonArray{170, 130}}});
    EXPECT_TRUE(seen.isEmpty());

    // An agent that started again knows nothing of what it was asked: its first picture brings it back.
    events.setMotionRegions({QRectF(0, 0, 10, 10)});
    sent.clear();
    desktop.reset();
    ASSERT_TRUE(desktop.apply(snapshot));
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[0]["report"], true);
    EXPECT_EQ(sent[1]["regions"].toArray(), (QJsonArray{QJsonArray{0, 790, 10, 10}}));

    events.removeMonitor(*pointer);
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[2]["report"], false);
    events.removeMonitor(*keys);
    EXPECT_EQ(sent.size(), 3);
}

// A caller's barrier on the pointer: each wait is a sync the agent answers in order, an answer stands
// for the syncs before it, and a sync never answered ends at its deadline.
TEST(AgentEventsTest, APointerBarrierEndsWithTheAgentsAnswerOrItsDeadline) {
    SimRunLoop runLoop;
    AgentDesktop desktop;
    AgentScreens screens(desktop);
    QList<QJsonObject> sent;
    AgentEvents events(
        [&](const QJsonObject& c) {
            EXPECT_EQ(agentprotocol::commandViolation(c), "");
            sent.append(c);
        },
        desktop, screens, [] { return quint64(0); }, runLoop);
    QStringList answered;
    events.whenPointerCaughtUp([&] { answered.append("first"); });
    events.whenPointerCaughtUp([&] { answered.append("second"); });
    events.whenPointerCaughtUp([&] { answered.append("third"); });
    ASSERT_EQ(sent.size(), 3);
    EXPECT_EQ(sent[0]["c"], "sync");
    EXPECT_TRUE(answered.isEmpty()) << "nothing before the agent answers";

    // The second's answer; the first's was lost.
    EXPECT_TRUE(desktop.apply({{"e", "synced"}, {"n", sent[1]["n"]}}));
    EXPECT_EQ(answered, (QStringList{"first", "second"}));
    runLoop.advance(Events::kCatchUpSeconds);
    EXPECT_EQ(answered, (QStringList{"first", "second", "third"})) << "the deadline ends an unanswered wait";
    EXPECT_TRUE(desktop.apply({{"e", "synced"}, {"n", sent[2]["n"]}}));
    EXPECT_EQ(answered.size(), 3) << "a late answer runs nothing twice";
}

} // namespace
} // namespace corvane
