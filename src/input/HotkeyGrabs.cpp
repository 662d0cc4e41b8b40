#include "HotkeyGrabs.h"

#include "input/HotkeyRules.h"
#include "platform/Log.h"

namespace corvane {

namespace {

struct KnownWindowManager {
    const char* nameContains; // in its own name, lower case; IceWM's carries its version
    const char* name;
    const char* bindings; // where the user changes them
};

const KnownWindowManager kKnownWindowManagers[] = {
    {"openbox", "Openbox",
     "the <keyboard> section of ~/.config/openbox/rc.xml (lxde-rc.xml or lxqt-rc.xml in LXDE and LXQt)"},
    {"xfwm", "Xfwm4", "Settings › Window Manager › Keyboard"},
    {"metacity", "Metacity", "the dconf keys under org.gnome.desktop.wm.keybindings"},
    {"marco", "Marco", "the dconf keys under org.mate.Marco.global-keybindings (MATE's Keyboard Shortcuts)"},
    {"mutter", "Mutter",
     "Settings › Keyboard › Keyboard Shortcuts (the dconf keys under org.gnome.desktop.wm.keybindings)"},
    {"gnome shell", "GNOME Shell",
     "Settings › Keyboard › Keyboard Shortcuts (the dconf keys under org.gnome.desktop.wm.keybindings)"},
    {"kwin", "KWin", "System Settings › Shortcuts (~/.config/kglobalshortcutsrc)"},
    {"fluxbox", "Fluxbox", "~/.fluxbox/keys"},
    {"icewm", "IceWM",
     "~/.icewm/keys and the Key… settings of ~/.icewm/preferences (KeySysWorkspacePrev, for example)"},
};

const KnownWindowManager* knownWindowManager(const std::optional<QString>& name) {
    if (!name)
        return nullptr;
    const QString lower = name->toLower();
    for (const KnownWindowManager& known : kKnownWindowManagers) {
        if (lower.contains(QLatin1String(known.nameContains)))
            return &known;
    }
    return nullptr;
}

// "A", "A and B", "A, B and C".
QString listed(const QStringList& items) {
    if (items.size() < 2)
        return items.value(0);
    return QObject::tr("%1 and %2")
        .arg(items.mid(0, items.size() - 1).join(QStringLiteral(", ")), items.last());
}

} // namespace

HotkeyGrabs::HotkeyGrabs(Platform& platform, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_consumesKeys(platform.defaults.boolean(kHotkeysConsumeKeysKey).value_or(false)) {
    connect(&m_platform.keyGrabs, &KeyGrabs::windowManagerChanged, this, [this] {
        m_recheck = m_platform.runLoop.scheduleTimer(windowManagerSettleSeconds, false, [this] {
            m_recheck.reset();
            check();
        });
    });
    check();
}

QList<KeyChord> HotkeyGrabs::hotkeyChords() {
    QList<KeyChord> chords;
    for (const GrabKey key : {GrabKey::Digit, GrabKey::KeypadDigit}) {
        for (int digit = 1; digit <= 4; ++digit)
            chords.append({key, digit, kHotkeyModifiers});
    }
    chords.append({GrabKey::LeftArrow, 0, kHotkeyModifiers});
    chords.append({GrabKey::RightArrow, 0, kHotkeyModifiers});
    return chords;
}

QString HotkeyGrabs::chordName(const KeyChord& chord) {
    QString key;
    switch (chord.key) {
    case GrabKey::Digit:
        key = QString::number(chord.digit);
        break;
    case GrabKey::KeypadDigit:
        key = tr("keypad %1").arg(chord.digit);
        break;
    case GrabKey::LeftArrow:
        key = tr("Left");
        break;
    case GrabKey::RightArrow:
        key = tr("Right");
        break;
    }
    QStringList parts;
    if (chord.modifierFlags & modifier::kControl)
        parts.append(tr("Ctrl"));
    if (chord.modifierFlags & modifier::kOption)
        parts.append(tr("Alt"));
    if (chord.modifierFlags & modifier::kShift)
        parts.append(tr("Shift"));
    if (chord.modifierFlags & modifier::kCommand)
        parts.append(tr("Super"));
    parts.append(key);
    return parts.join(QStringLiteral(" + "));
}

void HotkeyGrabs::setConsumesKeys(bool consumesKeys) {
    if (consumesKeys == m_consumesKeys)
        return;
    m_consumesKeys = consumesKeys;
    m_platform.defaults.setBool(kHotkeysConsumeKeysKey, consumesKeys);
    check();
    emit consumesKeysChanged(consumesKeys);
}

void HotkeyGrabs::check() {
    const QList<KeyChord> chords = hotkeyChords();
    const QList<KeyChord> refused = m_platform.keyGrabs.grabKeys(chords);
    if (!m_consumesKeys)
        m_platform.keyGrabs.ungrabKeys(chords);
    QList<KeyChord> held;
    for (const KeyChord& chord : chords) {
        if (refused.contains(chord))
            held.append(chord);
    }
    const std::optional<QString> windowManager = m_platform.keyGrabs.windowManagerName();
    if (held == m_heldKeys && windowManager == m_windowManagerName)
        return;
    m_heldKeys = held;
    m_windowManagerName = windowManager;
    const bool isNews = std::any_of(held.begin(), held.end(),
                                    [this](const KeyChord& chord) { return !m_loggedKeys.contains(chord); });
    if (isNews) {
        qCWarning(lcGeneral).noquote() << clashDescription();
        for (const KeyChord& chord : held) {
            if (!m_loggedKeys.contains(chord))
                m_loggedKeys.append(chord);
        }
    }
    emit heldKeysChanged();
}

QString HotkeyGrabs::clashDescription() const {
    if (m_heldKeys.isEmpty())
        return {};
    QStringList names;
    for (const KeyChord& chord : m_heldKeys)
        names.append(chordName(chord));
    const KnownWindowManager* known = knownWindowManager(m_windowManagerName);
    const QString who =
        known ? QString::fromUtf8(known->name) : m_windowManagerName.value_or(tr("Your window manager"));
    const QString uses = m_heldKeys.size() == 1
                             ? tr("%1 also uses %2, so pressing it acts there as well as in Corvane.")
                             : tr("%1 also uses %2, so pressing them acts there as well as in Corvane.");
    const QString where = known ? tr("Its key bindings are in %1.").arg(QString::fromUtf8(known->bindings))
                                : tr("Its keyboard settings can free them for Corvane.");
    return uses.arg(who, listed(names)) + QLatin1Char(' ') + where;
}

} // namespace corvane
