// Where KWin draws a window's maximize button, and the window list following kwinrc as it changes. The
// frames and buttons are foot's windows on KWin 6.3 (Wayland), each button where the pointer lit it.
#include "platform/kwin/KWinTitleBarButtons.h"

#include "platform/agent/AgentAccessibility.h"
#include "platform/agent/AgentWindowServer.h"

#include <QJsonArray>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane {
namespace {

AgentWindow window(const QRectF& frame, const QRectF& client) {
    AgentWindow w;
    w.frame = frame;
    w.client = client;
    return w;
}

TEST(KWinTitleBarButtonsTest, MaximizeLiesWhereBreezeDrawsIt) {
    // Breeze's 1-pixel side borders, then its largest ones; large buttons; maximized, without borders.
    const AgentWindow stock = window({291, 134, 698, 531}, {292, 170, 696, 494});
    const AgentWindow wideBorders = window({280, 129, 720, 542}, {292, 165, 696, 494});
    const AgentWindow largeButtons = window({291, 131, 698, 537}, {292, 173, 696, 494});
    const AgentWindow maximized = window({0, 0, 1280, 800}, {0, 36, 1280, 764});
    const ButtonLayout onRight = kwinLayout("MS", "HIAX");
    const ButtonLayout onLeft = kwinLayout("XA", "I");
    const KWinTitleBarButtons buttons{ConfigFolders{}};
    EXPECT_EQ(buttons.maximizeButton(onRight, stock), QRectF(928, 140, 24, 24));
    EXPECT_EQ(buttons.maximizeButton(onLeft, stock), QRectF(328, 140, 24, 24));
    EXPECT_EQ(buttons.maximizeButton(onLeft, wideBorders), QRectF(328, 135, 24, 24));
    EXPECT_EQ(buttons.maximizeButton(onLeft, largeButtons), QRectF(334, 137, 30, 30));
    EXPECT_EQ(buttons.maximizeButton(onLeft, maximized), QRectF(36, 6, 24, 24));
    EXPECT_FALSE(buttons.maximizeButton(kwinLayout("MS", "IX"), stock)) << "no maximize";
    EXPECT_FALSE(buttons.maximizeButton(onRight, window(stock.client, stock.client)))
        << "a client that draws its own title bar, or one in full screen";
}

// As KConfig writes it: a new file renamed over the old one.
void writeKwinrc(const QTemporaryDir& dir, const QByteArray& buttons) {
    QSaveFile file(dir.filePath("kwinrc"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktops]\nNumber=1\n\n[org.kde.kdecoration2]\n" + buttons);
    ASSERT_TRUE(file.commit());
}

QJsonObject described(const QString& id, QJsonArray frame, QJsonArray client) {
    return {{"id", id},         {"pid", 42},      {"frame", frame},  {"client", client},
            {"output", "DP-1"}, {"normal", true}, {"managed", true}, {"onCurrentDesktop", true},
            {"moveable", true}};
}

std::optional<QRectF> zoomRegion(WindowServer& server, quint32 number) {
    const QVariantList list = server.copyWindowList(WindowListOption::IncludingWindow, number).toList();
    const QVariantMap region = list.value(0).toMap().value(windowinfo::kZoomButtonRegion).toMap();
    if (region.isEmpty())
        return std::nullopt;
    return QRectF(region.value(windowinfo::kX).toDouble(), region.value(windowinfo::kY).toDouble(),
                  region.value(windowinfo::kWidth).toDouble(), region.value(windowinfo::kHeight).toDouble());
}

TEST(KWinTitleBarButtonsTest, TheWindowListFollowsKwinrcAndTellsTheWindowsWhoseButtonMoved) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeKwinrc(dir, "ButtonsOnLeft=MS\nButtonsOnRight=HIAX\n");
    // The primary output's top-left is the origin of AX coordinates too.
    const QJsonObject output{
        {"name", "DP-1"}, {"frame", QJsonArray{0, 0, 1280, 800}}, {"workArea", QJsonArray{0, 0, 1280, 800}}};
    AgentDesktop desktop;
    // Corvane's own preview, fading out over the button: seen through.
    QJsonObject preview = described("preview", {900, 130, 100, 100}, {900, 130, 100, 100});
    preview["pid"] = 99;
    desktop.setOwnPid(99);
    ASSERT_TRUE(desktop.apply(
        {{"e", "snapshot"},
         {"outputs", QJsonArray{output}},
         {"windows", QJsonArray{described("titled", {291, 134, 698, 531}, {292, 170, 696, 494}),
                                described("own", {10, 10, 200, 100}, {10, 10, 200, 100}), preview}},
         {"stacking", QJsonArray{"own", "titled", "preview"}},
         {"cursor", QJsonArray{0, 0}}}));
    const quint32 titled = desktop.windowById("titled")->number;
    const quint32 own = desktop.windowById("own")->number;
    AgentScreens screens(desktop);
    ConfigFolders folders;
    folders.configHome = dir.path();
    KWinTitleBarButtons buttons(folders);
    AgentWindowServer server(desktop, screens, buttons);
    EXPECT_EQ(zoomRegion(server, titled), QRectF(928, 140, 24, 24));
    EXPECT_EQ(zoomRegion(server, own), std::nullopt);

    // Quick Snap finds the button as an element under the pointer, with its frame and window.
    AgentRestoreFrames restoreFrames(dir.filePath("restore.json"));
    AgentAccessibility accessibility(desktop, screens, restoreFrames, buttons);
    const AxElement system = accessibility.systemWideElement();
    const ElementHit onButton = accessibility.elementAtPosition(system, 940, 150);
    ASSERT_EQ(onButton.error, AxError::Success);
    const AttributeResult subrole = accessibility.copyAttributeValue(onButton.element, ax::kSubrole);
    ASSERT_TRUE(subrole.get<QString>()) << "the button, not a window over it";
    EXPECT_EQ(*subrole.get<QString>(), ax::kZoomButtonSubrole);
    EXPECT_EQ(accessibility.copyAttributeValue(onButton.element, ax::kPosition).get<AxValue>()->pointValue(),
              QPointF(928, 140));
    EXPECT_EQ(*accessibility.copyAttributeValue(onButton.element, ax::kWindow).get<AxElement>(),
              AgentAccessibility::windowElement(titled));
    EXPECT_EQ(accessibility.elementAtPosition(system, 900, 150).element,
              AgentAccessibility::windowElement(titled))
        << "beside the button, the title bar is the window's";

    QSignalSpy moved(&server, &WindowServer::windowFrameChanged);
    QSignalSpy changed(&buttons, &KWinTitleBarButtons::changed);
    writeKwinrc(dir, "ButtonsOnLeft=XA\nButtonsOnRight=I\n");
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.value(0).value(0).toUInt(), titled);
    EXPECT_EQ(zoomRegion(server, titled), QRectF(328, 140, 24, 24));

    // Buttons that come and go on the other side move no maximize button.
    moved.clear();
    writeKwinrc(dir, "ButtonsOnLeft=XA\nButtonsOnRight=HIX\n");
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(moved.count(), 0);
}

} // namespace
} // namespace corvane
