#include "GnomeAccelerator.h"

#include "platform/Events.h"

namespace corvane {

namespace {

struct ModifierName {
    const char* name; // lower case
    quint64 flag;
};
constexpr ModifierName kModifierNames[] = {
    {"control", modifier::kControl}, {"ctrl", modifier::kControl},  {"ctl", modifier::kControl},
    {"primary", modifier::kControl}, {"alt", modifier::kOption},    {"mod1", modifier::kOption},
    {"shift", modifier::kShift},     {"super", modifier::kCommand}, {"mod4", modifier::kCommand},
};

struct KeyName {
    GrabKey key;
    const char* name;
};
constexpr KeyName kArrowNames[] = {{GrabKey::LeftArrow, "Left"},
                                   {GrabKey::RightArrow, "Right"},
                                   {GrabKey::UpArrow, "Up"},
                                   {GrabKey::DownArrow, "Down"}};

} // namespace

QString gnomeAccelerator(const KeyChord& chord) {
    QString text;
    for (const auto& [flag, name] :
         {std::pair{modifier::kControl, "<Control>"}, std::pair{modifier::kOption, "<Alt>"},
          std::pair{modifier::kShift, "<Shift>"}, std::pair{modifier::kCommand, "<Super>"}}) {
        if (chord.modifierFlags & flag)
            text += QLatin1String(name);
    }
    for (const KeyName& arrow : kArrowNames) {
        if (arrow.key == chord.key)
            return text + QLatin1String(arrow.name);
    }
    if (chord.key == GrabKey::KeypadDigit)
        text += QStringLiteral("KP_");
    return text + QString::number(chord.digit);
}

std::optional<KeyChord> keyChordOfGnomeAccelerator(const QString& accelerator) {
    KeyChord chord;
    QStringView rest(accelerator);
    while (rest.startsWith(u'<')) {
        const qsizetype end = rest.indexOf(u'>');
        if (end < 0)
            return std::nullopt;
        const QString name = rest.mid(1, end - 1).toString().toLower();
        const auto known = std::find_if(std::begin(kModifierNames), std::end(kModifierNames),
                                        [&](const ModifierName& m) { return name == QLatin1String(m.name); });
        if (known == std::end(kModifierNames))
            return std::nullopt;
        chord.modifierFlags |= known->flag;
        rest = rest.mid(end + 1);
    }
    for (const KeyName& arrow : kArrowNames) {
        if (rest == QLatin1String(arrow.name)) {
            chord.key = arrow.key;
            return chord;
        }
    }
    if (rest.startsWith(u"KP_")) {
        chord.key = GrabKey::KeypadDigit;
        rest = rest.mid(3);
    }
    if (rest.size() != 1 || !rest[0].isDigit())
        return std::nullopt;
    chord.digit = rest[0].digitValue();
    return chord;
}

} // namespace corvane
