#include "GnomeShortcuts.h"

#include "platform/agent/AgentProtocol.h"
#include "platform/gnome/GnomeAccelerator.h"

#include <QJsonArray>

namespace corvane {

GnomeShortcuts::GnomeShortcuts(AgentCommand send, AgentDesktop& desktop, QObject* parent)
    : Shortcuts(parent)
    , m_send(std::move(send)) {
    connect(&desktop, &AgentDesktop::snapshotApplied, this, &GnomeShortcuts::sendBindings);
}

void GnomeShortcuts::setShortcut(int id, const KeyChord& chord) {
    m_actions[id].chord = chord;
    sendBindings();
}

void GnomeShortcuts::clearShortcut(int id) {
    m_actions[id].chord.reset();
    sendBindings();
}

void GnomeShortcuts::nameShortcut(int id, const ShortcutName& name) {
    m_actions[id].name = name.key;
}

void GnomeShortcuts::keyPressed(const QString& name) {
    if (m_isSuspended)
        return;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (it->name == name && it->chord) {
            emit triggered(it.key());
            return;
        }
    }
}

void GnomeShortcuts::setSuspended(bool isSuspended) {
    if (std::exchange(m_isSuspended, isSuspended) != isSuspended)
        sendBindings();
}

void GnomeShortcuts::sendBindings() {
    QJsonObject bindings;
    for (const Action& action : std::as_const(m_actions)) {
        if (action.name.isEmpty())
            continue;
        QJsonArray accelerators;
        if (action.chord && !m_isSuspended) {
            accelerators.append(gnomeAccelerator(*action.chord));
            if (action.chord->key == GrabKey::Digit) {
                KeyChord keypad = *action.chord;
                keypad.key = GrabKey::KeypadDigit;
                accelerators.append(gnomeAccelerator(keypad));
            }
        }
        bindings.insert(action.name, accelerators);
    }
    m_send(QJsonObject{{agentprotocol::keys::kCommand, agentprotocol::command::kKeys},
                       {agentprotocol::field::kBindings, bindings}});
}

} // namespace corvane
