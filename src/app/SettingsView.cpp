#include "SettingsView.h"

#include "app/ChordButton.h"
#include "app/HotkeyGrabsView.h"
#include "model/BuiltInLayouts.h"
#include "ui/AppIcon.h"
#include "ui/Card.h"
#include "ui/GridBuilderView.h"
#include "ui/PresetCell.h"
#include "ui/QuickSnapTexts.h"
#include "ui/SnapLayoutView.h"
#include "ui/TrayIcon.h"
#include "ui/ViewStyle.h"
#include "ui/WheelGuard.h"
#include "ui/WindowButtonsGlyph.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBoundaryFinder>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

QLabel* makeLabel(const QString& text, TextStyle style, QWidget* parent, bool isSecondary = false) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(fontFor(style));
    if (isSecondary)
        useSecondaryText(label);
    return label;
}

QLabel* makeExplanation(const QString& text, QWidget* parent) {
    QLabel* label = makeLabel(text, TextStyle::Caption, parent, true);
    label->setWordWrap(true);
    return label;
}

QComboBox* makePicker(int width, const QString& accessibleName, QWidget* parent) {
    auto* picker = new QComboBox(parent);
    picker->setFixedWidth(width);
    picker->setAccessibleName(accessibleName);
    new WheelGuard(picker);
    return picker;
}

// A label at the leading edge and a control at the trailing edge.
QHBoxLayout* labelledRow(QWidget* label, QWidget* control) {
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addStretch();
    row->addWidget(control);
    return row;
}

QToolButton* makeDeleteButton(const QString& presetName, QWidget* parent) {
    auto* button = new QToolButton(parent);
    const QIcon trash = QIcon::fromTheme(QStringLiteral("user-trash"));
    if (trash.isNull())
        button->setText(QObject::tr("Delete"));
    else
        button->setIcon(trash);
    button->setAutoRaise(true);
    button->setFont(fontFor(TextStyle::Caption));
    useSecondaryText(button);
    button->setToolTip(QObject::tr("Delete “%1”").arg(presetName));
    button->setAccessibleName(QObject::tr("Delete %1").arg(presetName));
    return button;
}

// Each name is an option's text and value; `noneLabel`, when given, is a first option of value "".
// Selects the option of value `selected`, none when no option has it, without announcing a choice.
void setOptions(QComboBox* picker, const QStringList& names, const QString& selected,
                const QString& noneLabel = {}) {
    const QSignalBlocker quiet(picker);
    picker->clear();
    if (!noneLabel.isEmpty())
        picker->addItem(noneLabel, QString());
    for (const QString& name : names)
        picker->addItem(name, name);
    picker->setCurrentIndex(picker->findData(selected));
}

// Takes a layout's first widget out of it, to put it into a row of its own.
QWidget* takeFirstWidget(QLayout* layout) {
    QLayoutItem* item = layout->takeAt(0);
    QWidget* widget = item->widget();
    delete item;
    return widget;
}

QStringList builtInLayoutNames() {
    QStringList names;
    for (const SnapLayout& layout : builtInLayouts())
        names.append(layout.name);
    return names;
}

} // namespace

QString SettingsView::limitedName(const QString& text) {
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (graphemes.toNextBoundary() >= 0) {
        if (++count == nameCharacterLimit)
            return text.left(graphemes.position());
    }
    return text;
}

QSizeF SettingsView::clampedSize(double width, double height) {
    // std::clamp passes a NaN through; a field never holds one, but the window must not get it.
    const auto clamp = [](double v) { return std::isnan(v) ? 100.0 : std::clamp(v, 100.0, 10000.0); };
    return QSizeF(clamp(width), clamp(height));
}

SettingsView::SettingsView(WindowController& controller, DragSnapSettings& dragSnap,
                           QuickSnapSettings& palette, HotkeyGrabs& hotkeyGrabs, QWidget* parent)
    : QScrollArea(parent)
    , m_controller(controller)
    , m_dragSnap(dragSnap)
    , m_quickSnap(palette)
    , m_hotkeyGrabs(hotkeyGrabs) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setSpacing(20);
    column->setContentsMargins(20, 20, 20, 20);
    column->addWidget(makeHeader());
    column->addWidget(makeGeneralCard(content));
    column->addWidget(makeHotkeysCard(content));
    column->addWidget(makeDragSnapCard(content));
    column->addWidget(makeQuickSnapCard(content));
    column->addWidget(makeGridBuilderCard(content));
    column->addWidget(makeManualSizeCard(content));
    column->addWidget(makePresetsCard(content));
    column->addStretch();
    setWidget(content);

    connect(&m_controller.presets(), &PresetStore::presetsChanged, this, [this] {
        refreshHotkeyPickers();
        refreshDragSnap();
        refreshPresets();
        refreshNameRow(m_gridName);
        refreshNameRow(m_presetName);
    });
    connect(&m_controller.hotkeys(), &HotkeyTable::assignmentsChanged, this,
            &SettingsView::refreshHotkeyPickers);
    connect(&m_controller.launchAtLogin(), &LaunchAtLogin::changed, this,
            [this] { m_launchAtLogin->setChecked(m_controller.launchAtLogin().isOn()); });
    connect(&m_dragSnap, &DragSnapSettings::isEnabledChanged, this, &SettingsView::refreshDragSnap);
    connect(&m_dragSnap, &DragSnapSettings::layoutNameChanged, this, &SettingsView::refreshDragSnap);
    connect(&m_dragSnap, &DragSnapSettings::triggerChanged, this, &SettingsView::refreshDragSnap);
    connect(&m_dragSnap, &DragSnapSettings::restoresSizeOnDragChanged, this, &SettingsView::refreshDragSnap);
    connect(&m_quickSnap, &QuickSnapSettings::isEnabledChanged, this, &SettingsView::refreshQuickSnapToggle);
}

QWidget* SettingsView::makeHeader() {
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setSpacing(16);
    row->setContentsMargins(10, 10, 10, 0);
    row->addStretch();
    auto* icon = new QLabel(header);
    const QIcon own = QApplication::windowIcon();
    icon->setPixmap(own.isNull() ? appIconPixmap(TrayIcon::glyph(), 64, palette()) : own.pixmap(64, 64));
    icon->setFixedSize(64, 64);
    icon->setScaledContents(true);
    row->addWidget(icon);
    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(makeLabel(QStringLiteral("Corvane"), TextStyle::Body, header));
    texts->itemAt(1)->widget()->setFont(fontFor(TextStyle::Title));
    const QString version = QCoreApplication::applicationVersion();
    m_version = makeLabel(tr("Version %1").arg(version.isEmpty() ? QStringLiteral("—") : version),
                          TextStyle::Subheadline, header, true);
    texts->addWidget(m_version);
    texts->addStretch();
    row->addLayout(texts);
    row->addStretch();
    return header;
}

Card* SettingsView::makeCard(const QString& title, QWidget* content) {
    auto* card = new Card(QPalette::Base, 10, content);
    QLabel* heading = makeLabel(title, TextStyle::Caption, card, true);
    heading->setFont(fontFor(TextStyle::SectionTitle));
    heading->setAccessibleName(title);
    card->rows()->addWidget(heading);
    return card;
}

Card* SettingsView::makeGeneralCard(QWidget* content) {
    Card* card = makeCard(tr("SETTINGS"), content);
    m_launchAtLogin = new QCheckBox(tr("Launch at Login"), card);
    m_launchAtLogin->setChecked(m_controller.launchAtLogin().isOn());
    // The toggle shows what the session reports, so a failed registration flips it back.
    connect(m_launchAtLogin, &QCheckBox::clicked, this, [this](bool isOn) {
        m_controller.launchAtLogin().setOn(isOn);
        m_launchAtLogin->setChecked(m_controller.launchAtLogin().isOn());
    });
    card->rows()->addWidget(m_launchAtLogin);
    return card;
}

Card* SettingsView::makeHotkeysCard(QWidget* content) {
    Card* card = makeCard(tr("HOTKEYS"), content);
    m_chordMessage = makeExplanation(QString(), card);
    QPalette red = m_chordMessage->palette();
    red.setColor(QPalette::WindowText, warningTextColor(red));
    m_chordMessage->setPalette(red);
    m_chordMessage->hide();
    const auto makeChordButton = [this, card](HotkeyAction action) {
        auto* button = new ChordButton(
            m_hotkeyGrabs, action,
            [this, action](const KeyChord& chord) {
                HotkeyChords chords = m_controller.hotkeys().chords();
                chords[int(action)] = chord;
                m_controller.hotkeys().setChords(chords);
            },
            m_chordMessage, card);
        m_chordButtons.append(button);
        return button;
    };
    for (int n = 1; n <= 4; ++n) {
        QComboBox* picker = makePicker(140, QString(), card);
        connect(picker, &QComboBox::activated, this, [this, n, picker](int index) {
            HotkeyAssignments assignments = m_controller.hotkeys().assignments();
            assignments[n] = picker->itemData(index).toString();
            m_controller.hotkeys().setAssignments(std::move(assignments));
        });
        m_hotkeyPickers.append(picker);
        card->rows()->addLayout(labelledRow(makeChordButton(HotkeyAction(n - 1)), picker));
    }
    card->rows()->addWidget(makeDivider(card));
    card->rows()->addLayout(
        labelledRow(makeLabel(tr("Throw Window: previous zone or screen"), TextStyle::Body, card),
                    makeChordButton(HotkeyAction::Previous)));
    card->rows()->addLayout(
        labelledRow(makeLabel(tr("Throw Window: next zone or screen"), TextStyle::Body, card),
                    makeChordButton(HotkeyAction::Next)));
    card->rows()->addWidget(m_chordMessage);
    card->rows()->addWidget(makeExplanation(
        tr("Click a chord and press the new one: a digit or an arrow with Ctrl, Alt or Super. A digit's "
           "chord works with the keypad's digit too."),
        card));
    card->rows()->addWidget(makeDivider(card));
    auto* clashes = new HotkeyGrabsView(m_hotkeyGrabs, card);
    connect(clashes, &HotkeyGrabsView::offerTaken, &m_controller.hotkeys(), &HotkeyTable::setChords);
    card->rows()->addWidget(clashes);
    connect(&m_controller.hotkeys(), &HotkeyTable::chordsChanged, this, &SettingsView::refreshChords);
    refreshHotkeyPickers();
    refreshChords();
    return card;
}

void SettingsView::refreshChords() {
    const HotkeyChords& chords = m_controller.hotkeys().chords();
    for (qsizetype i = 0; i < kHotkeyActionCount; ++i)
        m_chordButtons[i]->setChord(chords[i]);
    for (int n = 1; n <= 4; ++n)
        m_hotkeyPickers[n - 1]->setAccessibleName(tr("Layout for %1").arg(chordName(chords[n - 1])));
}

void SettingsView::refreshHotkeyPickers() {
    QStringList names = builtInLayoutNames();
    for (const Preset& preset : m_controller.presets().all())
        names.append(preset.name);
    for (int n = 1; n <= 4; ++n) {
        setOptions(m_hotkeyPickers[n - 1], names, m_controller.hotkeys().assignments().value(n), tr("None"));
    }
}

Card* SettingsView::makeDragSnapCard(QWidget* content) {
    Card* card = makeCard(tr("DRAG TO SNAP"), content);
    m_dragSnapToggle = new QCheckBox(tr("Preview a snap while dragging a window"), card);
    connect(m_dragSnapToggle, &QCheckBox::clicked, &m_dragSnap, &DragSnapSettings::setEnabled);
    card->rows()->addWidget(m_dragSnapToggle);

    m_dragSnapDetails = new QWidget(card);
    auto* details = new QVBoxLayout(m_dragSnapDetails);
    details->setContentsMargins(0, 0, 0, 0);
    details->setSpacing(10);
    m_dragSnapLayout = makePicker(140, tr("Drag to snap layout"), m_dragSnapDetails);
    connect(m_dragSnapLayout, &QComboBox::activated, this,
            [this](int index) { m_dragSnap.setLayoutName(m_dragSnapLayout->itemText(index)); });
    details->addLayout(
        labelledRow(makeLabel(tr("Layout"), TextStyle::Body, m_dragSnapDetails), m_dragSnapLayout));
    m_trigger = makePicker(180, tr("Show preview"), m_dragSnapDetails);
    m_trigger->addItem(tr("Anywhere on screen"), QVariant::fromValue(DragSnapSettings::Trigger::Anywhere));
    m_trigger->addItem(tr("Near screen edges"), QVariant::fromValue(DragSnapSettings::Trigger::ScreenEdges));
    connect(m_trigger, &QComboBox::activated, this, [this](int index) {
        m_dragSnap.setTrigger(m_trigger->itemData(index).value<DragSnapSettings::Trigger>());
    });
    details->addLayout(
        labelledRow(makeLabel(tr("Show preview"), TextStyle::Body, m_dragSnapDetails), m_trigger));
    m_restoreSize =
        new QCheckBox(tr("Restore a window's size when you drag it out of its zone"), m_dragSnapDetails);
    connect(m_restoreSize, &QCheckBox::clicked, &m_dragSnap, &DragSnapSettings::setRestoresSizeOnDrag);
    details->addWidget(m_restoreSize);
    details->addWidget(makeDivider(m_dragSnapDetails));
    m_dragSnapThumbnailSlot = new QVBoxLayout;
    m_dragSnapThumbnailSlot->setContentsMargins(0, 0, 0, 0);
    details->addLayout(m_dragSnapThumbnailSlot);
    details->addWidget(
        makeExplanation(tr("Hold Super while dragging to place a window freely."), m_dragSnapDetails));
    card->rows()->addWidget(m_dragSnapDetails);
    refreshDragSnap();
    return card;
}

void SettingsView::refreshDragSnap() {
    m_dragSnapToggle->setChecked(m_dragSnap.isEnabled());
    m_dragSnapDetails->setVisible(m_dragSnap.isEnabled());
    QStringList names = builtInLayoutNames();
    for (const Preset& preset : m_controller.presets().all()) {
        if (preset.rows)
            names.append(preset.name);
    }
    setOptions(m_dragSnapLayout, names, m_dragSnap.layoutName());
    const QSignalBlocker quiet(m_trigger);
    m_trigger->setCurrentIndex(m_trigger->findData(QVariant::fromValue(m_dragSnap.trigger())));
    m_restoreSize->setChecked(m_dragSnap.restoresSizeOnDrag());
    refreshDragSnapThumbnail();
}

void SettingsView::refreshDragSnapThumbnail() {
    if (m_dragSnapThumbnail) {
        m_dragSnapThumbnail->deleteLater();
        m_dragSnapThumbnail = nullptr;
    }
    const std::optional<SnapLayout> layout = m_controller.presets().layout(m_dragSnap.layoutName());
    if (!layout)
        return;
    m_dragSnapThumbnail = new SnapLayoutView(
        *layout, [this](const QRectF& fraction) { m_controller.placer().snapFocusedWindow(fraction); },
        m_dragSnapDetails);
    m_dragSnapThumbnail->setFixedHeight(55);
    m_dragSnapThumbnail->setToolTip(layout->name);
    m_dragSnapThumbnailSlot->addWidget(m_dragSnapThumbnail);
}

Card* SettingsView::makeQuickSnapCard(QWidget* content) {
    Card* card = makeCard(quickSnapTexts::cardTitle(), content);
    // The glyph goes before the title: take the title out of the card's first row and put both in one.
    QWidget* heading = takeFirstWidget(card->rows());
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new WindowButtonsGlyph(m_controller.titleButtonLayout(), card), 0, Qt::AlignVCenter);
    titleRow->addWidget(heading, 0, Qt::AlignVCenter);
    titleRow->addStretch();
    card->rows()->addLayout(titleRow);

    m_quickSnapToggle = new QCheckBox(quickSnapTexts::toggleLabel(), card);
    connect(m_quickSnapToggle, &QCheckBox::clicked, this, [this](bool isOn) {
        if (isOn) {
            // Nothing changes until the user confirms.
            m_quickSnapToggle->setChecked(false);
            confirmQuickSnap();
        } else {
            m_quickSnap.setEnabled(false);
        }
    });
    card->rows()->addWidget(m_quickSnapToggle);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(makeExplanation(quickSnapTexts::whereItOpens(), card));
    texts->addWidget(makeExplanation(quickSnapTexts::whatItCosts(), card));
    card->rows()->addLayout(texts);
    refreshQuickSnapToggle();
    return card;
}

void SettingsView::refreshQuickSnapToggle() {
    m_quickSnapToggle->setChecked(m_quickSnap.isEnabled());
}

void SettingsView::confirmQuickSnap() {
    if (m_confirmation)
        return;
    // The question is the alert's title, shown large, with its message below it.
    m_confirmation = new QMessageBox(QMessageBox::Question, QStringLiteral("Corvane"),
                                     quickSnapTexts::confirmationTitle(), QMessageBox::NoButton, this);
    m_confirmation->setInformativeText(quickSnapTexts::confirmationMessage());
    QPushButton* turnOn = m_confirmation->addButton(tr("Turn On"), QMessageBox::AcceptRole);
    m_confirmation->addButton(tr("Cancel"), QMessageBox::RejectRole);
    m_confirmation->setDefaultButton(turnOn);
    m_confirmation->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_confirmation, &QMessageBox::buttonClicked, this, [this, turnOn](QAbstractButton* clicked) {
        if (clicked == turnOn)
            m_quickSnap.setEnabled(true);
    });
    m_confirmation->open();
}

Card* SettingsView::makeGridBuilderCard(QWidget* content) {
    Card* card = makeCard(tr("CUSTOM GRID BUILDER"), content);
    const auto makeStepper = [card](const QString& prefix, const QString& name) {
        auto* stepper = new QSpinBox(card);
        stepper->setRange(1, 5);
        stepper->setValue(2);
        stepper->setPrefix(prefix);
        stepper->setAccessibleName(name);
        new WheelGuard(stepper);
        return stepper;
    };
    m_rows = makeStepper(tr("Rows: "), tr("Rows"));
    m_cols = makeStepper(tr("Cols: "), tr("Columns"));
    auto* steppers = new QHBoxLayout;
    steppers->addWidget(m_rows);
    steppers->addSpacing(12);
    steppers->addWidget(m_cols);
    steppers->addStretch();
    card->rows()->addLayout(steppers);
    card->rows()->addWidget(makeDivider(card));
    m_gridBuilder = new GridBuilderView(card);
    card->rows()->addWidget(m_gridBuilder);
    const auto resize = [this] { m_gridBuilder->setGridSize(m_rows->value(), m_cols->value()); };
    connect(m_rows, &QSpinBox::valueChanged, this, resize);
    connect(m_cols, &QSpinBox::valueChanged, this, resize);
    card->rows()->addWidget(makeDivider(card));
    auto* nameRows = new QVBoxLayout;
    nameRows->setSpacing(4);
    m_gridName = makeNameRow(
        tr("Grid Name"),
        [this](const QString& name) {
            if (!m_controller.presets().addGridPreset(name, m_rows->value(), m_cols->value(),
                                                      m_gridBuilder->merges()))
                return false;
            m_gridBuilder->setMerges({});
            m_gridBuilder->setSelection({});
            return true;
        },
        nameRows);
    m_gridName.addButton->setAccessibleName(tr("Save grid as preset"));
    card->rows()->addLayout(nameRows);
    return card;
}

Card* SettingsView::makeManualSizeCard(QWidget* content) {
    Card* card = makeCard(tr("MANUAL SIZE"), content);
    const auto makeField = [card](const QString& label, double value, QDoubleSpinBox*& field) {
        auto* group = new QVBoxLayout;
        group->setSpacing(2);
        group->addWidget(makeLabel(label, TextStyle::Caption, card, true));
        field = new QDoubleSpinBox(card);
        // Any size may be typed; Apply clamps it.
        field->setRange(0, 99999);
        field->setDecimals(0);
        field->setButtonSymbols(QAbstractSpinBox::NoButtons);
        field->setValue(value);
        field->setAccessibleName(label);
        field->setFixedWidth(80);
        new WheelGuard(field);
        group->addWidget(field);
        return group;
    };
    auto* row = new QHBoxLayout;
    row->setAlignment(Qt::AlignBottom);
    row->addLayout(makeField(tr("Width"), 600, m_width));
    auto* times = new QVBoxLayout;
    times->addStretch();
    times->addWidget(makeLabel(QStringLiteral("×"), TextStyle::Body, card));
    times->addSpacing(6);
    row->addLayout(times);
    row->addLayout(makeField(tr("Height"), 400, m_height));
    row->addSpacing(8);
    m_apply = new QPushButton(tr("Apply to Target"), card);
    m_apply->setDefault(true);
    connect(m_apply, &QPushButton::clicked, this, [this] {
        const QSizeF size = clampedSize(m_width->value(), m_height->value());
        m_controller.placer().resizeFocusedWindow(size.width(), size.height());
    });
    row->addWidget(m_apply, 0, Qt::AlignBottom);
    row->addStretch();
    card->rows()->addLayout(row);
    card->rows()->addWidget(makeDivider(card));
    auto* nameRows = new QVBoxLayout;
    nameRows->setSpacing(4);
    m_presetName = makeNameRow(
        tr("Save as Preset Name"),
        [this](const QString& name) {
            const QSizeF size = clampedSize(m_width->value(), m_height->value());
            return m_controller.presets().addSizePreset(name, size.width(), size.height());
        },
        nameRows);
    m_presetName.addButton->setAccessibleName(tr("Save size as preset"));
    card->rows()->addLayout(nameRows);
    return card;
}

SettingsView::NameRow SettingsView::makeNameRow(const QString& placeholder,
                                                const std::function<bool(const QString&)>& add,
                                                QVBoxLayout* rows) {
    NameRow row;
    row.field = new QLineEdit;
    row.field->setPlaceholderText(placeholder);
    QPalette hint = row.field->palette();
    hint.setColor(QPalette::PlaceholderText, legibleColor(hint.color(QPalette::PlaceholderText),
                                                          {hint.color(QPalette::Base)}, kTextContrastChosen));
    row.field->setPalette(hint);
    row.field->setAccessibleName(placeholder);
    row.addButton = new QToolButton;
    row.addButton->setText(QStringLiteral("+"));
    row.addButton->setToolTip(tr("Save as a preset"));
    row.message = new QLabel;
    row.message->setFont(fontFor(TextStyle::SecondCaption));
    QPalette red = row.message->palette();
    red.setColor(QPalette::WindowText, warningTextColor(red));
    row.message->setPalette(red);

    auto* line = new QHBoxLayout;
    line->addWidget(row.field);
    line->addWidget(row.addButton);
    rows->addLayout(line);
    rows->addWidget(row.message);

    connect(row.field, &QLineEdit::textChanged, this, [this, row](const QString& text) {
        const QString limited = limitedName(text);
        if (limited != text) {
            row.field->setText(limited); // comes back here once more, within the limit
            return;
        }
        refreshNameRow(row);
    });
    const auto submit = [this, row, add] {
        if (row.addButton->isEnabled() && add(row.field->text()))
            row.field->clear();
    };
    connect(row.addButton, &QToolButton::clicked, this, submit);
    connect(row.field, &QLineEdit::returnPressed, this, submit);
    refreshNameRow(row);
    return row;
}

void SettingsView::refreshNameRow(const NameRow& row) {
    const std::optional<QString> problem = m_controller.presets().validateName(row.field->text());
    row.addButton->setEnabled(!problem);
    row.message->setText(problem && !row.field->text().isEmpty() ? *problem : QString());
    row.message->setVisible(!row.message->text().isEmpty());
}

Card* SettingsView::makePresetsCard(QWidget* content) {
    Card* card = makeCard(tr("PRESETS"), content);
    QWidget* heading = takeFirstWidget(card->rows());
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(heading);
    m_presetCount = makeLabel(QString(), TextStyle::SecondCaption, card);
    m_presetCount->setContentsMargins(4, 4, 4, 4);
    m_presetCount->setAutoFillBackground(true);
    QPalette gray = m_presetCount->palette();
    gray.setColor(QPalette::Window, QColor::fromRgbF(0.5f, 0.5f, 0.5f, 0.2f));
    m_presetCount->setPalette(gray);
    titleRow->addWidget(m_presetCount);
    titleRow->addStretch();
    card->rows()->addLayout(titleRow);
    m_presetSlot = new QVBoxLayout;
    m_presetSlot->setContentsMargins(0, 0, 0, 0);
    card->rows()->addLayout(m_presetSlot);
    refreshPresets();
    return card;
}

void SettingsView::refreshPresets() {
    const QList<Preset>& presets = m_controller.presets().all();
    m_presetCount->setText(QString::number(presets.size()));
    m_presetCount->setAccessibleName(tr("%n preset(s)", nullptr, int(presets.size())));
    // The old list may hold the delete button being clicked right now.
    if (m_presetList)
        m_presetList->deleteLater();
    QWidget* card = m_presetCount->parentWidget();
    if (presets.isEmpty()) {
        QLabel* none = makeLabel(tr("No presets saved."), TextStyle::Caption, card, true);
        none->setContentsMargins(0, 6, 0, 6);
        m_presetList = none;
    } else {
        auto* list = new Card(QPalette::Window, 6, card);
        for (const Preset& preset : presets)
            list->rows()->addWidget(makePresetRow(preset, list));
        m_presetList = list;
    }
    m_presetSlot->addWidget(m_presetList);
}

QWidget* SettingsView::makePresetRow(const Preset& preset, QWidget* parent) {
    auto* row = new QWidget(parent);
    QToolButton* remove = makeDeleteButton(preset.name, row);
    connect(remove, &QToolButton::clicked, this,
            [this, id = preset.id] { m_controller.presets().deletePreset(id); });
    QLabel* name = makeLabel(preset.name, TextStyle::Subheadline, row);
    if (const std::optional<SnapLayout> layout = preset.gridLayout()) {
        auto* group = new QVBoxLayout(row);
        group->setContentsMargins(0, 0, 0, 0);
        group->setSpacing(4);
        auto* top = new QHBoxLayout;
        top->addWidget(name);
        top->addStretch();
        top->addWidget(remove);
        group->addLayout(top);
        auto* thumbnail = new SnapLayoutView(
            *layout, [this](const QRectF& fraction) { m_controller.placer().snapFocusedWindow(fraction); },
            row);
        thumbnail->setFixedHeight(50);
        thumbnail->setToolTip(preset.name);
        group->addWidget(thumbnail);
        return row;
    }
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(name);
    if (preset.width && preset.height)
        line->addWidget(
            makeLabel(PresetCell::sizeLabel(*preset.width, *preset.height), TextStyle::Caption, row, true));
    line->addStretch();
    line->addWidget(remove);
    return row;
}

} // namespace corvane
