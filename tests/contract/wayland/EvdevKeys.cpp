#include "EvdevKeys.h"

#include "platform/Events.h"

#include <linux/input-event-codes.h>

namespace corvane {

QList<int> evdevKeysOf(const KeyChord& chord) {
    QList<int> keys;
    const std::pair<quint64, int> modifiers[] = {{modifier::kControl, KEY_LEFTCTRL},
                                                 {modifier::kOption, KEY_LEFTALT},
                                                 {modifier::kShift, KEY_LEFTSHIFT},
                                                 {modifier::kCommand, KEY_LEFTMETA}};
    for (const auto& [flag, key] : modifiers) {
        if (chord.modifierFlags & flag)
            keys.append(key);
    }
    constexpr int kDigits[] = {KEY_0, KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_6, KEY_7, KEY_8, KEY_9};
    constexpr int kKeypadDigits[] = {KEY_KP0, KEY_KP1, KEY_KP2, KEY_KP3, KEY_KP4,
                                     KEY_KP5, KEY_KP6, KEY_KP7, KEY_KP8, KEY_KP9};
    const int byGrabKey[] = {
        kDigits[chord.digit], kKeypadDigits[chord.digit], KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
    keys.append(byGrabKey[int(chord.key)]);
    return keys;
}

} // namespace corvane
