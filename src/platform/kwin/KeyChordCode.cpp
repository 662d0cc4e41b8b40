#include "KeyChordCode.h"

#include "platform/Events.h"

#include <Qt>

namespace corvane {

namespace {

struct ModifierPair {
    quint64 flag;
    Qt::KeyboardModifier qt;
};
constexpr ModifierPair kModifiers[] = {{modifier::kControl, Qt::ControlModifier},
                                       {modifier::kOption, Qt::AltModifier},
                                       {modifier::kShift, Qt::ShiftModifier},
                                       {modifier::kCommand, Qt::MetaModifier}};

struct KeyPair {
    GrabKey key;
    Qt::Key qt;
};
constexpr KeyPair kArrows[] = {{GrabKey::LeftArrow, Qt::Key_Left},
                               {GrabKey::RightArrow, Qt::Key_Right},
                               {GrabKey::UpArrow, Qt::Key_Up},
                               {GrabKey::DownArrow, Qt::Key_Down}};

} // namespace

int qtKeyCode(const KeyChord& chord) {
    int code = 0;
    for (const ModifierPair& pair : kModifiers) {
        if (chord.modifierFlags & pair.flag)
            code |= pair.qt;
    }
    for (const KeyPair& arrow : kArrows) {
        if (arrow.key == chord.key)
            return code | arrow.qt;
    }
    if (chord.key == GrabKey::KeypadDigit)
        code |= Qt::KeypadModifier;
    return code | (Qt::Key_0 + chord.digit);
}

std::optional<KeyChord> keyChordOfQtKey(int code) {
    const auto combination = QKeyCombination::fromCombined(code);
    Qt::KeyboardModifiers rest = combination.keyboardModifiers();
    KeyChord chord;
    for (const ModifierPair& pair : kModifiers) {
        if (rest & pair.qt)
            chord.modifierFlags |= pair.flag;
        rest &= ~pair.qt;
    }
    const bool isKeypad = rest & Qt::KeypadModifier;
    rest &= ~Qt::KeypadModifier;
    if (rest)
        return std::nullopt;
    const Qt::Key key = combination.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        chord.key = isKeypad ? GrabKey::KeypadDigit : GrabKey::Digit;
        chord.digit = key - Qt::Key_0;
        return chord;
    }
    // Some keyboards report the arrows as keypad keys: an arrow is an arrow.
    for (const KeyPair& arrow : kArrows) {
        if (arrow.qt == key) {
            chord.key = arrow.key;
            return chord;
        }
    }
    return std::nullopt;
}

} // namespace corvane
