#pragma once
// The hotkeys card: the chord of each hotkey, which a click records anew, the layout each of the
// four layout hotkeys applies, and the window manager's clashes with the chords.

#include "app/settings/SettingsCard.h"
#include "input/HotkeyGrabs.h"

class QComboBox;
class QLabel;

namespace corvane {

class ChordButton;
class WindowController;

class HotkeysCard : public SettingsCard {
    Q_OBJECT
public:
    HotkeysCard(WindowController& controller, HotkeyGrabs& hotkeyGrabs, QWidget* parent = nullptr);
    static QString title() { return tr("HOTKEYS"); }

private:
    ChordButton* makeChordButton(HotkeyAction action);
    void refreshPickers();
    void refreshChords();

    WindowController& m_controller;
    HotkeyGrabs& m_hotkeyGrabs;
    QList<QComboBox*> m_pickers;        // for layout hotkeys 1 to 4
    QList<ChordButton*> m_chordButtons; // by HotkeyAction
    QLabel* m_chordMessage = nullptr;   // why a recorded chord was not saved; hidden otherwise
};

} // namespace corvane
