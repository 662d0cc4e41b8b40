// What the GNOME Shell extension is told to draw for the palette, in the Shell's coordinates and in the
// bridge's form, and the pointer it reports back: in Corvane's screen coordinates, and only while
// something is shown and the report is well formed.
#include "platform/gnome/GnomeCanvas.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace corvane {
namespace {

class GnomeCanvasTest : public ::testing::Test {
protected:
    GnomeCanvasTest() {
        // The primary monitor 1280 x 800, a second one to its right; the top bar 32 high.
        desktop.apply({{"e", "outputs"},
                       {"outputs", QJsonArray{QJsonObject{{"name", "Monitor 1"},
                                                          {"frame", QJsonArray{0, 0, 1280, 800}},
                                                          {"workArea", QJsonArray{0, 32, 1280, 768}}},
                                              QJsonObject{{"name", "Monitor 2"},
                                                          {"frame", QJsonArray{1280, 0, 1280, 800}},
                                                          {"workArea", QJsonArray{1280, 0, 1280, 800}}}}}});
    }

    AgentDesktop desktop;
    AgentScreens screens{desktop};
    QList<QJsonObject> sent;
    GnomeCanvas canvas{[this](const QJsonObject& c) { sent.append(c); }, screens};
};

TEST_F(GnomeCanvasTest, TheSceneGoesInTheShellsCoordinatesOnceAndItsHideOnce) {
    CanvasScene scene;
    scene.frame = QRectF(100, 500, 374, 164); // screen coordinates: y up, the top edge at 664
    scene.shapes = {{QRectF(0, 0, 374, 164), 0xf0202020, 0x26ffffff, 1, 10},
                    {QRectF(12, 32, 39, 54), 0xff3584e4, 0x00000000, 0, 4}};
    scene.texts = {{QRectF(12, 12, 350, 12), "QUICK SNAP", 0xffaaaaaa, 11, true}};
    canvas.show(scene);
    canvas.show(scene);
    ASSERT_EQ(sent.size(), 1) << "the same scene is not sent again";
    const QJsonObject& command = sent[0];
    EXPECT_EQ(command["c"], "palette");
    EXPECT_EQ(command["frame"].toArray(), (QJsonArray{100, 800 - 664, 374, 164}));
    EXPECT_EQ(command["interactive"], true);
    const QJsonArray shapes = command["shapes"].toArray();
    ASSERT_EQ(shapes.size(), 2);
    EXPECT_EQ(shapes[0]["rect"].toArray(), (QJsonArray{0, 0, 374, 164})) << "shapes stay in the scene's own";
    EXPECT_EQ(shapes[0]["fill"], "#202020f0");
    EXPECT_EQ(shapes[0]["border"], "#ffffff26");
    EXPECT_EQ(shapes[0]["borderWidth"], 1);
    EXPECT_EQ(shapes[1]["radius"], 4);
    const QJsonArray texts = command["texts"].toArray();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0]["text"], "QUICK SNAP");
    EXPECT_EQ(texts[0]["color"], "#aaaaaaff");
    EXPECT_EQ(texts[0]["size"], 11);
    EXPECT_EQ(texts[0]["bold"], true);
    EXPECT_TRUE(canvas.isShown());

    scene.shapes[1].fill = 0xff333333;
    scene.isInteractive = false;
    canvas.show(scene);
    ASSERT_EQ(sent.size(), 2) << "a lit zone changes the scene";
    EXPECT_EQ(sent[1]["interactive"], false);

    // A scene past the bounds is cut to them, never sent whole.
    scene.shapes = QList<CanvasShape>(GnomeCanvas::maxShapes + 5, scene.shapes[0]);
    scene.texts = {{QRectF(0, 0, 10, 10), QString(500, u'x'), 0xff000000, 10, false}};
    canvas.show(scene);
    EXPECT_EQ(sent.last()["shapes"].toArray().size(), GnomeCanvas::maxShapes);
    EXPECT_EQ(sent.last()["texts"].toArray().at(0).toObject()["text"].toString().size(),
              GnomeCanvas::maxTextCharacters);

    canvas.hide();
    canvas.hide();
    ASSERT_EQ(sent.size(), 4);
    EXPECT_EQ(sent.last(), (QJsonObject{{"c", "palette"}, {"frame", QJsonValue()}}));
    EXPECT_FALSE(canvas.isShown());
}

TEST_F(GnomeCanvasTest, ThePointerReportedComesInScreenCoordinatesWhileASceneIsShown) {
    QSignalSpy pointer(&canvas, &AgentCanvas::pointer);
    const auto report = [this](const QJsonObject& fields) {
        QJsonObject event{{"e", "palette"}};
        for (auto it = fields.begin(); it != fields.end(); ++it)
            event.insert(it.key(), it.value());
        canvas.report(event);
    };
    report({{"kind", "press"}, {"cursor", QJsonArray{150, 200}}});
    EXPECT_EQ(pointer.size(), 0) << "nothing shown: a report that crossed the hide";

    canvas.show({QRectF(100, 500, 374, 164), {}, {}, true});
    report({{"kind", "motion"}, {"cursor", QJsonArray{150, 200}}});
    report({{"kind", "press"}, {"cursor", QJsonArray{1300.5, 10}}});
    report({{"kind", "release"}, {"cursor", QJsonArray{150, 200}}});
    report({{"kind", "leave"}, {"cursor", QJsonArray{0, 0}}});
    for (const QJsonObject& bad :
         {QJsonObject{{"kind", "explode"}, {"cursor", QJsonArray{1, 2}}}, QJsonObject{{"kind", "press"}},
          QJsonObject{{"kind", "press"}, {"cursor", QJsonArray{1}}},
          QJsonObject{{"kind", "press"}, {"cursor", QJsonArray{"1", 2}}},
          QJsonObject{{"cursor", QJsonArray{1, 2}}}})
        report(bad);
    ASSERT_EQ(pointer.size(), 4) << "malformed reports are dropped";
    EXPECT_EQ(pointer[0][0].value<CanvasPointer>(), CanvasPointer::Motion);
    EXPECT_EQ(pointer[0][1].toPointF(), QPointF(150, 600)) << "y up from the primary monitor's bottom";
    EXPECT_EQ(pointer[1][0].value<CanvasPointer>(), CanvasPointer::Press);
    EXPECT_EQ(pointer[1][1].toPointF(), QPointF(1300.5, 790));
    EXPECT_EQ(pointer[2][0].value<CanvasPointer>(), CanvasPointer::Release);
    EXPECT_EQ(pointer[3][0].value<CanvasPointer>(), CanvasPointer::Leave);
}

} // namespace
} // namespace corvane
