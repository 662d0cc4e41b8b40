#pragma once
// Corvane's hotkeys as keybindings of its GNOME Shell extension: only the Shell sees every key on
// GNOME. The extension binds exactly the set it is last sent ("keys": each action's name with its
// accelerators) and tells which one was pressed; an extension that starts again gets the set again
// with its first picture of the desktop. While a chord is recorded the set is empty, so our own chords
// reach the settings window.

#include "platform/Shortcuts.h"
#include "platform/agent/AgentCommand.h"
#include "platform/agent/AgentDesktop.h"

#include <QMap>

namespace corvane {

class GnomeShortcuts final : public Shortcuts {
    Q_OBJECT
public:
    GnomeShortcuts(AgentCommand send, AgentDesktop& desktop, QObject* parent = nullptr);

    // A digit's chord binds the keypad's digit too.
    void setShortcut(int id, const KeyChord& chord) override;
    void clearShortcut(int id) override;
    // The name is the extension's key for the action: it must be one of its schema's keys.
    void nameShortcut(int id, const ShortcutName& name) override;

    // The extension pressed the keybinding of this name.
    void keyPressed(const QString& name);
    // While suspended nothing is bound and nothing fires.
    void setSuspended(bool isSuspended);

private:
    struct Action {
        QString name;
        std::optional<KeyChord> chord;
    };
    void sendBindings();

    AgentCommand m_send;
    QMap<int, Action> m_actions;
    bool m_isSuspended = false;
};

} // namespace corvane
