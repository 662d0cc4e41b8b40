#include "KGlobalAccelShortcuts.h"

#include "platform/kwin/KeyChordCode.h"

#include <QDBusMessage>
#include <QSet>
#include <utility>

namespace corvane {

namespace {

// A digit's keypad twin is a key of its own to KDE.
QList<int> keysOf(const KeyChord& chord) {
    QList<int> keys{qtKeyCode(chord)};
    if (chord.key == GrabKey::Digit)
        keys.append(qtKeyCode({GrabKey::KeypadDigit, chord.digit, chord.modifierFlags}));
    return keys;
}

// The first of KDE's keys that Corvane can name, a keypad digit read as its digit as the core stores it.
std::optional<KeyChord> chordOfKeys(const QList<int>& keys) {
    for (int key : keys) {
        if (std::optional<KeyChord> chord = keyChordOfQtKey(key)) {
            if (chord->key == GrabKey::KeypadDigit)
                chord->key = GrabKey::Digit;
            return chord;
        }
    }
    return std::nullopt;
}

// Whether two of KDE's key lists hold the same keys: Plasma 6.3's kglobalaccel gives them back in the
// order they were set, 6.7's keeps a set and lists it in an order of its own.
bool isSameKeys(const QList<int>& some, const QList<int>& others) {
    return QSet<int>(some.cbegin(), some.cend()) == QSet<int>(others.cbegin(), others.cend());
}

} // namespace

KGlobalAccelShortcuts::KGlobalAccelShortcuts(QDBusConnection bus, QObject* parent)
    : Shortcuts(parent)
    , m_accel(bus) {
    bus.connect(KGlobalAccel::service, QStringLiteral("/component/") + component,
                QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("globalShortcutPressed"),
                this, SLOT(shortcutPressed(QString, QString, qlonglong)));
    // A held chord's repeats: Plasma 6.5's kglobalaccel tells them apart from the press; before, it told
    // them as presses.
    bus.connect(KGlobalAccel::service, QStringLiteral("/component/") + component,
                QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("globalShortcutRepeated"),
                this, SLOT(shortcutPressed(QString, QString, qlonglong)));
    bus.connect(KGlobalAccel::service, QStringLiteral("/kglobalaccel"),
                QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("yourShortcutsChanged"), this,
                SLOT(shortcutsChanged(QDBusMessage)));
}

void KGlobalAccelShortcuts::setShortcut(int id, const KeyChord& chord) {
    Action& action = m_actions[id];
    if (action.isActive && action.chord == chord)
        return;
    const QStringList name = actionId(id);
    const bool isFirst = !action.isRegistered;
    if (isFirst && !m_accel.doRegister(name))
        return;
    action.isRegistered = true;
    QList<int> keys = keysOf(chord);
    keys.removeIf([this](int key) {
        const std::optional<QStringList> holder = m_accel.action(key);
        return holder && !holder->isEmpty() && holder->first() != component;
    });
    // The first time in a run, autoloading gives back the keys KDE kept for the action. They are the
    // user's own when they differ from the default Corvane gave (the keys it could have, so a clash
    // reads as no choice); then they count, and the core is told.
    std::optional<QList<int>> held;
    if (isFirst) {
        const std::optional<QList<int>> given = m_accel.defaultShortcut(name);
        held = m_accel.setShortcut(name, keys, KGlobalAccel::SetPresent);
        if (held && given && !isSameKeys(*held, *given) && chordOfKeys(*held) != chord) {
            action.chord = chordOfKeys(*held);
            action.isActive = true;
            m_accel.setShortcut(name, keys, KGlobalAccel::IsDefault);
            emit chordChangedOnDesktop(id, action.chord);
            return;
        }
    }
    if (!held || !isSameKeys(*held, keys))
        held = m_accel.setShortcut(name, keys, KGlobalAccel::SetPresent | KGlobalAccel::NoAutoloading);
    if (!held)
        return;
    m_accel.setShortcut(name, keys, KGlobalAccel::IsDefault);
    action.chord = chord;
    action.isActive = true;
}

void KGlobalAccelShortcuts::clearShortcut(int id) {
    Action& action = m_actions[id];
    if (action.isRegistered) {
        if (std::exchange(action.isActive, false))
            m_accel.setInactive(actionId(id));
        return;
    }
    const QStringList name = actionId(id);
    if (!m_accel.doRegister(name))
        return;
    action.isRegistered = true;
    const std::optional<QList<int>> held = m_accel.setShortcut(name, {}, KGlobalAccel::SetPresent);
    if (!held)
        return;
    action.isActive = true;
    action.chord = chordOfKeys(*held);
    if (action.chord)
        emit chordChangedOnDesktop(id, action.chord);
}

void KGlobalAccelShortcuts::nameShortcut(int id, const ShortcutName& name) {
    m_actions[id].name = name;
}

void KGlobalAccelShortcuts::shortcutPressed(const QString& componentUnique, const QString& shortcutUnique,
                                            qlonglong /*timestamp*/) {
    const int id = idOf(shortcutUnique);
    if (componentUnique == component && id >= 0 && m_actions[id].isActive)
        emit triggered(id);
}

void KGlobalAccelShortcuts::shortcutsChanged(const QDBusMessage& message) {
    const QStringList changed = message.arguments().value(0).toStringList();
    const int id = idOf(changed.value(1));
    if (changed.value(0) != component || id < 0)
        return;
    const std::optional<KeyChord> chord =
        chordOfKeys(KGlobalAccel::firstKeys(qvariant_cast<QDBusArgument>(message.arguments().value(1))));
    Action& action = m_actions[id];
    if (chord == action.chord)
        return;
    action.chord = chord;
    emit chordChangedOnDesktop(id, chord);
}

QStringList KGlobalAccelShortcuts::actionId(int id) const {
    const ShortcutName name = m_actions.value(id).name;
    return {component, name.key.isEmpty() ? QString::number(id) : name.key, QStringLiteral("Corvane"),
            name.text.isEmpty() ? name.key : name.text};
}

int KGlobalAccelShortcuts::idOf(const QString& shortcutUnique) const {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (actionId(it.key()).value(1) == shortcutUnique)
            return it.key();
    }
    return -1;
}

} // namespace corvane
