// What every backend's shortcuts promise the core: a chord fires its action once per press and
// once per auto-repeat, never on release, never while a chord is being recorded, and never once it
// is cleared or replaced. Each backend runs the same cases through a driver that works its keyboard.
#include "platform/Shortcuts.h"
#include "platform/sim/SimDesktop.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace corvane {
namespace {

using namespace modifier;

class ShortcutsDriver {
public:
    virtual ~ShortcutsDriver() = default;
    virtual Shortcuts& shortcuts() = 0;
    // The user presses the chord, holds it until it repeats once, lets it go.
    virtual void press(const KeyChord& chord) = 0;
    virtual void repeat(const KeyChord& chord) = 0;
    virtual void release(const KeyChord& chord) = 0;
    // The settings window starts or stops recording a chord.
    virtual void setRecording(bool isRecording) = 0;
};

// The simulated desktop's observed keys. As on X11, a repeat is one more key-down and a release
// reaches no key monitor.
class SimDriver final : public ShortcutsDriver {
public:
    Shortcuts& shortcuts() override { return m_desk.shortcuts(); }
    void press(const KeyChord& chord) override {
        const bool isDigit = chord.key == GrabKey::Digit || chord.key == GrabKey::KeypadDigit;
        const quint16 arrows[] = {keycode::kLeftArrow, keycode::kRightArrow, keycode::kUpArrow,
                                  keycode::kDownArrow};
        const quint64 keypad = chord.key == GrabKey::KeypadDigit ? kNumericPad : 0;
        m_desk.events().sendGlobal(SimEvents::keyDown(
            isDigit ? QString::number(chord.digit) : QString(),
            isDigit ? 0 : arrows[int(chord.key) - int(GrabKey::LeftArrow)], chord.modifierFlags | keypad));
    }
    void repeat(const KeyChord& chord) override { press(chord); }
    void release(const KeyChord&) override {}
    void setRecording(bool isRecording) override {
        if (isRecording)
            ASSERT_TRUE(m_desk.keyGrabs().grabKeyboard());
        else
            m_desk.keyGrabs().ungrabKeyboard();
    }

private:
    SimDesktop m_desk;
};

struct Backend {
    const char* name;
    std::function<std::unique_ptr<ShortcutsDriver>()> driver;
};

void PrintTo(const Backend& backend, std::ostream* os) {
    *os << backend.name;
}

const Backend kBackends[] = {{"sim", [] { return std::make_unique<SimDriver>(); }}};

const KeyChord kCtrlAltOne{GrabKey::Digit, 1, kControl | kOption};
const KeyChord kCtrlAltRight{GrabKey::RightArrow, 0, kControl | kOption};
const KeyChord kSuperUp{GrabKey::UpArrow, 0, kCommand};

class ShortcutsContract : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        driver = GetParam().driver();
        QObject::connect(&driver->shortcuts(), &Shortcuts::triggered, [this](int id) { fired.append(id); });
    }
    // What the actions fired since the last call.
    QList<int> take() { return std::exchange(fired, {}); }

    std::unique_ptr<ShortcutsDriver> driver;
    QList<int> fired;
};

TEST_P(ShortcutsContract, AChordFiresOncePerPressAndPerRepeatAndNeverOnRelease) {
    Shortcuts& shortcuts = driver->shortcuts();
    shortcuts.setShortcut(0, kCtrlAltOne);
    shortcuts.setShortcut(5, kCtrlAltRight);
    EXPECT_TRUE(take().isEmpty());

    driver->press(kCtrlAltOne);
    EXPECT_EQ(take(), QList<int>{0});
    driver->repeat(kCtrlAltOne);
    driver->repeat(kCtrlAltOne);
    EXPECT_EQ(take(), (QList<int>{0, 0}));
    driver->release(kCtrlAltOne);
    EXPECT_TRUE(take().isEmpty());

    driver->press(kCtrlAltRight);
    driver->release(kCtrlAltRight);
    driver->press({GrabKey::KeypadDigit, 1, kControl | kOption});
    EXPECT_EQ(take(), (QList<int>{5, 0})) << "a digit's chord is the keypad's digit too";

    driver->press({GrabKey::Digit, 1, kControl | kOption | kShift});
    driver->press({GrabKey::Digit, 2, kControl | kOption});
    driver->press({GrabKey::Digit, 1, kControl});
    EXPECT_TRUE(take().isEmpty()) << "only the chord itself, with exactly its modifiers";
}

TEST_P(ShortcutsContract, NothingFiresWhileRecordingNorOnceClearedOrReplaced) {
    Shortcuts& shortcuts = driver->shortcuts();
    shortcuts.setShortcut(0, kCtrlAltOne);
    shortcuts.setShortcut(1, kCtrlAltRight);

    driver->setRecording(true);
    driver->press(kCtrlAltOne);
    driver->repeat(kCtrlAltOne);
    EXPECT_TRUE(take().isEmpty()) << "a chord being recorded is not acted on";
    driver->setRecording(false);
    driver->press(kCtrlAltOne);
    EXPECT_EQ(take(), QList<int>{0});

    shortcuts.setShortcut(0, kSuperUp);
    driver->press(kCtrlAltOne);
    EXPECT_TRUE(take().isEmpty()) << "the replaced chord";
    driver->press(kSuperUp);
    driver->press(kCtrlAltRight);
    EXPECT_EQ(take(), (QList<int>{0, 1}));

    shortcuts.clearShortcut(1);
    shortcuts.clearShortcut(3); // never set
    driver->press(kCtrlAltRight);
    driver->press(kSuperUp);
    EXPECT_EQ(take(), QList<int>{0}) << "clearing one leaves the others";
    shortcuts.clearShortcut(0);
    driver->press(kSuperUp);
    EXPECT_TRUE(take().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Backends, ShortcutsContract, ::testing::ValuesIn(kBackends),
                         [](const ::testing::TestParamInfo<Backend>& param) { return param.param.name; });

} // namespace
} // namespace corvane
