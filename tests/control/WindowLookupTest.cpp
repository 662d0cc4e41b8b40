// Lookups of the window under a point: what is skipped (our windows, other layers, damaged entries)
// and how far the element walk goes.
#include "control/WindowLookup.h"

#include "platform/sim/SimTitleBar.h"
#include "support/EditorDesktop.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class WindowLookupTest : public ::testing::Test, protected EditorDesktop {};

TEST_F(WindowLookupTest, TheWindowListSkipsOurWindowsOtherLayersAndDamagedEntries) {
    const QRectF zoom(860, 104, 16, 16);
    desk.addElement(desk.windowElement(window), "AXButton", "AXZoomButton", zoom);
    const SimWindowId own = desk.addWindow(desk.thisProcessPid(), QRectF(150, 150, 100, 100));
    const auto hit = windowAt(platform, {200, 200});
    ASSERT_TRUE(hit) << "our own window in front is skipped";
    EXPECT_EQ(hit->number, window);
    EXPECT_EQ(hit->bounds, QRectF(100, 100, 800, 600));
    EXPECT_FALSE(titleBarCornerAt(platform, {200, 200}))
        << "the frontmost window is ours: nothing behind it counts";
    desk.removeWindow(own);
    EXPECT_EQ(titleBarCornerAt(platform, {200, 200}), zoom);

    desk.addWindow(editor, QRectF(0, 0, 1440, 25), {.layer = 25});
    EXPECT_FALSE(windowAt(platform, {10, 10})) << "a menu bar or panel layer";
    EXPECT_FALSE(windowAt(platform, {900, 300})) << "the maximum edge is outside";
    desk.faults().setWindowListEntryValue(window, windowinfo::kLayer, QStringLiteral("0"));
    EXPECT_FALSE(windowAt(platform, {200, 200}));
    desk.faults().setWindowListResult(QVariant(QVariantList{QVariant(3)}));
    EXPECT_FALSE(windowAt(platform, {200, 200})) << "not a list of dictionaries";
}

TEST_F(WindowLookupTest, BoundsNeedFourNumbersAndFramesMatchWithinLessThanOnePoint) {
    EXPECT_FALSE(boundsRect(QVariantMap{{"X", 1.0}, {"Y", 2.0}, {"Width", 3.0}}));
    EXPECT_FALSE(boundsRect(QVariantMap{{"X", 1.0}, {"Y", 2.0}, {"Width", 3.0}, {"Height", "4"}}));
    EXPECT_EQ(boundsRect(QVariantMap{{"X", qint64(1)}, {"Y", 2.0}, {"Width", 0.0}, {"Height", 0.0}}),
              QRectF(1, 2, 0, 0));
    EXPECT_TRUE(framesMatch({0, 0, 10, 10}, {0.9, -0.9, 10.9, 9.1}));
    EXPECT_FALSE(framesMatch({0, 0, 10, 10}, {0, 0, 11, 10}));
}

TEST_F(WindowLookupTest, TheWalkUpToTheWindowExaminesAtMostTwelveElements) {
    AxElement parent = desk.windowElement(window);
    QList<AxElement> chain;
    for (int depth = 1; depth <= 12; ++depth) {
        parent = desk.addElement(parent, "AXGroup");
        chain.append(parent);
    }
    Accessibility& ax = platform.accessibility;
    EXPECT_EQ(windowElementContaining(ax, chain[10], 0.25f), desk.windowElement(window))
        << "eleven levels below";
    EXPECT_FALSE(windowElementContaining(ax, chain[11], 0.25f)) << "twelve levels below";
    desk.setAttribute(chain[11], "AXWindow", desk.windowElement(window));
    EXPECT_EQ(windowElementContaining(ax, chain[11], 0.25f), desk.windowElement(window))
        << "its own AXWindow";
    EXPECT_FLOAT_EQ(desk.messagingTimeout(desk.windowElement(window)), 0.25f);
    desk.setAttribute(chain[3], "AXParent", QStringLiteral("not an element"));
    EXPECT_FALSE(windowElementContaining(ax, chain[5], 0.25f));
}

TEST_F(WindowLookupTest, CornersAreWhereTheWindowListSaysEachZoomButtonLies) {
    const QRectF zoom(860, 104, 16, 16); // drawn at the editor's top right
    desk.addElement(desk.windowElement(window), "AXButton", "AXZoomButton", zoom);
    const SimWindowId front = desk.addWindow(editor, QRectF(0, 500, 300, 300)); // without a zoom button
    const SimWindowId own = desk.addWindow(desk.thisProcessPid(), QRectF(1000, 0, 300, 300));
    addTitleBarButtons(desk, own);
    const SimWindowId panel = desk.addWindow(editor, QRectF(1000, 500, 300, 300), {.layer = 3});
    addTitleBarButtons(desk, panel);
    using Corners = QHash<quint32, std::optional<QRectF>>;
    EXPECT_EQ(titleBarCorners(platform), (Corners{{window, zoom}, {front, std::nullopt}}))
        << "our window and a panel's layer are left out";
    EXPECT_EQ(titleBarCorners(platform, window), (Corners{{window, zoom}}));
    EXPECT_TRUE(titleBarCorners(platform, panel).isEmpty());
    EXPECT_EQ(titleBarCornerAt(platform, {865, 110}), zoom);
    EXPECT_FALSE(titleBarCornerAt(platform, {100, 600})) << "the window in front there has none";
    EXPECT_FALSE(titleBarCornerAt(platform, {1100, 10})) << "ours";
    desk.faults().setWindowListEntryValue(window, windowinfo::kZoomButtonRegion,
                                          QVariantMap{{"X", 860.0}, {"Y", 104.0}});
    EXPECT_EQ(titleBarCorners(platform), (Corners{{window, std::nullopt}, {front, std::nullopt}}))
        << "a damaged region";
    EXPECT_FALSE(titleBarCornerAt(platform, {865, 110}));
}

TEST_F(WindowLookupTest, TheZoomButtonIsFoundOnlyOnAnotherApplicationsWindowOutOfFullScreen) {
    const QList<AxElement> buttons = addTitleBarButtons(desk, window);
    const auto hit = zoomButton(platform, {150, 110});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->button, QRectF(148, 104, 14, 16));
    EXPECT_EQ(hit->window, desk.windowElement(window));
    EXPECT_FLOAT_EQ(desk.messagingTimeout(buttons[2]), 0.1f);
    EXPECT_FALSE(zoomButton(platform, {110, 110})) << "the close button";
    desk.setAttribute(desk.windowElement(window), "AXFullScreen", QStringLiteral("yes"));
    EXPECT_TRUE(zoomButton(platform, {150, 110})) << "a full-screen flag of another type is not full screen";
    desk.setFullScreen(window, true);
    desk.clearAttribute(desk.windowElement(window), "AXFullScreen");
    desk.setAttribute(desk.windowElement(window), "AXFullScreen", true);
    EXPECT_FALSE(zoomButton(platform, {150, 110}));
    const SimWindowId own = desk.addWindow(desk.thisProcessPid(), QRectF(100, 100, 200, 200));
    addTitleBarButtons(desk, own);
    EXPECT_FALSE(zoomButton(platform, {150, 110})) << "our own window's buttons";
    EXPECT_FALSE(windowElement(platform, {150, 110}));
}

} // namespace
} // namespace corvane
