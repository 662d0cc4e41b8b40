#include "PressedChord.h"

namespace corvane {

namespace {

// The sixteen device-independent flag bits less Caps Lock, numeric pad and function: those and the
// device-dependent low bits never tell chords apart.
constexpr quint64 kComparedModifiers = 0xFF5E0000;

struct Arrow {
    GrabKey key;
    quint16 keyCode;
};
constexpr Arrow kArrows[] = {{GrabKey::LeftArrow, keycode::kLeftArrow},
                             {GrabKey::RightArrow, keycode::kRightArrow},
                             {GrabKey::UpArrow, keycode::kUpArrow},
                             {GrabKey::DownArrow, keycode::kDownArrow}};

} // namespace

std::optional<KeyChord> pressedChord(const Event& event) {
    if (event.type != EventType::KeyDown)
        return std::nullopt;
    KeyChord chord;
    chord.modifierFlags = event.modifierFlags & kComparedModifiers;
    const auto arrow = std::find_if(std::begin(kArrows), std::end(kArrows),
                                    [&event](const Arrow& a) { return a.keyCode == event.keyCode; });
    const QString characters = event.charactersIgnoringModifiers.value_or(QString());
    if (arrow != std::end(kArrows))
        chord.key = arrow->key;
    else if (characters.size() == 1 && characters[0] >= u'0' && characters[0] <= u'9')
        chord.digit = characters[0].unicode() - u'0';
    else
        return std::nullopt;
    return chord;
}

} // namespace corvane
