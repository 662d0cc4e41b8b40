// Applications Corvane leaves alone: the stored list and what survives a damaged one, and every
// placement the hotkeys, the panel and the commands make refusing their windows, without falling
// back to another application's.
#include "ControllerFixture.h"

namespace corvane {
namespace {

class ExcludedApplicationsTest : public ControllerTest {};

TEST_F(ExcludedApplicationsTest, TheListIsStoredAndWhatIsNoNameIsDropped) {
    platform.defaults.setObject("excludedApplications", QVariantMap{{"XTerm", true}});
    EXPECT_TRUE(ExcludedApplications(platform).names().isEmpty()) << "not a list";
    platform.defaults.setObject("excludedApplications", QVariantList{"XTerm", qint64(4), "", "Gimp", "XTerm",
                                                                     QVariantList{"Editor"}});
    ExcludedApplications list(platform);
    EXPECT_EQ(list.names(), (QStringList{"XTerm", "Gimp"}));

    int changes = 0;
    QObject::connect(&list, &ExcludedApplications::namesChanged, [&] { ++changes; });
    list.add("Editor");
    list.add("Editor");
    list.add("");
    list.remove("Gimp");
    list.remove("Gimp");
    EXPECT_EQ(changes, 2) << "only real changes";
    EXPECT_EQ(platform.defaults.array("excludedApplications"), (QVariantList{"XTerm", "Editor"}));
    EXPECT_EQ(ExcludedApplications(platform).names(), (QStringList{"XTerm", "Editor"}));
}

TEST_F(ExcludedApplicationsTest, EveryPlacementRefusesAWindowLeftAloneAndNamesItsApplication) {
    const qint32 browser = desk.addApplication("Browser");
    const SimWindowId browserWindow = desk.addWindow(browser, QRectF(50, 50, 300, 300));
    desk.setFocusedWindow(browser, browserWindow);
    excluded.add("Editor");
    desk.setRestoreFrame(window, QRectF(10, 10, 500, 500));
    start();
    desk.activateApplication(browser);
    desk.activateApplication(editor); // the browser is frontmost no more, but still a candidate
    desk.setFrontmostApplication(browser);

    desk.events().sendGlobal(hotkey("1", 18));
    WindowPlacer& placer = controller->placer();
    EXPECT_EQ(placer.snapFocusedWindow(QRectF(0, 0, 0.5, 1)), Placement::ExcludedApplication);
    EXPECT_EQ(placer.excludedTarget()->name, "Editor");
    EXPECT_EQ(placer.resizeFocusedWindow(500, 500), Placement::ExcludedApplication);
    EXPECT_EQ(placer.moveToAdjacentScreen(1), Placement::ExcludedApplication);
    EXPECT_EQ(placer.restoreFocusedWindow(), Placement::ExcludedApplication);
    EXPECT_EQ(controller->cycle().snapToZone("Thirds", 1), Placement::ExcludedApplication);
    EXPECT_FALSE(placer.setFocusedWindowFrame(QRectF(0, 0, 10, 10), screen));
    desk.settle();
    EXPECT_EQ(frame(), QRectF(100, 100, 800, 600));
    EXPECT_EQ(desk.windowFrame(browserWindow), QRectF(50, 50, 300, 300)) << "no other window instead";
    EXPECT_TRUE(desk.log().effects().isEmpty());

    // Taken off the list, the same window moves; the browser, never on it, moved all along.
    excluded.remove("Editor");
    EXPECT_EQ(placer.snapFocusedWindow(QRectF(0, 0, 0.5, 0.5)), Placement::Requested);
    EXPECT_FALSE(placer.excludedTarget());
    desk.settle();
    EXPECT_EQ(frame(), kTopLeft);
    excluded.add("Editor");
    desk.activateApplication(browser);
    EXPECT_EQ(placer.snapFocusedWindow(QRectF(0.5, 0, 0.5, 0.5)), Placement::Requested);
    desk.settle();
    EXPECT_EQ(desk.windowFrame(browserWindow), kTopRight);
}

} // namespace
} // namespace corvane
