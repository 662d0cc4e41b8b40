// What a compositor's agent reports, as the core sees it: numbers that stay with a window, the stacking
// order front to back, the windows a user places, reports of the wrong shape dropped whole, and the
// outputs as screens known by connector and model where the agent tells them.
#include "platform/agent/AgentDesktop.h"

#include "platform/Events.h"
#include "platform/agent/AgentScreens.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace corvane {
namespace {

QJsonObject window(const QString& id, QJsonArray frame, QJsonObject extra = {}) {
    QJsonObject w{{"id", id},         {"pid", 42},        {"appClass", "foot"}, {"frame", frame},
                  {"client", frame},  {"output", "DP-1"}, {"normal", true},     {"onCurrentDesktop", true},
                  {"moveable", true}, {"managed", true}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        w.insert(it.key(), it.value());
    return w;
}

QJsonObject snapshot(QJsonArray windows, QJsonArray stacking, QString active = {}) {
    const QJsonObject output{{"name", "DP-1"},
                             {"frame", QJsonArray{0, 0, 1280, 800}},
                             {"workArea", QJsonArray{0, 0, 1280, 760}},
                             {"scale", 1}};
    return {{"e", "snapshot"},  {"outputs", QJsonArray{output}}, {"windows", windows}, {"stacking", stacking},
            {"active", active}, {"cursor", QJsonArray{10, 10}}};
}

TEST(AgentDesktopTest, WindowsKeepTheirNumbersAndComeFrontToBack) {
    AgentDesktop desktop;
    QSignalSpy removed(&desktop, &AgentDesktop::windowRemoved);
    ASSERT_TRUE(desktop.apply(
        snapshot({window("a", {0, 0, 100, 100}), window("b", {50, 50, 100, 100})}, {"a", "b"}, "b")));
    const quint32 a = desktop.windowById("a")->number;
    const quint32 b = desktop.windowById("b")->number;
    EXPECT_NE(a, b);
    ASSERT_EQ(desktop.windowsFrontToBack().size(), 2);
    EXPECT_EQ(desktop.windowsFrontToBack()[0]->id, "b"); // agents stack bottom to top
    EXPECT_EQ(desktop.activeWindow()->id, "b");
    EXPECT_EQ(desktop.outputs()[0].workArea, QRectF(0, 0, 1280, 760));

    // A window that closes leaves; one that comes back later (ids are never reused) is new.
    ASSERT_TRUE(desktop.apply({{"e", "removed"}, {"id", "a"}}));
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(desktop.window(a), nullptr);
    ASSERT_TRUE(desktop.apply({{"e", "window"}, {"window", window("c", {0, 0, 10, 10})}}));
    EXPECT_NE(desktop.windowById("c")->number, a);
    // A new picture keeps the numbers of the windows it still has and drops the others.
    ASSERT_TRUE(desktop.apply(snapshot({window("b", {5, 5, 100, 100})}, {"b"})));
    EXPECT_EQ(desktop.windowById("b")->number, b);
    EXPECT_EQ(desktop.windowById("c"), nullptr);
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(desktop.activeWindow(), nullptr);
}

TEST(AgentDesktopTest, EachOutputIsAScreenWithItsConnectorAndItsMakersModel) {
    AgentDesktop desktop;
    const QJsonObject wide{{"name", "DP-1"},
                           {"manufacturer", "Dell Inc."},
                           {"model", "DELL U2720Q"},
                           {"frame", QJsonArray{0, 0, 2560, 1440}},
                           {"workArea", QJsonArray{0, 0, 2560, 1400}}};
    const QJsonObject laptop{{"name", "eDP-1"},
                             {"manufacturer", ""},
                             {"model", "0x0BCA"},
                             {"frame", QJsonArray{2560, 0, 1920, 1080}},
                             {"workArea", QJsonArray{2560, 0, 1920, 1080}}};
    // GNOME Shell names its monitors by place and tells no connector.
    const QJsonObject gnome{{"name", "Monitor 3"},
                            {"connector", ""},
                            {"frame", QJsonArray{4480, 0, 1280, 800}},
                            {"workArea", QJsonArray{4480, 32, 1280, 768}}};
    QJsonObject report = snapshot({}, {});
    report["outputs"] = QJsonArray{wide, laptop, gnome};
    ASSERT_TRUE(desktop.apply(report));
    const QList<Screen> screens = AgentScreens(desktop).screens();
    ASSERT_EQ(screens.size(), 3);
    EXPECT_EQ(screens[0].connector, "DP-1") << "KWin's agent names the output by its connector";
    EXPECT_EQ(screens[0].model, "Dell Inc. DELL U2720Q");
    EXPECT_EQ(screens[1].connector, "eDP-1");
    EXPECT_EQ(screens[1].model, "0x0BCA") << "no maker, no space before the model";
    EXPECT_EQ(screens[2].name, "Monitor 3");
    EXPECT_EQ(screens[2].connector, "");
}

TEST(AgentDesktopTest, AReportOfTheWrongShapeChangesNothing) {
    AgentDesktop desktop;
    ASSERT_TRUE(desktop.apply(snapshot({window("a", {0, 0, 100, 100})}, {"a"})));
    const QJsonObject bad[] = {
        snapshot({window("a", {0, 0, 100, 100}), window("b", {0, 0, -5, 100})},
                 {}), // one bad window spoils all
        snapshot({window("a", {0, 0, 100, 100}), window("b", {0, 0, 1e12, 100})}, {}),
        snapshot({QJsonObject{{"id", "x"}}}, {}),
        {{"e", "frame"}, {"id", "a"}, {"frame", "0 0 10 10"}, {"client", QJsonArray{0, 0, 10, 10}}},
        {{"e", "frame"}, {"id", "a"}, {"frame", QJsonArray{0, 0, 10}}, {"client", QJsonArray{0, 0, 10, 10}}},
        {{"e", "outputs"},
         {"outputs",
          QJsonArray{QJsonObject{
              {"name", "DP-1"}, {"frame", QJsonArray{0, 0, 0, 0}}, {"workArea", QJsonArray{0, 0, 0, 0}}}}}},
        {{"e", "moveStarted"}, {"id", "a"}},
        {{"e", "moveStep"},
         {"id", "a"},
         {"cursor", QJsonArray{1, 1}},
         {"frame", QJsonArray{5, 5, 100, 100}},
         {"modifiers", "control"}},
        {{"e", "motion"}, {"cursor", QJsonArray{1, 1}}, {"modifiers", QJsonArray{"shift", 4}}},
        {{"e", "no such report"}},
    };
    QSignalSpy frames(&desktop, &AgentDesktop::windowFrameChanged);
    const QPointF cursor = desktop.cursor();
    for (const QJsonObject& report : bad)
        EXPECT_FALSE(desktop.apply(report)) << QJsonDocument(report).toJson().constData();
    EXPECT_EQ(frames.count(), 0);
    EXPECT_EQ(desktop.windowById("a")->frame, QRectF(0, 0, 100, 100));
    EXPECT_EQ(desktop.windowsFrontToBack().size(), 1);
    EXPECT_EQ(desktop.outputs().size(), 1);
    EXPECT_EQ(desktop.cursor(), cursor) << "a damaged pointer report moves no pointer";

    // The keys held ride on pointer reports; names of keys it does not follow add nothing.
    ASSERT_TRUE(desktop.apply({{"e", "motion"},
                               {"cursor", QJsonArray{2, 2}},
                               {"modifiers", QJsonArray{"super", "control", "hyper"}}}));
    EXPECT_EQ(desktop.modifierFlags(), modifier::kCommand | modifier::kControl);
    ASSERT_TRUE(desktop.apply({{"e", "motion"}, {"cursor", QJsonArray{3, 3}}}));
    EXPECT_EQ(desktop.modifierFlags(), modifier::kCommand | modifier::kControl)
        << "a report without them keeps them";
    ASSERT_TRUE(desktop.apply({{"e", "motion"}, {"cursor", QJsonArray{3, 3}}, {"modifiers", QJsonArray{}}}));
    EXPECT_EQ(desktop.modifierFlags(), 0u);

    // A work area a compositor puts outside its output is no place for windows: the output is.
    const QJsonObject stray{{"name", "DP-2"},
                            {"frame", QJsonArray{1280, 0, 1280, 800}},
                            {"workArea", QJsonArray{0, 0, 100, 100}}};
    ASSERT_TRUE(desktop.apply({{"e", "outputs"}, {"outputs", QJsonArray{stray}}}));
    EXPECT_EQ(desktop.outputs()[0].workArea, QRectF(1280, 0, 1280, 800));
}

TEST(AgentDesktopTest, OnlyAnApplicationsOwnWindowOnThisDesktopIsPlaced) {
    AgentDesktop desktop;
    const QJsonObject kinds[] = {{{"desktopWindow", true}},     {{"dock", true}},
                                 {{"notification", true}},      {{"onScreenDisplay", true}},
                                 {{"onCurrentDesktop", false}}, {{"minimized", true}},
                                 {{"moveable", false}},         {{"normal", false}}};
    QJsonArray windows{window("plain", {0, 0, 10, 10}),
                       window("dialog", {0, 0, 10, 10}, {{"normal", false}, {"dialog", true}})};
    for (int i = 0; i < int(std::size(kinds)); ++i)
        windows.append(window(QString::number(i), {0, 0, 10, 10}, kinds[i]));
    ASSERT_TRUE(desktop.apply(snapshot(windows, {})));
    EXPECT_TRUE(desktop.windowById("plain")->isPlaceable());
    EXPECT_TRUE(desktop.windowById("dialog")->isPlaceable());
    for (int i = 0; i < int(std::size(kinds)); ++i)
        EXPECT_FALSE(desktop.windowById(QString::number(i))->isPlaceable()) << i;
}

} // namespace
} // namespace corvane
