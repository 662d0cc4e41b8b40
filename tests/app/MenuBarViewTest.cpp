// The tray panel and the settings window on the simulated desktop: the overlay giving way to the
// lists when access arrives, the presets section, the footer's buttons, and the settings window's
// frame kept across a relaunch.
#include "app/MenuBarView.h"

#include "app/SettingsWindowManager.h"
#include "app/UpdaterController.h"
#include "control/ControllerFixture.h"
#include "model/BuiltInLayouts.h"
#include "ui/PermissionOverlay.h"
#include "ui/PresetCell.h"
#include "ui/SnapLayoutView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace corvane {
namespace {

class MenuBarViewTest : public ControllerTest {
protected:
    std::optional<UpdaterController> updater;
    std::optional<MenuBarView> view;
    int settingsShown = 0;

    void open() {
        start();
        updater.emplace(platform.updater);
        view.emplace(*controller, *updater, platform.application, [this] { ++settingsShown; });
        view->show();
    }
    // The body shown now, the overlay or the lists; one replaced waits for its deletion behind it.
    QWidget* body() const { return view->findChildren<QWidget*>("body", Qt::FindDirectChildrenOnly).last(); }
    template <class Widget> Widget* part(const char* name) const { return view->findChild<Widget*>(name); }
    QStringList labelTexts() const {
        QStringList texts;
        for (const QLabel* label : body()->findChildren<QLabel*>())
            texts.append(label->text());
        return texts;
    }
};

// Corvane's part inside the desktop, in whatever state a test puts it.
class StubAgent final : public DesktopAgent {
public:
    QString name() const override { return QStringLiteral("The agent"); }
    State state() const override { return m_state; }
    QString detail() const override { return QStringLiteral("48.7"); }
    void turnOn() override { set(State::Running); }
    void set(State state) {
        m_state = state;
        emit stateChanged();
    }

private:
    State m_state = State::TurnedOff;
};

TEST_F(MenuBarViewTest, WhileTheDesktopsAgentDoesNotRunThePanelSaysTheOneThingToDo) {
    start();
    updater.emplace(platform.updater);
    StubAgent agent;
    view.emplace(
        *controller, *updater, platform.application, [] {}, &agent);
    view->show();
    auto* turnOn = body()->findChild<QPushButton*>("turnOn");
    ASSERT_TRUE(turnOn);
    EXPECT_TRUE(turnOn->isVisible());
    EXPECT_EQ(labelTexts(),
              QStringList{"The agent is turned off. Until it runs, Corvane cannot move windows."});
    EXPECT_TRUE(body()->findChildren<SnapLayoutView*>().isEmpty());

    agent.set(DesktopAgent::State::NeedsNewLogin);
    EXPECT_EQ(labelTexts(),
              QStringList{"Log out and back in once to finish installing: The agent starts with your "
                          "next session."});
    EXPECT_FALSE(body()->findChild<QPushButton*>("turnOn")->isVisible()) << "nothing to turn on before then";
    agent.set(DesktopAgent::State::Untested);
    EXPECT_EQ(labelTexts(),
              QStringList{"The agent was not made for this version of the desktop (48.7). Update Corvane."});

    agent.set(DesktopAgent::State::TurnedOff);
    QTest::mouseClick(body()->findChild<QPushButton*>("turnOn"), Qt::LeftButton);
    EXPECT_EQ(agent.state(), DesktopAgent::State::Running);
    EXPECT_FALSE(body()->findChildren<SnapLayoutView*>().isEmpty()) << "running: the lists";
}

TEST_F(MenuBarViewTest, InAWindowForWantOfATrayThePanelSaysHowTheDesktopGetsOne) {
    desk.application().setSystemTrayHint("Turn on the tray extension.");
    open();
    auto* hint = part<QLabel>("trayHint");
    ASSERT_TRUE(hint);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), "Turn on the tray extension.");
    EXPECT_FALSE(body()->findChildren<SnapLayoutView*>().isEmpty()) << "the lists keep their place";

    desk.application().setSystemTrayAvailable(true);
    view.emplace(*controller, *updater, platform.application, [] {});
    EXPECT_FALSE(part<QLabel>("trayHint")) << "the panel of a tray says nothing of one";
    desk.application().setSystemTrayAvailable(false);
    desk.application().setSystemTrayHint({});
    view.emplace(*controller, *updater, platform.application, [] {});
    EXPECT_FALSE(part<QLabel>("trayHint")) << "a desktop with nothing to say";
}

TEST_F(MenuBarViewTest, ShowsTheOverlayUntilAccessArrivesThenTheLayoutsAndPresets) {
    desk.accessibility().setTrusted(false);
    open();
    auto* overlay = qobject_cast<PermissionOverlay*>(body());
    ASSERT_TRUE(overlay);
    EXPECT_TRUE(body()->findChildren<SnapLayoutView*>().isEmpty()) << "no lists without access";
    QTest::mouseClick(overlay->grantButton(), Qt::LeftButton);
    EXPECT_EQ(desk.accessibility().promptCount(), 1);
    QTest::mouseClick(overlay->openSettingsButton(), Qt::LeftButton);
    EXPECT_TRUE(desk.workspace().openedUrls().contains(kAccessibilitySettingsUrl));
    QTest::mouseClick(part<QPushButton>("settings"), Qt::LeftButton);
    EXPECT_EQ(settingsShown, 1) << "the header and footer work without access";

    desk.accessibility().setTrusted(true);
    desk.runLoop().advance(1.0); // the permission poll notices
    ASSERT_FALSE(qobject_cast<PermissionOverlay*>(body()));
    const QList<SnapLayoutView*> thumbnails = body()->findChildren<SnapLayoutView*>();
    ASSERT_EQ(thumbnails.size(), builtInLayouts().size());
    EXPECT_TRUE(labelTexts().contains("No saved presets."));

    // A thumbnail snaps the target window on its own screen; a preset shows up at once.
    QTest::mouseClick(thumbnails[0]->zoneButton(1), Qt::LeftButton);
    desk.settle();
    EXPECT_EQ(frame(), QRectF(720, 25, 720, 875));
    ASSERT_TRUE(controller->presets().addSizePreset("Laptop", 1000, 640));
    const QList<PresetCell*> cells = body()->findChildren<PresetCell*>();
    ASSERT_EQ(cells.size(), 1);
    EXPECT_EQ(cells[0]->preset().name, "Laptop");
    EXPECT_FALSE(labelTexts().contains("No saved presets."));
    EXPECT_EQ(body()->findChildren<SnapLayoutView*>().size(), builtInLayouts().size())
        << "a size preset adds no thumbnail";
}

TEST_F(MenuBarViewTest, WithoutInstalledHelpTheOverlaySaysWhyItCannotOpenIt) {
    desk.accessibility().setTrusted(false);
    desk.workspace().setOpensUrls(false);
    open();
    auto* overlay = qobject_cast<PermissionOverlay*>(body());
    ASSERT_TRUE(overlay);
    EXPECT_FALSE(overlay->openSettingsButton()->isEnabled());
    EXPECT_TRUE(overlay->openSettingsButton()->toolTip().contains("not installed"));
    QTest::mouseClick(overlay->openSettingsButton(), Qt::LeftButton);
    EXPECT_TRUE(desk.workspace().openedUrls().isEmpty());
    EXPECT_TRUE(labelTexts().join(' ').contains("_NET_MOVERESIZE_WINDOW and _NET_ACTIVE_WINDOW"))
        << "on X11 the window manager's two requests are all the access there is";
}

TEST_F(MenuBarViewTest, TheListsScrollOnlyWhenTheyAreLongerThanThePanel) {
    open();
    const auto bar = [this] { return qobject_cast<QScrollArea*>(body())->verticalScrollBar(); };
    ASSERT_TRUE(bar());
    QApplication::processEvents();
    EXPECT_FALSE(bar()->isVisible()) << "the layouts alone fit";
    for (const char* name : {"One", "Two", "Three", "Four"})
        ASSERT_TRUE(controller->presets().addSizePreset(name, 1000, 700));
    QApplication::processEvents();
    EXPECT_TRUE(bar()->isVisible());
}

TEST_F(MenuBarViewTest, CheckForUpdatesFollowsTheUpdaterAndMakesCorvaneARegularProgram) {
    open();
    EXPECT_EQ(desk.updater().startCount(), 1);
    EXPECT_FALSE(part<QPushButton>("checkForUpdates")->isVisible()) << "hidden until the updater says it can";
    EXPECT_TRUE(part<QLabel>("updatesNote")->isVisible());
    EXPECT_TRUE(part<QLabel>("updatesNote")->toolTip().contains("package manager"));
    desk.updater().setCanCheckForUpdates(true);
    EXPECT_TRUE(part<QPushButton>("checkForUpdates")->isVisible());
    EXPECT_FALSE(part<QLabel>("updatesNote")->isVisible());
    QTest::mouseClick(part<QPushButton>("checkForUpdates"), Qt::LeftButton);
    EXPECT_EQ(desk.updater().checkCount(), 1);
    EXPECT_EQ(desk.application().activationPolicy(), ActivationPolicy::Regular);
    EXPECT_EQ(desk.application().activationCount(), 1);
    desk.updater().setCanCheckForUpdates(false);
    EXPECT_FALSE(part<QPushButton>("checkForUpdates")->isVisible());
    EXPECT_TRUE(part<QLabel>("updatesNote")->isVisible());
    QTest::mouseClick(part<QPushButton>("quit"), Qt::LeftButton);
    EXPECT_TRUE(desk.application().isTerminated());
}

TEST_F(MenuBarViewTest, TheSettingsWindowIsCentredFirstAndReturnsToItsFrameAfterARelaunch) {
    start();
    auto manager = std::make_unique<SettingsWindowManager>(platform, [] { return new QLabel("content"); });
    QWidget* settingsWindow = manager->window();
    // Centred on the visible frame: 1440 x 875 below a 25-point menu bar.
    EXPECT_EQ(settingsWindow->geometry(), QRect(420, 163, 600, 600));
    EXPECT_FALSE(settingsWindow->isVisible()) << "created hidden";
    EXPECT_FALSE(manager->content()) << "the content waits for the first show";

    manager->show();
    QWidget* content = manager->content();
    ASSERT_TRUE(content);
    EXPECT_EQ(content->window(), settingsWindow);
    EXPECT_EQ(desk.application().activationPolicy(), ActivationPolicy::Regular) << "at once";
    EXPECT_FALSE(settingsWindow->isVisible()) << "shown on the next turn";
    desk.settle();
    EXPECT_TRUE(settingsWindow->isVisible());
    EXPECT_EQ(desk.application().activationCount(), 1);
    manager->show();
    desk.settle();
    EXPECT_EQ(manager->content(), content) << "shown again, the same content: typed text survives";
    settingsWindow->setGeometry(100, 80, 700, 500);
    EXPECT_TRUE(desk.defaults().writesOf(kSettingsFrameKey).isEmpty()) << "written once the frame rests";
    desk.runLoop().advance(0.3);
    // The outer frame's top-left, not the content's (the offscreen platform gives windows a frame),
    // and the content's size.
    const QPoint frame = settingsWindow->frameGeometry().topLeft();
    ASSERT_NE(frame, settingsWindow->geometry().topLeft()) << "a window with a frame";
    EXPECT_EQ(platform.defaults.string(kSettingsFrameKey),
              QString("%1 %2 700 500").arg(frame.x()).arg(frame.y()));
    settingsWindow->setGeometry(120, 90, 640, 480);
    const QRect lastFrame = settingsWindow->frameGeometry();
    manager.reset(); // quitting while the timer runs still keeps the last frame

    SettingsWindowManager relaunched(platform, [] { return new QLabel("content"); });
    relaunched.show();
    desk.settle();
    EXPECT_EQ(relaunched.window()->frameGeometry(), lastFrame) << "frame for frame";
    EXPECT_EQ(relaunched.window()->size(), QSize(640, 480));
    {
        // Quitting while the window manager is still placing a window just shown keeps the stored frame:
        // Qt may not know the decorations yet (a quit by a signal right after a launch came back off by
        // them).
        const std::optional<QString> stored = platform.defaults.string(kSettingsFrameKey);
        SettingsWindowManager placing(platform, [] { return new QLabel("content"); });
        placing.show();
        desk.settle();
        placing.window()->move(placing.window()->pos() + QPoint(1, 20));
        EXPECT_EQ(platform.defaults.string(kSettingsFrameKey), stored);
    }
    EXPECT_EQ(platform.defaults.string(kSettingsFrameKey),
              QString("%1 %2 640 480").arg(lastFrame.x()).arg(lastFrame.y()));

    // A stored frame off every screen, too small, or damaged is not used.
    for (const char* stored : {"5000 5000 600 600", "100 100 200 200", "garbage", "1 2 3"}) {
        platform.defaults.setObject(kSettingsFrameKey, QString::fromLatin1(stored));
        SettingsWindowManager again(platform, [] { return new QLabel("content"); });
        EXPECT_EQ(again.window()->size(), QSize(600, 600)) << stored;
        EXPECT_EQ(again.window()->x(), 420) << stored;
    }
}

TEST_F(MenuBarViewTest, TheSettingsWindowIsPlacedInOurWindowsCoordinatesOnAScaledDesktopBesideAnother) {
    // A second monitor left of the primary one, which lies at root (1440, 0); our windows at scale 2.
    desk.addScreen(QRectF(-1440, 0, 1440, 900), QRectF(-1440, 0, 1440, 900));
    desk.screens().setPrimaryRootOrigin(QPoint(1440, 0));
    desk.screens().setWindowScale(2);
    start();
    SettingsWindowManager first(platform, [] { return new QLabel("content"); });
    // The primary's visible frame covers root (1440, 25) to (2880, 900): in our coordinates the
    // screen's top-left stays and the rest halves, to 720 x 437.5 from (1440, 12.5), centred on
    // (1800, 231.25). The window is centred there, give or take the rounding to whole pixels.
    const QPointF centre = QRectF(first.window()->geometry()).center();
    EXPECT_EQ(centre.x(), 1800);
    EXPECT_NEAR(centre.y(), 231.25, 1);

    // A frame on the left monitor (root x 0 to 1440, which Qt keeps at 0 to 720 there) is on a screen.
    platform.defaults.setObject(kSettingsFrameKey, QStringLiteral("100 100 600 600"));
    SettingsWindowManager second(platform, [] { return new QLabel("content"); });
    EXPECT_EQ(second.window()->frameGeometry().topLeft(), QPoint(100, 100));
}

} // namespace
} // namespace corvane
