#pragma once
// A hotkey's chord as a button: clicked, it records the next chord pressed (the keyboard grabbed, so
// a chord the window manager binds reaches it too; Escape cancels) and saves it unless it is taken,
// in which case `message` says why and the chord stays as it was.

#include "input/HotkeyGrabs.h"

#include <QPushButton>
#include <functional>

class QLabel;

namespace corvane {

class ChordButton : public QPushButton {
    Q_OBJECT
public:
    using Save = std::function<void(const KeyChord&)>;
    ChordButton(HotkeyGrabs& grabs, HotkeyAction action, Save save, QLabel* message,
                QWidget* parent = nullptr);
    ~ChordButton() override;

    // Shows the chord in force; cancels a recording.
    // None where the desktop's settings took the action's chord away.
    void setChord(const std::optional<KeyChord>& chord);
    bool isRecording() const { return m_isRecording; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void record();
    void recorded(std::optional<KeyChord> chord);
    void showMessage(const QString& text);

    HotkeyGrabs& m_grabs;
    HotkeyAction m_action;
    Save m_save;
    QLabel* m_message;
    std::optional<KeyChord> m_chord;
    bool m_isRecording = false;
};

} // namespace corvane
