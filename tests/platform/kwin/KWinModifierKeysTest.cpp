// The modifier keys KWin's key-state protocol reports, as the flags drag to snap reads: a key counts
// while pressed, and stops on its release; latched or locked it is not held. Each row is what KWin
// reports in turn, from no key held.
#include "platform/kwin/KWinModifierKeys.h"

#include "platform/Events.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

namespace corvane {
namespace {

using K = KWinModifierKeys;
using namespace modifier;

TEST(KWinModifierKeysTest, PressedModifiersAreHeldAndLatchedOrLockedOnesAreNot) {
    const struct {
        const char* what;
        std::initializer_list<std::pair<quint32, quint32>> reports;
        quint64 flags;
    } rows[] = {
        {"Control pressed", {{K::Control, K::Pressed}}, kControl},
        {"Alt, Shift and Meta pressed",
         {{K::Alt, K::Pressed}, {K::Shift, K::Pressed}, {K::Meta, K::Pressed}},
         kOption | kShift | kCommand},
        {"Control released", {{K::Control, K::Pressed}, {K::Control, K::Unlocked}}, 0},
        {"Meta released, Alt still held",
         {{K::Meta, K::Pressed}, {K::Alt, K::Pressed}, {K::Meta, K::Unlocked}},
         kOption},
        {"a sticky Control let go: latched", {{K::Control, K::Pressed}, {K::Control, K::Latched}}, 0},
        {"Shift locked", {{K::Shift, K::Locked}}, 0},
        {"Caps Lock on, then off", {{K::CapsLock, K::Locked}, {K::CapsLock, K::Unlocked}}, 0},
        {"Caps Lock on with Control",
         {{K::CapsLock, K::Locked}, {K::Control, K::Pressed}},
         kCapsLock | kControl},
        {"AltGr, Num Lock and Scroll Lock",
         {{K::AltGr, K::Pressed}, {K::NumLock, K::Locked}, {K::ScrollLock, K::Locked}},
         0},
    };
    for (const auto& row : rows) {
        KWinModifierKeys keys;
        for (const auto& [key, state] : row.reports)
            keys.update(key, state);
        EXPECT_EQ(keys.flags(), row.flags) << row.what;
    }
}

} // namespace
} // namespace corvane
