#include "HotkeysCard.h"

#include "app/ChordButton.h"
#include "app/HotkeyGrabsView.h"
#include "app/settings/SettingsWidgets.h"
#include "control/WindowController.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

HotkeysCard::HotkeysCard(WindowController& controller, HotkeyGrabs& hotkeyGrabs, QWidget* parent)
    : SettingsCard(title(), parent)
    , m_controller(controller)
    , m_hotkeyGrabs(hotkeyGrabs)
    , m_chordMessage(makeExplanation(QString(), this)) {
    m_chordMessage->setObjectName(QStringLiteral("chordMessage"));
    QPalette red = m_chordMessage->palette();
    red.setColor(QPalette::WindowText, warningTextColor(red));
    m_chordMessage->setPalette(red);
    m_chordMessage->hide();
    m_chordButtons.resize(kHotkeyActionCount);
    for (int n = 1; n <= 4; ++n) {
        QComboBox* picker = makePicker(140, QString(), this);
        picker->setObjectName(QStringLiteral("layoutFor%1").arg(n));
        connect(picker, &QComboBox::activated, this, [this, n, picker](int index) {
            HotkeyAssignments assignments = m_controller.hotkeys().assignments();
            assignments[n] = picker->itemData(index).toString();
            m_controller.hotkeys().setAssignments(std::move(assignments));
        });
        m_pickers.append(picker);
        rows()->addLayout(labelledRow(makeChordButton(HotkeyAction(n - 1)), picker));
    }
    rows()->addWidget(makeDivider(this));
    for (const HotkeyAction action :
         {HotkeyAction::ZoneLeft, HotkeyAction::ZoneRight, HotkeyAction::ZoneUp, HotkeyAction::ZoneDown})
        rows()->addLayout(labelledRow(makeLabel(hotkeyShortcutName(action).text, TextStyle::Body, this),
                                      makeChordButton(action)));
    rows()->addWidget(makeDivider(this));
    for (const HotkeyAction action :
         {HotkeyAction::SwapLeft, HotkeyAction::SwapRight, HotkeyAction::SwapUp, HotkeyAction::SwapDown})
        rows()->addLayout(labelledRow(makeLabel(hotkeyShortcutName(action).text, TextStyle::Body, this),
                                      makeChordButton(action)));
    rows()->addWidget(makeDivider(this));
    rows()->addLayout(
        labelledRow(makeLabel(tr("Throw Window: previous zone or screen"), TextStyle::Body, this),
                    makeChordButton(HotkeyAction::Previous)));
    rows()->addLayout(labelledRow(makeLabel(tr("Throw Window: next zone or screen"), TextStyle::Body, this),
                                  makeChordButton(HotkeyAction::Next)));
    rows()->addWidget(makeDivider(this));
    rows()->addLayout(
        labelledRow(makeLabel(hotkeyShortcutName(HotkeyAction::QuickSnap).text, TextStyle::Body, this),
                    makeChordButton(HotkeyAction::QuickSnap)));
    rows()->addWidget(m_chordMessage);
    rows()->addWidget(makeExplanation(
        tr("Click a chord and press the new one: a digit or an arrow with Ctrl, Alt or Super. A digit's "
           "chord works with the keypad's digit too."),
        this));
    rows()->addWidget(makeDivider(this));
    auto* clashes = new HotkeyGrabsView(m_hotkeyGrabs, this);
    connect(clashes, &HotkeyGrabsView::offerTaken, &m_controller.hotkeys(), &HotkeyTable::setChords);
    rows()->addWidget(clashes);

    connect(&m_controller.hotkeys(), &HotkeyTable::chordsChanged, this, &HotkeysCard::refreshChords);
    connect(&m_controller.hotkeys(), &HotkeyTable::assignmentsChanged, this, &HotkeysCard::refreshPickers);
    connect(&m_controller.presets(), &PresetStore::presetsChanged, this, &HotkeysCard::refreshPickers);
    refreshPickers();
    refreshChords();
}

ChordButton* HotkeysCard::makeChordButton(HotkeyAction action) {
    auto* button = new ChordButton(
        m_hotkeyGrabs, action,
        [this, action](const KeyChord& chord) {
            HotkeyChords chords = m_controller.hotkeys().chords();
            chords[int(action)] = chord;
            m_controller.hotkeys().setChords(chords);
        },
        m_chordMessage, this);
    const std::optional<int> n = layoutNumber(action);
    button->setObjectName(n ? QStringLiteral("chord%1").arg(*n)
                          : isZoneMove(action) || isZoneSwap(action)
                              ? QStringLiteral("chord-") + hotkeyShortcutName(action).key
                          : action == HotkeyAction::Previous  ? QStringLiteral("chordPrevious")
                          : action == HotkeyAction::QuickSnap ? QStringLiteral("chordQuickSnap")
                                                              : QStringLiteral("chordNext"));
    m_chordButtons[int(action)] = button;
    return button;
}

void HotkeysCard::refreshChords() {
    const HotkeyChords& chords = m_controller.hotkeys().chords();
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
        m_chordButtons[i]->setChord(chords[i]);
    for (int n = 1; n <= 4; ++n)
        m_pickers[n - 1]->setAccessibleName(tr("Layout for %1").arg(chordName(chords[n - 1])));
}

void HotkeysCard::refreshPickers() {
    QStringList names = builtInLayoutNames();
    for (const Preset& preset : m_controller.presets().all())
        names.append(preset.name);
    for (int n = 1; n <= 4; ++n)
        setOptions(m_pickers[n - 1], names, m_controller.hotkeys().assignments().value(n), tr("None"));
}

} // namespace corvane
