// Windows placed in the zones of one layout on one monitor rise together: activating one brings the
// others up in the order they were in, the activated one in front; a group already in front is left
// alone; a window that left its zone, a window placed on another monitor and an unplaced window are not
// raised; nothing rises with the setting off, damaged, or where the desktop cannot raise without focus
// (no such capability, or a window manager that refuses the raise).
#include "ControllerFixture.h"
#include "control/WindowLookup.h"

namespace corvane {
namespace {

class GroupRaiserTest : public ControllerTest {
protected:
    qint32 terminal = desk.addApplication("Terminal");
    SimWindowId shell = desk.addWindow(terminal, QRectF(200, 200, 600, 400));
    qint32 browser = desk.addApplication("Browser");
    SimWindowId page = desk.addWindow(browser, QRectF(300, 300, 600, 400));
    qint32 viewer = desk.addApplication("Viewer");

    void activate(qint32 pid, SimWindowId focused) {
        desk.setFocusedWindow(pid, focused);
        desk.activateApplication(pid);
        desk.settle();
    }
    void place(qint32 pid, SimWindowId placed, const QString& layout, qint64 zone) {
        activate(pid, placed);
        snapTo(layout, zone);
    }
    QList<quint32> frontToBack() { return ordinaryWindowsInFront(platform); }
    QStringList raises() {
        const QStringList raised = desk.log().summaries({SimAction::Kind::PerformAction});
        desk.log().clear();
        return raised;
    }
    static QString raiseOf(SimWindowId window) { return QStringLiteral("AXRaise %1").arg(window); }
};

TEST_F(GroupRaiserTest, ActivatingAPlacedWindowBringsItsGroupUpInOrderWithItInFront) {
    platform.defaults.setBool("groupRaiseEnabled", true);
    start();
    ASSERT_TRUE(controller->groupRaiser().isRunning());
    place(editor, window, "Thirds", 0);
    place(terminal, shell, "Thirds", 1);
    place(browser, page, "Thirds", 2);
    const SimWindowId cover = desk.addWindow(viewer, QRectF(0, 0, 1440, 900));
    ASSERT_EQ(frontToBack(), QList<quint32>({cover, page, shell, window}));
    raises();

    activate(editor, window);
    EXPECT_EQ(raises(), QStringList({raiseOf(shell), raiseOf(page), raiseOf(window)}))
        << "from the back, the activated one last";
    EXPECT_EQ(frontToBack(), QList<quint32>({window, page, shell, cover}));
    EXPECT_EQ(desk.frontmostPid(), editor) << "the activated one keeps the focus";

    activate(editor, window);
    EXPECT_TRUE(raises().isEmpty()) << "already in front as it would be raised";

    activate(browser, page);
    EXPECT_EQ(frontToBack(), QList<quint32>({page, window, shell, cover})) << "the others keep their order";
    raises();

    // Moved off its zone by the user, it is no longer one of them; an unplaced window raises nothing.
    desk.setWindowFrame(shell, QRectF(50, 50, 500, 400));
    desk.settle();
    desk.runLoop().advance(ZoneTracker::restSeconds);
    desk.raiseWindow(cover);
    activate(editor, window);
    EXPECT_EQ(raises(), QStringList({raiseOf(page), raiseOf(window)}));
    activate(viewer, cover);
    EXPECT_TRUE(raises().isEmpty());
}

TEST_F(GroupRaiserTest, AnotherMonitorOrLayoutIsAnotherGroup) {
    desk.addScreen(QRectF(1440, 0, 1440, 900), QRectF(1440, 0, 1440, 875));
    platform.defaults.setBool("groupRaiseEnabled", true);
    start();
    place(editor, window, "Split", 0);
    place(terminal, shell, "Split", 1);
    // The browser's window in the same layout, on the other monitor.
    desk.setWindowFrame(page, QRectF(1600, 100, 600, 400));
    place(browser, page, "Split", 0);
    raises();
    desk.raiseWindow(page);
    activate(editor, window);
    EXPECT_EQ(raises(), QStringList({raiseOf(shell), raiseOf(window)}));

    // Placed in another layout's zone on the same monitor: a group of its own, of one.
    desk.setWindowFrame(page, QRectF(300, 300, 600, 400));
    place(browser, page, "Thirds", 2);
    raises();
    activate(browser, page);
    EXPECT_TRUE(raises().isEmpty());
}

TEST_F(GroupRaiserTest, NothingRisesWhenOffDamagedOrWhereARaiseWouldTakeTheFocus) {
    platform.defaults.setString("groupRaiseEnabled", "yes");
    start();
    EXPECT_FALSE(controller->groupRaiseSettings().isEnabled()) << "a damaged value is the default, off";
    place(editor, window, "Split", 0);
    place(terminal, shell, "Split", 1);
    desk.raiseWindow(page);
    raises();
    activate(editor, window);
    EXPECT_TRUE(raises().isEmpty());

    // A window manager that refuses the first raise (it would focus the window) moves nothing.
    controller->groupRaiseSettings().setEnabled(true);
    desk.faults().failWrites(desk.windowElement(shell), ax::kRaiseAction, AxError::ActionUnsupported);
    desk.raiseWindow(page);
    raises();
    activate(editor, window);
    EXPECT_EQ(raises(), QStringList({raiseOf(shell)})) << "asked once, refused, and no more";
    EXPECT_EQ(frontToBack().first(), page);

    controller->groupRaiseSettings().setEnabled(false);
    platform.capabilities.setFlag(Capability::RaiseWithoutFocus, false);
    controller->groupRaiseSettings().setEnabled(true);
    EXPECT_FALSE(controller->groupRaiser().isRunning());
    activate(terminal, shell);
    EXPECT_TRUE(raises().isEmpty());
}

} // namespace
} // namespace corvane
