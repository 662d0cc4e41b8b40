// The agent protocol's check, which tells a side that drifted from the one description: what the agents
// report is dropped when it is outside it, and every command Corvane's parts send is inside it.
#include "platform/agent/AgentDesktop.h"
#include "platform/agent/AgentProtocolCheck.h"
#include "platform/agent/AgentScreens.h"
#include "platform/gnome/GnomeCanvas.h"
#include "platform/gnome/GnomeSnapPreview.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace corvane {
namespace {

using agentprotocol::commandViolation;
using agentprotocol::eventViolation;

QJsonObject output(const QString& name) {
    return {
        {"name", name}, {"frame", QJsonArray{0, 0, 1280, 800}}, {"workArea", QJsonArray{0, 32, 1280, 768}}};
}

QJsonObject window(const QString& id) {
    const QJsonArray frame{10, 20, 300, 200};
    return {{"id", id}, {"pid", 7}, {"frame", frame}, {"client", frame}, {"normal", true}, {"managed", true}};
}

TEST(AgentProtocolTest, EventsOutsideTheDescriptionAreNamedAndTheRestPass) {
    QJsonObject misspelled = output("DP-1");
    misspelled.remove("workArea");
    misspelled.insert("workarea", QJsonArray{0, 0, 1, 1});
    QJsonObject noId = window("w");
    noId.remove("id");
    QJsonObject flagAsNumber = window("w");
    flagAsNumber.insert("dock", 1);
    const struct {
        QJsonObject event;
        QString violation; // empty for an event of the protocol
        unsigned agents = agentprotocol::kKwinAgent | agentprotocol::kGnomeAgent;
    } rows[] = {
        {{{"e", "snapshot"},
          {"outputs", QJsonArray{output("DP-1")}},
          {"windows", QJsonArray{window("a"), window("b")}},
          {"stacking", QJsonArray{"a", "b"}},
          {"active", ""},
          {"cursor", QJsonArray{1, 2}}},
         ""},
        {{{"e", "moveStep"}, {"id", "a"}, {"cursor", QJsonArray{1, 2}}, {"modifiers", QJsonArray{"control"}}},
         "",
         agentprotocol::kKwinAgent},
        {{{"e", "palette"}, {"kind", "press"}, {"cursor", QJsonArray{3, 4}}}, "", agentprotocol::kGnomeAgent},
        {{{"e", "palette"}, {"kind", "press"}, {"cursor", QJsonArray{3, 4}}},
         "no message of the protocol: palette",
         agentprotocol::kKwinAgent},
        {{{"e", "explode"}}, "no message of the protocol: explode"},
        {{{"id", "a"}}, "no message of the protocol: "},
        {{{"e", "outputs"}, {"outputs", QJsonArray{misspelled}}},
         "outputs.outputs is an item output has no workArea"},
        {{{"e", "window"}, {"window", noId}}, "window.window is window has no id"},
        {{{"e", "window"}, {"window", flagAsNumber}}, "window.window is window.dock is not true or false"},
        {{{"e", "motion"}, {"cursor", QJsonArray{1, 2, 3}}}, "motion.cursor is not [x, y]"},
        {{{"e", "active"}, {"id", "a"}, {"window", "a"}},
         "active has a field the protocol does not name: window"},
        {{{"e", "stacking"}, {"stacking", QJsonArray{"a", 2}}}, "stacking.stacking is an item not a string"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(eventViolation(row.event, row.agents), row.violation)
            << QJsonDocument(row.event).toJson(QJsonDocument::Compact).toStdString();
}

TEST(AgentProtocolTest, AReportKeepsItsEventsOfTheProtocolAndDropsTheOthers) {
    QJsonObject renamed = window("w");
    renamed.insert("desktop", true); // a field the agent renamed, or the description did
    const QJsonArray report{QJsonObject{{"e", "window"}, {"window", window("a")}},
                            QJsonObject{{"e", "window"}, {"window", renamed}},
                            QJsonObject{{"e", "active"}, {"id", "a"}}};
    const std::optional<QJsonArray> events =
        AgentDesktop::events(QString::fromUtf8(QJsonDocument(report).toJson()));
    ASSERT_TRUE(events);
    ASSERT_EQ(events->size(), 2);
    EXPECT_EQ((*events)[0].toObject(), report[0].toObject());
    EXPECT_EQ((*events)[1].toObject(), report[2].toObject());
}

TEST(AgentProtocolTest, CommandsNeedTheirFieldsUnlessANullFrameHidesAndNameNoOther) {
    const QJsonArray rect{0, 0, 10, 10};
    const struct {
        QJsonObject command;
        QString violation;
    } rows[] = {
        {{{"c", "preview"}, {"frame", QJsonValue()}}, ""},
        {{{"c", "preview"}, {"frame", rect}, {"fill", "#00000000"}, {"border", "#ffffffff"}}, ""},
        {{{"c", "preview"}, {"frame", rect}, {"fill", "#00000000"}}, "preview has no border"},
        {{{"c", "preview"}, {"frame", rect}, {"fill", "red"}, {"border", "#ffffffff"}},
         "preview.fill is not #rrggbbaa"},
        {{{"c", "preview"}}, "preview has no frame"},
        {{{"c", "snapshot"}, {"id", "a"}}, "snapshot has a field the protocol does not name: id"},
        {{{"c", "keys"}, {"bindings", QJsonObject{{"layout-1", QJsonArray{"<Control><Alt>1"}}}}}, ""},
        {{{"c", "keys"}, {"bindings", QJsonObject{{"layout-1", "<Control><Alt>1"}}}},
         "keys.bindings is an item not a list of strings"},
        {{{"c", "regions"}, {"regions", QJsonArray{rect, QJsonArray{1, 2}}}},
         "regions.regions is an item not [x, y, width, height]"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(commandViolation(row.command), row.violation)
            << QJsonDocument(row.command).toJson(QJsonDocument::Compact).toStdString();
}

TEST(AgentProtocolTest, ThePreviewAndThePaletteSendCommandsOfTheProtocol) {
    AgentDesktop desktop;
    ASSERT_TRUE(desktop.apply({{"e", "outputs"}, {"outputs", QJsonArray{output("Monitor 1")}}}));
    AgentScreens screens(desktop);
    QList<QJsonObject> sent;
    const AgentCommand send = [&](const QJsonObject& c) { sent.append(c); };
    GnomeSnapPreview preview(send, screens);
    GnomeCanvas canvas(send, screens);
    preview.show(QRectF(0, 0, 640, 768), std::nullopt);
    preview.show(QRectF(0, 0, 640, 768), QRectF(640, 0, 640, 768));
    preview.hide();
    CanvasScene scene;
    scene.frame = QRectF(100, 500, 374, 164);
    scene.isInteractive = true;
    scene.shapes = {{QRectF(0, 0, 374, 164), 0xf0202020, 0x26ffffff, 1, 10}};
    scene.texts = {{QRectF(12, 12, 350, 12), "QUICK SNAP", 0xffaaaaaa, 11, true}};
    canvas.show(scene);
    canvas.hide();
    ASSERT_EQ(sent.size(), 5);
    for (const QJsonObject& command : std::as_const(sent))
        EXPECT_EQ(commandViolation(command, agentprotocol::kGnomeAgent), "")
            << QJsonDocument(command).toJson(QJsonDocument::Compact).toStdString();
}

} // namespace
} // namespace corvane
