#pragma once
// The settings window's content: one scrolling column with a header and seven cards (general,
// hotkeys, drag to snap, Quick Snap, the grid builder, manual size, the saved presets). It
// keeps no settings of its own: every control reads and writes the controller or a feature's
// settings, and redraws when they change elsewhere. Only what is being typed and the grid being
// drawn live here, until they are saved as presets.

#include "control/WindowController.h"
#include "dragsnap/DragSnapSettings.h"
#include "input/HotkeyGrabs.h"
#include "palette/QuickSnapSettings.h"

#include <QMessageBox>
#include <QPointer>
#include <QScrollArea>
#include <QSizeF>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class QVBoxLayout;

namespace corvane {

class Card;
class ChordButton;
class GridBuilderView;

class SettingsView : public QScrollArea {
    Q_OBJECT
public:
    SettingsView(WindowController& controller, DragSnapSettings& dragSnap, QuickSnapSettings& palette,
                 HotkeyGrabs& hotkeyGrabs, QWidget* parent = nullptr);

    static constexpr qsizetype nameCharacterLimit = 15;
    // The first nameCharacterLimit characters as the user sees them (grapheme clusters).
    static QString limitedName(const QString& text);
    // Each side clamped to 100 ... 10000.
    static QSizeF clampedSize(double width, double height);

    // A name field, its "+" button and the red message under it; cards 5 and 6 each have one.
    struct NameRow {
        QLineEdit* field = nullptr;
        QToolButton* addButton = nullptr;
        QLabel* message = nullptr;
    };

    QLabel* versionLabel() const { return m_version; }
    QCheckBox* launchAtLoginToggle() const { return m_launchAtLogin; }
    // n from 1 to 4.
    QComboBox* hotkeyPicker(int n) const { return m_hotkeyPickers.value(n - 1); }
    ChordButton* chordButton(HotkeyAction action) const { return m_chordButtons.value(int(action)); }
    // Why a recorded chord was not saved; hidden otherwise.
    QLabel* chordMessage() const { return m_chordMessage; }
    QCheckBox* dragSnapToggle() const { return m_dragSnapToggle; }
    QWidget* dragSnapDetails() const { return m_dragSnapDetails; }
    QComboBox* dragSnapLayoutPicker() const { return m_dragSnapLayout; }
    QComboBox* triggerPicker() const { return m_trigger; }
    QCheckBox* restoreSizeToggle() const { return m_restoreSize; }
    QWidget* dragSnapThumbnail() const { return m_dragSnapThumbnail; }
    QCheckBox* quickSnapToggle() const { return m_quickSnapToggle; }
    // The open alert that asks before Quick Snap is turned on, if any.
    QMessageBox* quickSnapConfirmation() const { return m_confirmation; }
    QSpinBox* rowsStepper() const { return m_rows; }
    QSpinBox* colsStepper() const { return m_cols; }
    GridBuilderView* gridBuilder() const { return m_gridBuilder; }
    const NameRow& gridNameRow() const { return m_gridName; }
    QDoubleSpinBox* widthField() const { return m_width; }
    QDoubleSpinBox* heightField() const { return m_height; }
    QPushButton* applyButton() const { return m_apply; }
    const NameRow& presetNameRow() const { return m_presetName; }
    QLabel* presetCount() const { return m_presetCount; }
    // The presets card's body: "No presets saved." or the list.
    QWidget* presetList() const { return m_presetList; }

private:
    QWidget* makeHeader();
    Card* makeCard(const QString& title, QWidget* content);
    Card* makeGeneralCard(QWidget* content);
    Card* makeHotkeysCard(QWidget* content);
    Card* makeDragSnapCard(QWidget* content);
    Card* makeQuickSnapCard(QWidget* content);
    Card* makeGridBuilderCard(QWidget* content);
    Card* makeManualSizeCard(QWidget* content);
    Card* makePresetsCard(QWidget* content);
    NameRow makeNameRow(const QString& placeholder, const std::function<bool(const QString&)>& add,
                        QVBoxLayout* rows);
    QWidget* makePresetRow(const Preset& preset, QWidget* parent);

    void refreshHotkeyPickers();
    void refreshChords();
    void refreshDragSnap();
    void refreshDragSnapThumbnail();
    void refreshQuickSnapToggle();
    void refreshPresets();
    void refreshNameRow(const NameRow& row);
    void confirmQuickSnap();

    WindowController& m_controller;
    DragSnapSettings& m_dragSnap;
    QuickSnapSettings& m_quickSnap;
    HotkeyGrabs& m_hotkeyGrabs;

    QLabel* m_version = nullptr;
    QCheckBox* m_launchAtLogin = nullptr;
    QList<QComboBox*> m_hotkeyPickers;
    QList<ChordButton*> m_chordButtons; // in HotkeyAction order
    QLabel* m_chordMessage = nullptr;
    QCheckBox* m_dragSnapToggle = nullptr;
    QWidget* m_dragSnapDetails = nullptr;
    QComboBox* m_dragSnapLayout = nullptr;
    QComboBox* m_trigger = nullptr;
    QCheckBox* m_restoreSize = nullptr;
    QVBoxLayout* m_dragSnapThumbnailSlot = nullptr;
    QWidget* m_dragSnapThumbnail = nullptr;
    QCheckBox* m_quickSnapToggle = nullptr;
    QPointer<QMessageBox> m_confirmation;
    QSpinBox* m_rows = nullptr;
    QSpinBox* m_cols = nullptr;
    GridBuilderView* m_gridBuilder = nullptr;
    NameRow m_gridName;
    QDoubleSpinBox* m_width = nullptr;
    QDoubleSpinBox* m_height = nullptr;
    QPushButton* m_apply = nullptr;
    NameRow m_presetName;
    QLabel* m_presetCount = nullptr;
    QVBoxLayout* m_presetSlot = nullptr;
    QWidget* m_presetList = nullptr;
};

} // namespace corvane
