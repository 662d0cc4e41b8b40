// The commands of app.corvane.Corvane1 on the simulated desktop: each one's effect on the target
// window, each error with its name and message, exactly one reply per command, and the layout list.
#include "app/CorvaneCommands.h"

#include "control/ControllerFixture.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace corvane {
namespace {

class CommandsTest : public ControllerTest {
protected:
    int settingsShown = 0;
    int panelsShown = 0;
    std::unique_ptr<CorvaneCommands> commands;
    QList<std::optional<CommandError>> replies;

    void SetUp() override {
        ControllerTest::SetUp();
        start();
        commands = std::make_unique<CorvaneCommands>(
            controller->cycle(), controller->placer(), controller->navigator(), controller->swapper(),
            frameWrites, controller->presets(), [](std::function<void()> then) { then(); },
            [this] { ++settingsShown; }, [this] { ++panelsShown; });
    }
    CorvaneCommands::Reply reply() {
        return [this](std::optional<CommandError> error) { replies.append(error); };
    }
    // The one reply a command gave once everything it queued has run.
    std::optional<CommandError> answered() {
        desk.settle();
        EXPECT_EQ(replies.size(), 1) << "one reply per command";
        return replies.isEmpty() ? std::nullopt : replies.takeFirst();
    }
    CommandError error(const char* name, const QString& message) {
        return {QString::fromLatin1(name), message};
    }
};

TEST_F(CommandsTest, EachCommandPlacesTheTargetWindowAsItsHotkeyOrPresetDoes) {
    commands->applyLayout("Quadrant", reply());
    EXPECT_TRUE(replies.isEmpty()) << "a placement answers once its write has run";
    EXPECT_EQ(answered(), std::nullopt);
    EXPECT_EQ(frame(), QRectF(0, 25, 720, 437));
    EXPECT_TRUE(controller->cycle().isActive());

    commands->cycleZone(-1, reply());
    EXPECT_EQ(answered(), std::nullopt);
    EXPECT_EQ(frame(), QRectF(720, 462, 720, 438)) << "back from the first zone to the last";

    commands->snapToZone("Six Pack", 3, reply());
    EXPECT_EQ(answered(), std::nullopt);
    EXPECT_EQ(frame(), QRectF(960, 25, 480, 437)) << "zones count from 1";
    EXPECT_EQ(controller->cycle().zoneIndex(), 2);

    commands->snapToZones("Six Pack", 6, 2, reply());
    EXPECT_EQ(answered(), std::nullopt);
    EXPECT_EQ(frame(), QRectF(480, 25, 960, 875)) << "zones 2 to 6 together";
    commands->snapToZones("Six Pack", 2, 7, reply());
    EXPECT_EQ(answered()->message, "\"Six Pack\" has zones 1 to 6; there is no zone 7.");
    commands->snapToZones("Six Pack", 3, 0, reply());
    EXPECT_EQ(answered()->message, "\"Six Pack\" has zones 1 to 6; there is no zone 0.");

    commands->resize(50, 20000, reply());
    EXPECT_EQ(answered(), std::nullopt);
    EXPECT_EQ(frame().size(), QSizeF(100, 10000)) << "clamped as presets are";

    commands->restore(reply());
    EXPECT_EQ(answered(), std::nullopt);
    EXPECT_EQ(frame(), QRectF(100, 100, 800, 600));

    commands->showSettings();
    commands->showPanel();
    EXPECT_EQ(settingsShown, 1);
    EXPECT_EQ(panelsShown, 1);
}

TEST_F(CommandsTest, WhatCannotBeDoneIsAnErrorWithItsMessageAndChangesNoWindow) {
    controller->presets().addSizePreset("Big", 1200, 800);
    commands->cycleZone(1, reply());
    EXPECT_EQ(answered(), error(commanderror::kNoCycledLayout,
                                "No layout was applied yet, so there are no zones to step through."));
    commands->applyLayout("Nope", reply());
    EXPECT_EQ(answered(), error(commanderror::kUnknownLayout, "No layout or preset is named \"Nope\"."));
    commands->snapToZone("Big", 1, reply());
    EXPECT_EQ(answered(), error(commanderror::kUnknownLayout, "\"Big\" is a size preset: it has no zones."));
    for (const quint32 zone : {0u, 7u, 4294967295u}) {
        commands->snapToZone("Six Pack", zone, reply());
        EXPECT_EQ(answered(),
                  error(commanderror::kNoSuchZone,
                        QStringLiteral("\"Six Pack\" has zones 1 to 6; there is no zone %1.").arg(zone)));
    }
    for (const double bad : {qQNaN(), qInf(), -qInf()}) {
        commands->resize(bad, 400, reply());
        EXPECT_EQ(answered(), error(commanderror::kInvalidSize,
                                    "The width and height must be finite numbers of pixels."));
        commands->resize(400, bad, reply());
        EXPECT_EQ(answered()->name, QString::fromLatin1(commanderror::kInvalidSize));
    }
    commands->moveToAdjacentScreen(1, reply());
    EXPECT_EQ(answered(),
              error(commanderror::kNoOtherScreen, "There is no other screen to move the window to."));
    commands->moveToNeighbourZone("west", reply());
    EXPECT_EQ(answered(),
              error(commanderror::kInvalidArgs, "\"west\" is no direction: left, right, up or down."));
    commands->moveToNeighbourZone("left", reply());
    EXPECT_EQ(answered(), error(commanderror::kUnknownLayout,
                                "Neither the window nor its screen has a layout to move in."));
    commands->swapWithNeighbour("widdershins", reply());
    EXPECT_EQ(answered(),
              error(commanderror::kInvalidArgs, "\"widdershins\" is no direction: left, right, up or down."));
    commands->swapWithNeighbour("right", reply());
    EXPECT_EQ(answered(), error(commanderror::kNoNeighbourWindow,
                                "No window Corvane placed in a zone lies that way to swap with."));
    commands->restore(reply());
    EXPECT_EQ(answered(), error(commanderror::kNothingToRestore,
                                "The window has no earlier frame to go back to: Corvane has not placed it."));
    EXPECT_TRUE(desk.log().effects().isEmpty());
    EXPECT_EQ(frame(), QRectF(100, 100, 800, 600));

    controller->excludedApplications().add("Editor");
    for (const auto& command : {std::function([&] { commands->snapToZone("Split", 2, reply()); }),
                                std::function([&] { commands->restore(reply()); }),
                                std::function([&] { commands->swapWithNeighbour("left", reply()); })}) {
        command();
        EXPECT_EQ(answered(), error(commanderror::kExcludedApplication,
                                    "Corvane leaves the windows of \"Editor\" alone: it is on the list of "
                                    "applications Corvane never moves."));
    }
    EXPECT_TRUE(desk.log().effects().isEmpty());
    controller->excludedApplications().remove("Editor");
    desk.setFocusedWindow(editor, std::nullopt);
    commands->applyLayout("Split", reply());
    EXPECT_EQ(answered(),
              error(commanderror::kNoTargetWindow, "There is no window to act on: Corvane acts on "
                                                   "the window you last worked in, and found none."));
    // The window is found, then gone before the write lands.
    desk.setFocusedWindow(editor, window);
    desk.setFrameLag(window, 0.016);
    commands->applyLayout("Split", reply());
    desk.removeWindow(window);
    desk.runLoop().advance(0.016);
    EXPECT_EQ(answered(), error(commanderror::kNoTargetWindow,
                                "The window to act on went away before it could be moved."));
}

TEST_F(CommandsTest, ACallersNameIsQuotedAtMost64CharactersLongAndOneOver1KiBIsRefused) {
    const QString longName = QString(63, u'x') + QStringLiteral("yz");
    commands->applyLayout(longName, reply());
    EXPECT_EQ(answered(),
              error(commanderror::kUnknownLayout,
                    QStringLiteral("No layout or preset is named \"%1y…\".").arg(QString(63, u'x'))));
    // A character outside the basic plane is two UTF-16 units: never cut in half.
    const QString astral = QString(63, u'x') + QString::fromUtf8("\U0001F600") + u'z';
    commands->snapToZone(astral, 1, reply());
    EXPECT_EQ(answered(),
              error(commanderror::kUnknownLayout,
                    QStringLiteral("No layout or preset is named \"%1…\".").arg(QString(63, u'x'))));
    commands->snapToZone(QStringLiteral("Six Pack"), 9, reply());
    EXPECT_EQ(answered()->message, "\"Six Pack\" has zones 1 to 6; there is no zone 9.")
        << "short names whole";

    const QString refusal = QStringLiteral("A layout's name is at most 1024 bytes long; \"%1…\" is longer.");
    commands->applyLayout(QString(1024, u'n'), reply());
    EXPECT_EQ(answered()->name, QString::fromLatin1(commanderror::kUnknownLayout))
        << "1024 bytes are looked up";
    for (const QString& name : {QString(1025, u'n'), QString(60'000'000, u'n')}) {
        commands->applyLayout(name, reply());
        EXPECT_EQ(answered(), error(commanderror::kInvalidArgs, refusal.arg(QString(64, u'n'))));
        commands->snapToZone(name, 1, reply());
        EXPECT_EQ(answered(), error(commanderror::kInvalidArgs, refusal.arg(QString(64, u'n'))));
    }
    // 400 characters of three bytes each.
    commands->applyLayout(QString(400, QChar(0x20AC)), reply());
    EXPECT_EQ(answered()->name, QString::fromLatin1(commanderror::kInvalidArgs)) << "bytes, not characters";
    EXPECT_TRUE(desk.log().effects().isEmpty());
}

TEST_F(CommandsTest, TheLayoutListHasTheBuiltInsFirstThenThePresetsWithTheirZoneCounts) {
    controller->presets().addGridPreset("Desk", 2, 3, {{0, 2, 2, 1}});
    controller->presets().addSizePreset("Big", 1200, 800);
    const QList<LayoutSummary> expected = {{"Split", 2},      {"Quadrant", 4}, {"Thirds", 3},   {"Rows", 2},
                                           {"Right Bias", 2}, {"Bias", 2},     {"Six Pack", 6}, {"Focus", 3},
                                           {"Desk", 5},       {"Big", 0}};
    EXPECT_EQ(commands->listLayouts(), expected);
}

// Qt's event loop run until it has waited for more at least once.
void turnEventLoop() {
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST_F(CommandsTest, SettleAnswersOnceWhatWasDeliveredBeforeItIsHandledAndWritten) {
    int settled = 0;
    QRectF frameWhenSettled;
    const CorvaneCommands::Reply settledReply = [&](std::optional<CommandError> error) {
        EXPECT_EQ(error, std::nullopt);
        ++settled;
        frameWhenSettled = frame();
    };
    commands->settle(settledReply);
    EXPECT_EQ(settled, 0) << "not before the events already delivered are handled";
    turnEventLoop();
    EXPECT_EQ(settled, 1) << "with nothing to write, once the event loop is about to wait";

    // A command delivered before the barrier but handled after it was asked for.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { commands->applyLayout("Quadrant", reply()); },
        Qt::QueuedConnection);
    commands->settle(settledReply);
    turnEventLoop();
    EXPECT_EQ(settled, 1) << "not while the write that event asked for has not landed";
    commands->cycleZone(1, reply());
    desk.settle();
    EXPECT_EQ(settled, 2) << "once every write asked for meanwhile has landed";
    EXPECT_EQ(replies.size(), 2) << "both placements answered";
    EXPECT_EQ(frameWhenSettled, QRectF(720, 25, 720, 437)) << "the window was where the last write put it";
    EXPECT_EQ(frame(), frameWhenSettled);
}

} // namespace
} // namespace corvane
