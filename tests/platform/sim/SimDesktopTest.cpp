// The simulated desktop stands in for the real one in every logic test, so it must answer the way
// the real desktop does: reads, writes, hits and failures included.
#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const QString kPos = QString::fromLatin1(ax::kPosition);
const QString kSize = QString::fromLatin1(ax::kSize);

class SimDesktopTest : public ::testing::Test {
protected:
    SimDesktop desk;
    Platform platform = desk.platform();
    qint32 editor = desk.addApplication("Editor");
    SimWindowId window = desk.addWindow(editor, QRectF(100, 50, 800, 600));

    void SetUp() override { desk.setFocusedWindow(editor, window); }
};

TEST_F(SimDesktopTest, FocusedWindowReadsFindTheWindow) {
    Accessibility& ax = platform.accessibility;
    const AttributeResult focused = ax.copyAttributeValue(ax.applicationElement(editor), ax::kFocusedWindow);
    ASSERT_NE(focused.get<AxElement>(), nullptr);
    const AxElement w = *focused.get<AxElement>();
    EXPECT_EQ(w, desk.windowElement(window));
    EXPECT_EQ(ax.copyAttributeValue(w, kPos).get<AxValue>()->pointValue(), QPointF(100, 50));
}

TEST_F(SimDesktopTest, InjectedFailuresAndValuesReplaceWhatTheElementReports) {
    Accessibility& ax = platform.accessibility;
    const AxElement app = ax.applicationElement(editor);
    const AxElement w = desk.windowElement(window);

    desk.failAttribute(w, kSize, AxError::CannotComplete);
    EXPECT_EQ(ax.copyAttributeValue(w, kSize).error, AxError::CannotComplete);
    desk.setAttribute(w, kPos, QStringLiteral("not a point"));
    EXPECT_EQ(ax.copyAttributeValue(w, kPos).get<AxValue>(), nullptr);
    desk.setAttribute(app, ax::kFocusedWindow, std::monostate{});
    const AttributeResult nullFocus = ax.copyAttributeValue(app, ax::kFocusedWindow);
    EXPECT_EQ(nullFocus.error, AxError::Success);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(nullFocus.value));
    desk.clearAttribute(app, ax::kFocusedWindow);
    EXPECT_EQ(ax.copyAttributeValue(app, ax::kFocusedWindow).error, AxError::AttributeUnsupported);

    desk.failWrites(w, ax::kRestoreFrame, AxError::Failure);
    EXPECT_EQ(ax.setAttributeValue(w, ax::kRestoreFrame, AxValue::ofRect({1, 1, 1, 1})), AxError::Failure);
    EXPECT_EQ(desk.restoreFrame(window), std::nullopt);
}

TEST_F(SimDesktopTest, GoneWindowsAndSilentApplicationsFailInsteadOfAnswering) {
    Accessibility& ax = platform.accessibility;
    const AxElement w = desk.windowElement(window);
    desk.setUnresponsive(editor, true);
    EXPECT_EQ(ax.copyAttributeValue(w, kPos).error, AxError::CannotComplete);
    desk.setUnresponsive(editor, false);
    desk.removeWindow(window);
    EXPECT_EQ(ax.copyAttributeValue(w, kPos).error, AxError::InvalidElement);
    EXPECT_EQ(ax.copyAttributeValue(ax.applicationElement(editor), ax::kFocusedWindow).error,
              AxError::NoValue);
    EXPECT_EQ(ax.copyAttributeValue(ax.applicationElement(4242), ax::kFocusedWindow).error,
              AxError::InvalidElement);
}

TEST_F(SimDesktopTest, ElementAtPositionFindsTheTopmostElementAndButtonsFollowTheirWindow) {
    Accessibility& ax = platform.accessibility;
    const QList<AxElement> buttons = desk.addTitleBarButtons(window);
    const AxElement zoom = buttons.at(2);
    const qint32 own = desk.thisProcessPid();
    const SimWindowId overlay = desk.addWindow(own, QRectF(500, 300, 100, 100));

    const AxElement systemWide = ax.systemWideElement();
    EXPECT_EQ(ax.elementAtPosition(systemWide, 155, 60).element, zoom);
    EXPECT_EQ(ax.elementAtPosition(systemWide, 300, 300).element, desk.windowElement(window));
    EXPECT_EQ(ax.elementAtPosition(systemWide, 550, 350).element, desk.windowElement(overlay));
    EXPECT_EQ(ax.elementAtPosition(systemWide, 900, 300).error, AxError::NoValue) << "right edge is outside";
    EXPECT_EQ(ax.pidOfElement(desk.windowElement(overlay)).pid, own);

    desk.setWindowFrame(window, QRectF(0, 0, 800, 600));
    EXPECT_EQ(ax.copyAttributeValue(zoom, kPos).get<AxValue>()->pointValue(), QPointF(48, 4));
    EXPECT_EQ(*ax.copyAttributeValue(zoom, ax::kWindow).get<AxElement>(), desk.windowElement(window));
    EXPECT_EQ(*ax.copyAttributeValue(zoom, ax::kSubrole).get<QString>(), QString(ax::kZoomButtonSubrole));
}

TEST_F(SimDesktopTest, WindowListIsFrontToBackAndCanBeDamaged) {
    WindowServer& ws = platform.windowServer;
    const SimWindowId front = desk.addWindow(editor, QRectF(0, 0, 10, 10));
    desk.addWindow(editor, QRectF(0, 0, 5, 5), {.layer = 0, .isOnScreen = false});
    const QVariantList list = ws.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0).toList();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].toMap().value(windowinfo::kNumber).toLongLong(), front);
    EXPECT_EQ(list[1].toMap().value(windowinfo::kBounds).toMap().value(windowinfo::kWidth).toDouble(), 800);

    desk.setWindowListEntryValue(window, windowinfo::kLayer, QStringLiteral("zero"));
    desk.setWindowListEntryValue(window, windowinfo::kBounds, QVariant());
    const QVariantMap damaged =
        ws.copyWindowList(WindowListOption::IncludingWindow, window).toList().value(0).toMap();
    EXPECT_EQ(damaged.value(windowinfo::kLayer).typeId(), QMetaType::QString);
    EXPECT_FALSE(damaged.contains(windowinfo::kBounds));

    desk.setWindowListResult(QVariant());
    EXPECT_FALSE(ws.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0).isValid());
}

TEST_F(SimDesktopTest, WindowNumberAtUsesScreenCoordinates) {
    desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
    // AX (100, 50) is screen (100, 850) on a 900-high primary screen.
    EXPECT_EQ(platform.windowServer.windowNumberAt(QPointF(150, 800)), window);
    EXPECT_EQ(platform.windowServer.windowNumberAt(QPointF(150, 100)), 0);
}

TEST_F(SimDesktopTest, EventsReachOnlyTheMonitorsThatAskForThem) {
    SimEvents& events = desk.events();
    int keys = 0;
    int clicks = 0;
    const auto keyToken = events.addGlobalMonitor(maskOf(EventType::KeyDown), [&](const Event&) { ++keys; });
    events.addGlobalMonitor(maskOf(EventType::LeftMouseDown), [&](const Event&) { ++clicks; });
    events.addLocalMonitor(maskOf(EventType::KeyDown), [](const Event& e) -> std::optional<Event> {
        Event changed = e;
        changed.keyCode = 99;
        return changed;
    });
    events.sendGlobal(SimEvents::keyDown("1", 18, modifier::kControl));
    events.sendGlobal(SimEvents::mouse(EventType::LeftMouseDown, 1));
    EXPECT_EQ(keys, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(events.sendLocal(SimEvents::keyDown("1", 18, 0))->keyCode, 99);

    events.removeMonitor(*keyToken);
    events.sendGlobal(SimEvents::keyDown("1", 18, 0));
    EXPECT_EQ(keys, 1);
    events.setRefusesMonitors(true);
    EXPECT_FALSE(events.addGlobalMonitor(maskOf(EventType::KeyDown), [](const Event&) {}));
    EXPECT_EQ(events.observedMask(), maskOf(EventType::LeftMouseDown) | maskOf(EventType::KeyDown));
}

TEST_F(SimDesktopTest, ActivationAndQuittingChangeTheWorkspace) {
    std::optional<RunningApplication> announced;
    QObject::connect(&desk.workspace(), &Workspace::didActivateApplication,
                     [&](std::optional<RunningApplication> app) { announced = app; });
    desk.activateApplication(editor);
    ASSERT_TRUE(announced);
    EXPECT_EQ(announced->name, "Editor");
    EXPECT_EQ(platform.workspace.frontmostApplication()->pid, editor);

    platform.workspace.yieldActivation({desk.thisProcessPid(), "Corvane"});
    EXPECT_EQ(desk.frontmostPid(), desk.thisProcessPid());
    EXPECT_EQ(desk.log().effects(), QStringList{QStringLiteral("activate %1").arg(desk.thisProcessPid())});

    desk.quitApplication(editor);
    EXPECT_EQ(platform.workspace.runningApplications().size(), 1);
    EXPECT_EQ(desk.windowFrame(window), QRectF());
}

TEST_F(SimDesktopTest, DefaultsNormaliseIntegersAndTypedReadsOfAnotherTypeAreAbsent) {
    Defaults& d = platform.defaults;
    d.setObject("n", 3);
    EXPECT_EQ(d.object("n").typeId(), QMetaType::LongLong);
    EXPECT_EQ(d.number("n"), 3.0);
    EXPECT_FALSE(d.boolean("n"));
    d.setString("s", "x");
    EXPECT_FALSE(d.data("s"));
    EXPECT_EQ(desk.defaults().writesOf("n").size(), 1);
}

} // namespace
} // namespace corvane
