#include "ChordButton.h"

#include <QLabel>

namespace corvane {

ChordButton::ChordButton(HotkeyGrabs& grabs, HotkeyAction action, Save save, QLabel* message, QWidget* parent)
    : QPushButton(parent)
    , m_grabs(grabs)
    , m_action(action)
    , m_save(std::move(save))
    , m_message(message) {
    setToolTip(
        tr("Click, then press the new chord: a digit or an arrow with Ctrl, Alt or Super. Esc cancels."));
    connect(this, &QPushButton::clicked, this, &ChordButton::record);
}

ChordButton::~ChordButton() {
    if (m_isRecording)
        m_grabs.stopRecording();
}

void ChordButton::setChord(const std::optional<KeyChord>& chord) {
    if (m_isRecording)
        m_grabs.stopRecording();
    m_chord = chord;
    setText(chordName(chord));
    setAccessibleName(chordName(chord));
}

void ChordButton::hideEvent(QHideEvent* event) {
    // The keyboard is never left grabbed behind a closed window.
    if (m_isRecording)
        m_grabs.stopRecording();
    QPushButton::hideEvent(event);
}

void ChordButton::record() {
    showMessage({});
    if (!m_grabs.startRecording([this](std::optional<KeyChord> chord) { recorded(chord); })) {
        showMessage(tr("Another program holds the keyboard: try again in a moment."));
        return;
    }
    m_isRecording = true;
    setText(tr("Press a chord…"));
}

void ChordButton::recorded(std::optional<KeyChord> chord) {
    m_isRecording = false;
    setText(chordName(m_chord));
    if (!chord || *chord == m_chord)
        return;
    if (const std::optional<QString> why = m_grabs.whyTaken(*chord, m_action)) {
        showMessage(*why);
        return;
    }
    m_save(*chord);
}

void ChordButton::showMessage(const QString& text) {
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
}

} // namespace corvane
