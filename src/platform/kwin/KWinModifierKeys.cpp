#include "KWinModifierKeys.h"

#include "platform/Events.h"

namespace corvane {

namespace {

struct KeyFlag {
    quint32 key;
    quint64 flag;
    quint32 setWhile;
};

constexpr KeyFlag kKeyFlags[] = {{KWinModifierKeys::Control, modifier::kControl, KWinModifierKeys::Pressed},
                                 {KWinModifierKeys::Alt, modifier::kOption, KWinModifierKeys::Pressed},
                                 {KWinModifierKeys::Shift, modifier::kShift, KWinModifierKeys::Pressed},
                                 {KWinModifierKeys::Meta, modifier::kCommand, KWinModifierKeys::Pressed},
                                 {KWinModifierKeys::CapsLock, modifier::kCapsLock, KWinModifierKeys::Locked}};

} // namespace

void KWinModifierKeys::update(quint32 key, quint32 state) {
    for (const KeyFlag& k : kKeyFlags) {
        if (k.key != key)
            continue;
        if (state == k.setWhile)
            m_flags |= k.flag;
        else
            m_flags &= ~k.flag;
    }
}

} // namespace corvane
