// Corvane's hotkeys against a real kglobalaccel, inside a headless KWin (tests/kwin/accel.sh starts
// it): what System Settings would list, what fires, what is never taken from KWin, recording, and a
// change the user makes there reaching the core, also across a restart of Corvane.
#include "input/HotkeyChords.h"
#include "platform/kwin/KGlobalAccelShortcuts.h"
#include "platform/kwin/KWinKeyGrabs.h"
#include "platform/kwin/KeyChordCode.h"
#include "support/LogCapture.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QSet>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

// One key sequence as kglobalaccel marshals it, (ai) with four keys, unused ones 0: System Settings
// sends these. (KWin 6.3 reads four keys whatever the array holds, and aborts on a shorter one.)
struct KeySequence {
    QList<int> keys;
};
Q_DECLARE_METATYPE(KeySequence)

QDBusArgument& operator<<(QDBusArgument& argument, const KeySequence& sequence) {
    argument.beginStructure();
    argument << sequence.keys;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, KeySequence& sequence) {
    argument.beginStructure();
    argument >> sequence.keys;
    argument.endStructure();
    return argument;
}

namespace corvane {
namespace {

using namespace modifier;

constexpr int kSignalWaitMs = 3000;
const KeyChord kMetaUp{GrabKey::UpArrow, 0, kCommand}; // KWin's "Quick Tile Window to the Top"

QDBusConnection bus() {
    return QDBusConnection::sessionBus();
}

QList<QVariant> callKGlobalAccel(const QString& path, const QString& interface, const QString& method,
                                 const QList<QVariant>& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(KGlobalAccel::service, path, interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = bus().call(message, QDBus::Block, kSignalWaitMs);
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
        << qPrintable(method) << qPrintable(reply.errorMessage());
    return reply.arguments();
}

QList<QVariant> callAccel(const QString& method, const QList<QVariant>& arguments) {
    return callKGlobalAccel(QStringLiteral("/kglobalaccel"), QStringLiteral("org.kde.KGlobalAccel"), method,
                            arguments);
}

QStringList actionId(HotkeyAction action) {
    const ShortcutName name = hotkeyShortcutName(action);
    return {QStringLiteral("corvane"), name.key, QStringLiteral("Corvane"), name.text};
}

// The keys kglobalaccel has for one of our actions, as a set: Plasma 6.7's lists them in no set order.
QSet<int> keysOf(HotkeyAction action) {
    const QList<int> keys =
        qdbus_cast<QList<int>>(callAccel(QStringLiteral("shortcut"), {actionId(action)}).value(0));
    return {keys.cbegin(), keys.cend()};
}

QSet<int> keysOf(const KeyChord& chord) {
    return {qtKeyCode(chord), qtKeyCode({GrabKey::KeypadDigit, chord.digit, chord.modifierFlags})};
}

// The action holding the chord: component, action, and their names.
QStringList holderOf(const KeyChord& chord) {
    return callAccel(QStringLiteral("action"), {qtKeyCode(chord)}).value(0).toStringList();
}

class KGlobalAccelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        qDBusRegisterMetaType<KeySequence>();
        qDBusRegisterMetaType<QList<KeySequence>>();
    }

    // As the core starts: each action named, then given its chord.
    std::unique_ptr<KGlobalAccelShortcuts> start(const HotkeyChords& chords = defaultHotkeyChords()) {
        auto shortcuts = std::make_unique<KGlobalAccelShortcuts>(bus());
        spy = std::make_unique<QSignalSpy>(shortcuts.get(), &Shortcuts::chordChangedOnDesktop);
        for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
            shortcuts->nameShortcut(int(i), hotkeyShortcutName(HotkeyAction(i)));
        for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
            if (chords[i])
                shortcuts->setShortcut(int(i), *chords[i]);
            else
                shortcuts->clearShortcut(int(i));
        return shortcuts;
    }
    // What the core was told, as (action, chord) pairs, since the last call.
    QList<std::pair<int, std::optional<KeyChord>>> told() {
        QList<std::pair<int, std::optional<KeyChord>>> pairs;
        for (const QList<QVariant>& arguments : std::as_const(*spy))
            pairs.append({arguments[0].toInt(), arguments[1].value<std::optional<KeyChord>>()});
        spy->clear();
        return pairs;
    }
    void invoke(HotkeyAction action) {
        callKGlobalAccel(QStringLiteral("/component/corvane"),
                         QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("invokeShortcut"),
                         {hotkeyShortcutName(action).key});
    }

    std::unique_ptr<QSignalSpy> spy;
};

TEST_F(KGlobalAccelTest, EveryActionIsHeldWithItsChordAndEachFiresOnce) {
    const auto shortcuts = start();
    EXPECT_TRUE(told().isEmpty()) << "nothing the user chose yet";
    const HotkeyChords chords = defaultHotkeyChords();
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i) {
        const KeyChord chord = *chords[i];
        // A digit's chord works with the keypad's digit too.
        const QSet<int> expected = chord.key == GrabKey::Digit ? keysOf(chord) : QSet{qtKeyCode(chord)};
        EXPECT_EQ(keysOf(HotkeyAction(i)), expected) << i;
        EXPECT_EQ(holderOf(chord), actionId(HotkeyAction(i))) << i;
    }

    QSignalSpy fired(shortcuts.get(), &Shortcuts::triggered);
    invoke(HotkeyAction::Layout2);
    invoke(HotkeyAction::Next);
    // The signals come in the order of the calls: a second Layout2 would come before Next.
    while (fired.size() < 2 && fired.wait(kSignalWaitMs)) {
    }
    ASSERT_EQ(fired.size(), 2);
    EXPECT_EQ(fired[0][0].toInt(), int(HotkeyAction::Layout2));
    EXPECT_EQ(fired[1][0].toInt(), int(HotkeyAction::Next));
}

TEST_F(KGlobalAccelTest, AChordAnotherActionHoldsIsReportedAndNeverTaken) {
    const QStringList kwinsAction = holderOf(kMetaUp);
    ASSERT_EQ(kwinsAction.value(0), "kwin");
    const LogCapture log;
    const auto shortcuts = start();
    KWinKeyGrabs keyGrabs(bus());
    const KeyChord free{GrabKey::Digit, 7, kControl | kOption | kCommand};
    EXPECT_EQ(keyGrabs.grabKeys({kMetaUp, *defaultHotkeyChords()[0], free}), QList{kMetaUp})
        << "our own chords are ours";
    EXPECT_EQ(keyGrabs.windowManagerName(), "KWin");
    // Whether KDE's shortcuts stay quiet cannot be seen here (invokeShortcut fires even while they
    // are blocked, and the virtual backend has no keyboard): kglobalaccel takes both calls.
    ASSERT_TRUE(keyGrabs.grabKeyboard());
    EXPECT_TRUE(keyGrabs.isKeyboardGrabbed());
    keyGrabs.ungrabKeyboard();
    EXPECT_FALSE(keyGrabs.isKeyboardGrabbed());
    EXPECT_EQ(log.count("kglobalaccel"), 0) << log.lines().join('\n').toStdString();
    EXPECT_TRUE(keyGrabs.windowManagerKeyFile()->endsWith("/kglobalshortcutsrc"));

    shortcuts->setShortcut(int(HotkeyAction::Layout4), kMetaUp);
    EXPECT_EQ(holderOf(kMetaUp), kwinsAction);
    EXPECT_TRUE(keysOf(HotkeyAction::Layout4).isEmpty());
    EXPECT_TRUE(told().isEmpty()) << "a clash is not the user's choice";
}

TEST_F(KGlobalAccelTest, AChordChangedInSystemSettingsReachesTheCoreAndOutlivesARestart) {
    const KeyChord usersChord{GrabKey::Digit, 1, kControl | kCommand};
    {
        const auto shortcuts = start();
        // As System Settings › Shortcuts saves a change.
        const QList<KeySequence> keys{{{qtKeyCode(usersChord), 0, 0, 0}}};
        callAccel(QStringLiteral("setForeignShortcutKeys"),
                  {actionId(HotkeyAction::Layout1), QVariant::fromValue(keys)});
        ASSERT_TRUE(spy->wait(kSignalWaitMs));
        EXPECT_EQ(told(), (QList<std::pair<int, std::optional<KeyChord>>>{{0, usersChord}}));
        for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
            shortcuts->clearShortcut(int(i));
    }

    const auto shortcuts = start();
    EXPECT_EQ(told(), (QList<std::pair<int, std::optional<KeyChord>>>{{0, usersChord}}))
        << "the chord KDE kept counts, not the one the core stored";
    EXPECT_EQ(keysOf(HotkeyAction::Layout1), QSet{qtKeyCode(usersChord)});

    const KeyChord settingsChord{GrabKey::Digit, 9, kControl | kOption};
    shortcuts->setShortcut(0, settingsChord);
    EXPECT_EQ(keysOf(HotkeyAction::Layout1), keysOf(settingsChord))
        << "a change in Corvane's settings reaches KDE";
    EXPECT_TRUE(told().isEmpty());
}

TEST_F(KGlobalAccelTest, AChordTakenAwayInSystemSettingsIsNoneAndOneGivenThereLaterFires) {
    {
        const auto shortcuts = start();
        callAccel(QStringLiteral("setForeignShortcutKeys"),
                  {actionId(HotkeyAction::Next), QVariant::fromValue(QList<KeySequence>{})});
        ASSERT_TRUE(spy->wait(kSignalWaitMs));
        EXPECT_EQ(told(), (QList<std::pair<int, std::optional<KeyChord>>>{{5, std::nullopt}}));
        for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
            shortcuts->clearShortcut(int(i));
    }
    // Started again with none for it, as the core stored it: listed with none, for the user to give one.
    HotkeyChords chords = defaultHotkeyChords();
    chords[5] = std::nullopt;
    const auto shortcuts = start(chords);
    const KeyChord usersChord{GrabKey::Digit, 8, kControl | kOption | kCommand}; // one KDE leaves free
    const QList<KeySequence> keys{{{qtKeyCode(usersChord), 0, 0, 0}}};
    callAccel(QStringLiteral("setForeignShortcutKeys"),
              {actionId(HotkeyAction::Next), QVariant::fromValue(keys)});
    ASSERT_TRUE(spy->wait(kSignalWaitMs));
    EXPECT_EQ(told(), (QList<std::pair<int, std::optional<KeyChord>>>{{5, usersChord}}));
    QSignalSpy fired(shortcuts.get(), &Shortcuts::triggered);
    invoke(HotkeyAction::Next);
    ASSERT_TRUE(fired.wait(kSignalWaitMs)) << "the chord given in System Settings fires";
    EXPECT_EQ(fired.value(0).value(0).toInt(), 5);
}

} // namespace
} // namespace corvane
