#include "HotkeyGrabs.h"

#include "platform/common/Log.h"

namespace corvane {

namespace {

struct KnownWindowManager {
    const char* nameContains; // in its own name, lower case; IceWM's carries its version
    const char* name;
    const char* bindings;                 // where the user changes them
    const char* bindingsInFile = nullptr; // the same with the file it reads (%1), where that is known
};

const KnownWindowManager kKnownWindowManagers[] = {
    {"openbox", "Openbox",
     "the <keyboard> section of the rc.xml it was started with (lxde-rc.xml or lxqt-rc.xml in LXDE and LXQt)",
     "the <keyboard> section of %1"},
    {"xfwm", "Xfwm4", "Settings › Window Manager › Keyboard"},
    {"metacity", "Metacity", "the dconf keys under org.gnome.desktop.wm.keybindings"},
    {"marco", "Marco", "the dconf keys under org.mate.Marco.global-keybindings (MATE's Keyboard Shortcuts)"},
    {"mutter", "Mutter",
     "Settings › Keyboard › Keyboard Shortcuts (the dconf keys under org.gnome.desktop.wm.keybindings)"},
    {"gnome shell", "GNOME Shell",
     "Settings › Keyboard › Keyboard Shortcuts (the dconf keys under org.gnome.desktop.wm.keybindings)"},
    {"kwin", "KWin", "System Settings › Shortcuts (~/.config/kglobalshortcutsrc)",
     "System Settings › Shortcuts (%1)"},
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

// What an action is for, as "Corvane already uses … for …" ends.
QString actionUse(HotkeyAction action) {
    if (const std::optional<int> number = layoutNumber(action))
        return HotkeyGrabs::tr("layout hotkey %1").arg(*number);
    switch (action) {
    case HotkeyAction::Previous:
        return HotkeyGrabs::tr("the previous zone or screen");
    case HotkeyAction::Next:
        return HotkeyGrabs::tr("the next zone or screen");
    case HotkeyAction::ZoneLeft:
        return HotkeyGrabs::tr("the zone on the left");
    case HotkeyAction::ZoneRight:
        return HotkeyGrabs::tr("the zone on the right");
    case HotkeyAction::ZoneUp:
        return HotkeyGrabs::tr("the zone above");
    case HotkeyAction::QuickSnap:
        return HotkeyGrabs::tr("the Quick Snap palette");
    case HotkeyAction::SwapLeft:
        return HotkeyGrabs::tr("swapping with the zone on the left");
    case HotkeyAction::SwapRight:
        return HotkeyGrabs::tr("swapping with the zone on the right");
    case HotkeyAction::SwapUp:
        return HotkeyGrabs::tr("swapping with the zone above");
    case HotkeyAction::SwapDown:
        return HotkeyGrabs::tr("swapping with the zone below");
    default:
        return HotkeyGrabs::tr("the zone below");
    }
}

} // namespace

HotkeyGrabs::HotkeyGrabs(Platform& platform, const HotkeyChords& chords, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_chords(chords)
    , m_consumesKeys(platform.defaults.boolean(kHotkeysConsumeKeysKey).value_or(false))
    , m_recorder(platform.events) {
    const auto recheck = [this] {
        m_recheck = m_platform.runLoop.scheduleTimer(windowManagerSettleSeconds, false, [this] {
            m_recheck.reset();
            check();
        });
    };
    connect(&m_platform.keyGrabs, &KeyGrabs::windowManagerChanged, this, recheck);
    // Some window managers bind the keys that act on a window on each window they manage: those are
    // found once a window is there.
    connect(&m_platform.windowServer, &WindowServer::windowAdded, this, recheck);
    check();
}

void HotkeyGrabs::setChords(const HotkeyChords& chords) {
    if (chords == m_chords)
        return;
    const QList<KeyChord> before = grabbedChords(m_chords);
    m_chords = chords;
    QList<KeyChord> released = before;
    released.removeIf([now = grabbedChords(chords)](const KeyChord& chord) { return now.contains(chord); });
    m_platform.keyGrabs.ungrabKeys(released);
    check();
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
    const QList<KeyChord> chords = grabbedChords(m_chords);
    const QList<KeyChord> refused = m_platform.keyGrabs.grabKeys(chords);
    if (!m_consumesKeys)
        m_platform.keyGrabs.ungrabKeys(chords);
    QList<KeyChord> held;
    for (const KeyChord& chord : chords) {
        if (refused.contains(chord))
            held.append(chord);
    }
    const std::optional<QString> windowManager = m_platform.keyGrabs.windowManagerName();
    const std::optional<QString> keyFile = m_platform.keyGrabs.windowManagerKeyFile();
    const std::optional<HotkeyChords> offer = held.isEmpty() ? std::nullopt : freeChords(held);
    if (held == m_heldKeys && windowManager == m_windowManagerName && keyFile == m_keyFile &&
        offer == m_offer)
        return;
    m_heldKeys = held;
    m_windowManagerName = windowManager;
    m_keyFile = keyFile;
    m_offer = offer;
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

bool HotkeyGrabs::isHeldByOther(const KeyChord& chord) {
    const QList<KeyChord> chords = grabbedChords(chord);
    const bool isHeld = !m_platform.keyGrabs.grabKeys(chords).isEmpty();
    // Ours already when the option holds the table's chords: those stay grabbed.
    const QList<KeyChord> ours = m_consumesKeys ? grabbedChords(m_chords) : QList<KeyChord>();
    QList<KeyChord> released = chords;
    released.removeIf([&ours](const KeyChord& c) { return ours.contains(c); });
    m_platform.keyGrabs.ungrabKeys(released);
    return isHeld;
}

std::optional<HotkeyChords> HotkeyGrabs::freeChords(const QList<KeyChord>& held) {
    HotkeyChords offer = m_chords;
    bool isChanged = false;
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i) {
        const QList<KeyChord> own = grabbedChords(m_chords[i]);
        if (std::none_of(own.begin(), own.end(), [&held](const KeyChord& c) { return held.contains(c); }))
            continue;
        for (const KeyChord& alternative : alternativeChords(HotkeyAction(i))) {
            if (std::find(offer.begin(), offer.end(), std::optional(alternative)) == offer.end() &&
                !isHeldByOther(alternative)) {
                offer[i] = alternative;
                isChanged = true;
                break;
            }
        }
    }
    return isChanged ? std::optional(offer) : std::nullopt;
}

std::optional<QString> HotkeyGrabs::whyTaken(const KeyChord& chord, HotkeyAction action) {
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i) {
        if (HotkeyAction(i) == action || m_chords[i] != chord)
            continue;
        return tr("Corvane already uses %1 for %2.").arg(chordName(chord), actionUse(HotkeyAction(i)));
    }
    if (!isHeldByOther(chord))
        return std::nullopt;
    const KnownWindowManager* known = knownWindowManager(m_platform.keyGrabs.windowManagerName());
    const QString who = known ? QString::fromUtf8(known->name) : tr("Another program");
    return tr("%1 is taken: %2 acts on it first, and Corvane would do nothing there.")
        .arg(chordName(chord), who);
}

bool HotkeyGrabs::startRecording(Recorded recorded) {
    stopRecording();
    if (!m_platform.keyGrabs.grabKeyboard())
        return false;
    m_recorded = std::move(recorded);
    m_recorder.start([this](const Event& event) {
        if (event.keyCode == keycode::kEscape)
            finishRecording(std::nullopt);
        else if (const std::optional<KeyChord> chord = chordOfEvent(event))
            finishRecording(chord);
    });
    m_recordingTimeout = m_platform.runLoop.scheduleTimer(recordingTimeoutSeconds, false,
                                                          [this] { finishRecording(std::nullopt); });
    return true;
}

void HotkeyGrabs::stopRecording() {
    if (isRecording())
        finishRecording(std::nullopt);
}

void HotkeyGrabs::finishRecording(std::optional<KeyChord> chord) {
    m_recorder.stop();
    m_recordingTimeout.reset();
    m_platform.keyGrabs.ungrabKeyboard();
    // Cleared first: the handler may start the next recording.
    const Recorded recorded = std::exchange(m_recorded, nullptr);
    if (recorded)
        recorded(chord);
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
    const QString acts =
        m_heldKeys.size() == 1
            ? tr("%1 binds %2 for itself and acts on it first, so Corvane's step does nothing there.")
            : tr("%1 binds %2 for itself and acts on them first, so Corvane's steps do nothing there.");
    QString where = tr("Its keyboard settings can free them for Corvane.");
    if (known && known->bindingsInFile && m_keyFile)
        where =
            tr("Its key bindings are in %1.").arg(QString::fromUtf8(known->bindingsInFile).arg(*m_keyFile));
    else if (known)
        where = tr("Its key bindings are in %1.").arg(QString::fromUtf8(known->bindings));
    return acts.arg(who, listed(names)) + QLatin1Char(' ') + where;
}

} // namespace corvane
