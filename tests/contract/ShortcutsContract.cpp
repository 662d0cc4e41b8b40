// What every backend's shortcuts promise the core: a chord fires its action once per press and
// once per auto-repeat, never on release, never while a chord is being recorded, and never once it
// is cleared or replaced.
#include "contract/ContractTest.h"

namespace corvane {
namespace {

using namespace modifier;

const KeyChord kCtrlAltOne{GrabKey::Digit, 1, kControl | kOption};
const KeyChord kCtrlAltRight{GrabKey::RightArrow, 0, kControl | kOption};
const KeyChord kSuperUp{GrabKey::UpArrow, 0, kCommand};

class ShortcutsContract : public ContractTest {
protected:
    void SetUp() override {
        ContractTest::SetUp();
        ASSERT_TRUE(desk);
        QObject::connect(&shortcuts(), &Shortcuts::triggered, [this](int id) { fired.append(id); });
    }
    Shortcuts& shortcuts() { return desk->platform().shortcuts; }
    // The actions fired since the last call.
    QList<int> take() { return std::exchange(fired, {}); }

    QList<int> fired;
};

TEST_F(ShortcutsContract, AChordFiresOncePerPressAndPerRepeatAndNeverOnRelease) {
    shortcuts().setShortcut(0, kCtrlAltOne);
    shortcuts().setShortcut(5, kCtrlAltRight);

    desk->pressKeys(kCtrlAltOne);
    EXPECT_EQ(take(), QList<int>{0});
    desk->repeatKeys(kCtrlAltOne);
    desk->repeatKeys(kCtrlAltOne);
    EXPECT_EQ(take(), (QList<int>{0, 0}));
    desk->releaseKeys(kCtrlAltOne);
    desk->waitForRepeats();
    EXPECT_TRUE(take().isEmpty()) << "nothing on the release, nor after it";

    desk->typeKeys(kCtrlAltRight);
    desk->typeKeys({GrabKey::KeypadDigit, 1, kControl | kOption});
    EXPECT_EQ(take(), (QList<int>{5, 0})) << "a digit's chord is the keypad's digit too";

    desk->typeKeys({GrabKey::Digit, 1, kControl | kOption | kShift});
    desk->typeKeys({GrabKey::Digit, 2, kControl | kOption});
    desk->typeKeys({GrabKey::Digit, 1, kControl});
    EXPECT_TRUE(take().isEmpty()) << "only the chord itself, with exactly its modifiers";
}

TEST_F(ShortcutsContract, NothingFiresWhileRecordingNorOnceClearedOrReplaced) {
    KeyGrabs& keyGrabs = desk->platform().keyGrabs;
    shortcuts().setShortcut(0, kCtrlAltOne);
    shortcuts().setShortcut(1, kCtrlAltRight);

    ASSERT_TRUE(keyGrabs.grabKeyboard());
    desk->pressKeys(kCtrlAltOne);
    desk->repeatKeys(kCtrlAltOne);
    desk->releaseKeys(kCtrlAltOne);
    EXPECT_TRUE(take().isEmpty()) << "a chord being recorded is not acted on";
    keyGrabs.ungrabKeyboard();
    desk->typeKeys(kCtrlAltOne);
    EXPECT_EQ(take(), QList<int>{0});

    shortcuts().setShortcut(0, kSuperUp);
    desk->typeKeys(kCtrlAltOne);
    EXPECT_TRUE(take().isEmpty()) << "the replaced chord";
    desk->typeKeys(kSuperUp);
    desk->typeKeys(kCtrlAltRight);
    EXPECT_EQ(take(), (QList<int>{0, 1}));

    shortcuts().clearShortcut(1);
    shortcuts().clearShortcut(3); // never set
    desk->typeKeys(kCtrlAltRight);
    desk->typeKeys(kSuperUp);
    EXPECT_EQ(take(), QList<int>{0}) << "clearing one leaves the others";
    shortcuts().clearShortcut(0);
    desk->typeKeys(kSuperUp);
    EXPECT_TRUE(take().isEmpty());
}

} // namespace
} // namespace corvane
