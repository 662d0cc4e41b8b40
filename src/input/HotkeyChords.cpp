#include "HotkeyChords.h"

#include "platform/common/PressedChord.h"

#include <QCoreApplication>

namespace corvane {

namespace {

// The stored form of no chord; no chord text reads so.
constexpr auto kNoChordText = "none";

constexpr quint64 kChordModifiers =
    modifier::kControl | modifier::kOption | modifier::kShift | modifier::kCommand;
// Without one of these a chord would be typing.
constexpr quint64 kChordNeedsOneOf = modifier::kControl | modifier::kOption | modifier::kCommand;

struct ModifierName {
    quint64 flag;
    const char* text; // stored and shown
};
constexpr ModifierName kModifierNames[] = {{modifier::kControl, "Ctrl"},
                                           {modifier::kOption, "Alt"},
                                           {modifier::kShift, "Shift"},
                                           {modifier::kCommand, "Super"}};

struct KeyName {
    GrabKey key;
    const char* text;
};
constexpr KeyName kArrowNames[] = {{GrabKey::LeftArrow, "Left"},
                                   {GrabKey::RightArrow, "Right"},
                                   {GrabKey::UpArrow, "Up"},
                                   {GrabKey::DownArrow, "Down"}};

const char* storedName(HotkeyAction action) {
    constexpr const char* names[kHotkeyActionCount] = {
        "1",       "2",         "3",          "4",         "previous",   "next",    "zone-left", "zone-right",
        "zone-up", "zone-down", "quick-snap", "swap-left", "swap-right", "swap-up", "swap-down"};
    return names[int(action)];
}

QString keyText(const KeyChord& chord) {
    for (const KeyName& arrow : kArrowNames) {
        if (arrow.key == chord.key)
            return QString::fromLatin1(arrow.text);
    }
    return QString::number(chord.digit);
}

bool isUsable(const KeyChord& chord) {
    const bool isDigit = chord.key == GrabKey::Digit || chord.key == GrabKey::KeypadDigit;
    return (chord.modifierFlags & kChordNeedsOneOf) && !(chord.modifierFlags & ~kChordModifiers) &&
           (!isDigit || (chord.digit >= 0 && chord.digit <= 9));
}

KeyChord withModifiers(KeyChord chord, quint64 flags) {
    chord.modifierFlags = flags;
    return chord;
}

} // namespace

HotkeyChords defaultHotkeyChords() {
    const quint64 ctrlAlt = modifier::kControl | modifier::kOption;
    const quint64 ctrlAltShift = ctrlAlt | modifier::kShift;
    const quint64 ctrlAltSuper = ctrlAlt | modifier::kCommand;
    return {KeyChord{GrabKey::Digit, 1, ctrlAlt},           KeyChord{GrabKey::Digit, 2, ctrlAlt},
            KeyChord{GrabKey::Digit, 3, ctrlAlt},           KeyChord{GrabKey::Digit, 4, ctrlAlt},
            KeyChord{GrabKey::LeftArrow, 0, ctrlAlt},       KeyChord{GrabKey::RightArrow, 0, ctrlAlt},
            KeyChord{GrabKey::LeftArrow, 0, ctrlAltShift},  KeyChord{GrabKey::RightArrow, 0, ctrlAltShift},
            KeyChord{GrabKey::UpArrow, 0, ctrlAltShift},    KeyChord{GrabKey::DownArrow, 0, ctrlAltShift},
            KeyChord{GrabKey::Digit, 0, ctrlAlt},           KeyChord{GrabKey::LeftArrow, 0, ctrlAltSuper},
            KeyChord{GrabKey::RightArrow, 0, ctrlAltSuper}, KeyChord{GrabKey::UpArrow, 0, ctrlAltSuper},
            KeyChord{GrabKey::DownArrow, 0, ctrlAltSuper}};
}

std::optional<int> layoutNumber(HotkeyAction action) {
    if (action > HotkeyAction::Layout4)
        return std::nullopt;
    return int(action) + 1;
}

bool isZoneMove(HotkeyAction action) {
    return action >= HotkeyAction::ZoneLeft && action <= HotkeyAction::ZoneDown;
}

bool isZoneSwap(HotkeyAction action) {
    return action >= HotkeyAction::SwapLeft && action <= HotkeyAction::SwapDown;
}

ShortcutName hotkeyShortcutName(HotkeyAction action) {
    if (const std::optional<int> number = layoutNumber(action))
        return {QStringLiteral("layout-%1").arg(*number),
                QCoreApplication::translate("HotkeyChords", "Layout hotkey %1").arg(*number)};
    switch (action) {
    case HotkeyAction::Previous:
        return {QStringLiteral("throw-previous"),
                QCoreApplication::translate("HotkeyChords", "Throw Window: previous zone or screen")};
    case HotkeyAction::ZoneLeft:
        return {QStringLiteral("zone-left"),
                QCoreApplication::translate("HotkeyChords", "Move Window: zone on the left")};
    case HotkeyAction::ZoneRight:
        return {QStringLiteral("zone-right"),
                QCoreApplication::translate("HotkeyChords", "Move Window: zone on the right")};
    case HotkeyAction::ZoneUp:
        return {QStringLiteral("zone-up"),
                QCoreApplication::translate("HotkeyChords", "Move Window: zone above")};
    case HotkeyAction::ZoneDown:
        return {QStringLiteral("zone-down"),
                QCoreApplication::translate("HotkeyChords", "Move Window: zone below")};
    case HotkeyAction::QuickSnap:
        return {QStringLiteral("quick-snap"),
                QCoreApplication::translate("HotkeyChords", "Quick Snap: open the palette")};
    case HotkeyAction::SwapLeft:
        return {QStringLiteral("swap-left"),
                QCoreApplication::translate("HotkeyChords", "Swap Window: with the zone on the left")};
    case HotkeyAction::SwapRight:
        return {QStringLiteral("swap-right"),
                QCoreApplication::translate("HotkeyChords", "Swap Window: with the zone on the right")};
    case HotkeyAction::SwapUp:
        return {QStringLiteral("swap-up"),
                QCoreApplication::translate("HotkeyChords", "Swap Window: with the zone above")};
    case HotkeyAction::SwapDown:
        return {QStringLiteral("swap-down"),
                QCoreApplication::translate("HotkeyChords", "Swap Window: with the zone below")};
    default:
        return {QStringLiteral("throw-next"),
                QCoreApplication::translate("HotkeyChords", "Throw Window: next zone or screen")};
    }
}

QString chordText(const KeyChord& chord) {
    QStringList parts;
    for (const ModifierName& name : kModifierNames) {
        if (chord.modifierFlags & name.flag)
            parts.append(QString::fromLatin1(name.text));
    }
    parts.append(keyText(chord));
    return parts.join(QLatin1Char('+'));
}

std::optional<KeyChord> chordFromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('+'));
    KeyChord chord;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const auto name =
            std::find_if(std::begin(kModifierNames), std::end(kModifierNames), [&](const ModifierName& n) {
                return parts[i].compare(QLatin1String(n.text), Qt::CaseInsensitive) == 0;
            });
        if (name == std::end(kModifierNames) || (chord.modifierFlags & name->flag))
            return std::nullopt;
        chord.modifierFlags |= name->flag;
    }
    const QString key = parts.last();
    const auto arrow = std::find_if(std::begin(kArrowNames), std::end(kArrowNames), [&key](const KeyName& n) {
        return key.compare(QLatin1String(n.text), Qt::CaseInsensitive) == 0;
    });
    if (arrow != std::end(kArrowNames))
        chord.key = arrow->key;
    else if (key.size() == 1 && key[0] >= u'0' && key[0] <= u'9')
        chord.digit = key[0].unicode() - u'0';
    else
        return std::nullopt;
    if (!isUsable(chord))
        return std::nullopt;
    return chord;
}

QString chordName(const std::optional<KeyChord>& chord) {
    if (!chord)
        return QCoreApplication::translate("HotkeyChords", "None");
    QStringList parts;
    for (const ModifierName& name : kModifierNames) {
        if (chord->modifierFlags & name.flag)
            parts.append(QCoreApplication::translate("HotkeyChords", name.text));
    }
    if (chord->key == GrabKey::KeypadDigit)
        parts.append(QCoreApplication::translate("HotkeyChords", "keypad %1").arg(chord->digit));
    else
        parts.append(QCoreApplication::translate("HotkeyChords", qPrintable(keyText(*chord))));
    return parts.join(QStringLiteral(" + "));
}

HotkeyChords hotkeyChordsFromStored(const QVariant& stored) {
    const HotkeyChords defaults = defaultHotkeyChords();
    const QVariantMap map = stored.typeId() == QMetaType::QVariantMap ? stored.toMap() : QVariantMap();
    HotkeyChords chords = defaults;
    QList<qsizetype> unstored;
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i) {
        const QVariant value = map.value(QLatin1String(storedName(HotkeyAction(i))));
        if (!map.isEmpty() && !value.isValid())
            unstored.append(i);
        if (value.typeId() == QMetaType::QString && value.toString() == QLatin1String(kNoChordText)) {
            chords[i] = std::nullopt;
            continue;
        }
        const std::optional<KeyChord> chord =
            value.typeId() == QMetaType::QString ? chordFromText(value.toString()) : std::nullopt;
        // A keypad digit is stored as its digit; a chord an earlier action has is that action's.
        if (chord && chord->key != GrabKey::KeypadDigit &&
            std::find(chords.begin(), chords.begin() + i, *chord) == chords.begin() + i)
            chords[i] = *chord;
    }
    for (const qsizetype i : unstored) {
        if (std::count(chords.begin(), chords.end(), chords[i]) > 1)
            chords[i] = std::nullopt;
    }
    return chords;
}

QVariantMap storedHotkeyChords(const HotkeyChords& chords) {
    QVariantMap map;
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
        map.insert(QLatin1String(storedName(HotkeyAction(i))),
                   chords[i] ? chordText(*chords[i]) : QString::fromLatin1(kNoChordText));
    return map;
}

std::optional<KeyChord> chordOfEvent(const Event& event) {
    const std::optional<KeyChord> chord = pressedChord(event);
    if (!chord || !isUsable(*chord))
        return std::nullopt;
    return chord;
}

QList<KeyChord> grabbedChords(const std::optional<KeyChord>& chord) {
    if (!chord)
        return {};
    if (chord->key == GrabKey::Digit)
        return {*chord, {GrabKey::KeypadDigit, chord->digit, chord->modifierFlags}};
    return {*chord};
}

QList<KeyChord> grabbedChords(const HotkeyChords& chords) {
    QList<KeyChord> grabbed;
    for (const std::optional<KeyChord>& chord : chords)
        grabbed.append(grabbedChords(chord));
    return grabbed;
}

QList<KeyChord> alternativeChords(HotkeyAction action) {
    const KeyChord key = *defaultHotkeyChords()[int(action)];
    const quint64 ctrl = modifier::kControl, alt = modifier::kOption, super = modifier::kCommand;
    if (isZoneSwap(action))
        return {withModifiers(key, ctrl | super), withModifiers(key, alt | super)};
    if (isZoneMove(action)) {
        const quint64 shift = modifier::kShift;
        return {withModifiers(key, ctrl | alt | super | shift), withModifiers(key, ctrl | super | shift),
                withModifiers(key, alt | super | shift)};
    }
    // As they come, openbox, xfwm4, fluxbox, icewm, metacity (GNOME's window-manager keys) and i3 bind
    // no chord of Control+Alt+Super. Fluxbox binds Control+Super with the arrows, metacity Alt+Super.
    return {withModifiers(key, ctrl | alt | super), withModifiers(key, ctrl | super),
            withModifiers(key, alt | super)};
}

} // namespace corvane
