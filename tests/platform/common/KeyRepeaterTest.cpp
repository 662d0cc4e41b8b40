// Auto-repeat of held keys on a run loop moved by hand: the delay, the interval, which key repeats
// when several are held (as the X server decides it), and settings that change while a key is held.
#include "platform/common/KeyRepeater.h"

#include "platform/sim/SimRunLoop.h"

#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr quint32 kA = 38, kB = 56, kRight = 114, kControl = 37; // Control does not repeat

class KeyRepeaterTest : public ::testing::Test {
protected:
    SimRunLoop loop{0.0};
    // Per key; a key absent here does not repeat.
    QHash<quint32, KeyRepeatTiming> timings{{kA, {0.5, 0.1}}, {kB, {0.5, 0.1}}, {kRight, {0.25, 0.04}}};
    QStringList fired; // "key@time", in milliseconds
    KeyRepeater repeater{loop,
                         [this](quint32 key) -> std::optional<KeyRepeatTiming> {
                             if (!timings.contains(key))
                                 return std::nullopt;
                             return timings.value(key);
                         },
                         [this](quint32 key) {
                             fired.append(QStringLiteral("%1@%2").arg(key).arg(qRound(loop.now() * 1000)));
                         }};
};

TEST_F(KeyRepeaterTest, AHeldKeyRepeatsAfterTheDelayAtEveryIntervalUntilItsRelease) {
    repeater.press(kRight);
    loop.advance(0.249);
    EXPECT_TRUE(fired.isEmpty()) << "nothing before the delay";
    loop.advance(0.001 + 0.04 * 2);
    EXPECT_EQ(fired, (QStringList{"114@250", "114@290", "114@330"}));

    repeater.release(kRight);
    loop.advance(1.0);
    EXPECT_EQ(fired.size(), 3) << "the release stops it";
    EXPECT_EQ(loop.activeTimerCount(), 0);
    EXPECT_FALSE(repeater.repeatingKey());
}

TEST_F(KeyRepeaterTest, OnlyTheLastRepeatingKeyPressedRepeats) {
    // A modifier pressed or released while a key repeats changes nothing.
    repeater.press(kA);
    loop.advance(0.55);
    repeater.press(kControl);
    loop.advance(0.1);
    repeater.release(kControl);
    loop.advance(0.1);
    EXPECT_EQ(fired, (QStringList{"38@500", "38@600", "38@700"}));

    // A second repeating key takes over, from its own delay; releasing the first leaves it running.
    fired.clear();
    repeater.press(kB); // at 750
    loop.advance(0.3);
    repeater.release(kA);
    loop.advance(0.25);
    EXPECT_EQ(fired, QStringList{"56@1250"});
    EXPECT_EQ(repeater.repeatingKey(), kB);

    // Its release stops all repeating: the key still held does not start again.
    repeater.release(kB);
    loop.advance(1.0);
    EXPECT_EQ(fired.size(), 1);
    EXPECT_FALSE(repeater.repeatingKey());

    // A key that does not repeat, pressed alone, never fires.
    repeater.press(kControl);
    loop.advance(2.0);
    EXPECT_EQ(fired.size(), 1);
}

TEST_F(KeyRepeaterTest, SettingsChangedWhileAKeyIsHeldApplyFromTheNextInterval) {
    repeater.press(kA);
    loop.advance(0.55);
    timings[kA] = {0.5, 0.25}; // a slower rate, set between two repeats
    loop.advance(0.5);
    // The interval under way runs out; the ones after it take the new rate.
    EXPECT_EQ(fired, (QStringList{"38@500", "38@600", "38@850"}));

    timings.remove(kA); // repeating switched off for the key, or for the keyboard
    loop.advance(1.0);
    EXPECT_EQ(fired.size(), 3);
    EXPECT_FALSE(repeater.repeatingKey()) << "a key that stopped repeating is no longer the repeating key";
    EXPECT_EQ(loop.activeTimerCount(), 0);
}

} // namespace
} // namespace corvane
