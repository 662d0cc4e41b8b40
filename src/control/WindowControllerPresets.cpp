// The preset store and the hotkey tables of WindowController.
#include "WindowController.h"
#include "model/BuiltInLayouts.h"
#include "model/GridAlgebra.h"
#include "model/PresetCoding.h"
#include "model/ScreenGeometry.h"

namespace corvane {

void WindowController::setPresets(QList<Preset> presets) {
    m_presets = std::move(presets);
    emit presetsChanged();
}

void WindowController::loadPresets() {
    const std::optional<QByteArray> stored = m_platform.defaults.data(kPresetsKey);
    if (!stored)
        return;
    // Undecodable data stays as it is until the next add replaces it.
    std::optional<QList<Preset>> decoded = decodePresets(*stored);
    if (!decoded)
        return;
    setPresets(std::move(*decoded));
    savePresets();
}

void WindowController::savePresets() {
    if (const std::optional<QByteArray> encoded = encodePresets(m_presets))
        m_platform.defaults.setData(kPresetsKey, *encoded);
}

std::optional<QString> WindowController::validatePresetName(const QString& typedName) const {
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return QStringLiteral("Enter a name.");
    const auto quoted = [&](const char* tail) {
        return QLatin1Char('"') + name + QLatin1Char('"') + QLatin1String(tail);
    };
    for (const SnapLayout& builtIn : builtInLayouts()) {
        if (QString::compare(name, builtIn.name, Qt::CaseInsensitive) == 0)
            return quoted(" is a built-in layout.");
    }
    for (const Preset& preset : m_presets) {
        if (QString::compare(name, preset.name, Qt::CaseInsensitive) == 0)
            return quoted(" already exists.");
    }
    return std::nullopt;
}

bool WindowController::appendPreset(Preset preset) {
    if (validatePresetName(preset.name))
        return false;
    preset.id = QUuid::createUuid();
    preset.name = preset.name.trimmed();
    QList<Preset> presets = m_presets;
    presets.append(std::move(preset));
    setPresets(std::move(presets));
    savePresets();
    return true;
}

bool WindowController::addSizePreset(const QString& typedName, double width, double height) {
    Preset preset;
    preset.name = typedName;
    preset.width = clampedWindowDimension(width);
    preset.height = clampedWindowDimension(height);
    return appendPreset(std::move(preset));
}

bool WindowController::addGridPreset(const QString& typedName, qint64 rows, qint64 cols,
                                     const QList<GridSpan>& merges) {
    Preset preset;
    preset.name = typedName;
    preset.rows = rows;
    preset.cols = cols;
    const QList<GridSpan> cleaned = normalizedMerges(merges, rows, cols);
    if (!cleaned.isEmpty())
        preset.merges = cleaned;
    return appendPreset(std::move(preset));
}

void WindowController::deletePreset(const QUuid& id) {
    const auto found =
        std::find_if(m_presets.cbegin(), m_presets.cend(), [&](const Preset& p) { return p.id == id; });
    if (found == m_presets.cend())
        return;
    const QString name = found->name;
    QList<Preset> remaining = m_presets;
    remaining.removeIf([&](const Preset& p) { return p.id == id; });
    setPresets(std::move(remaining));
    savePresets();
    if (std::any_of(m_presets.cbegin(), m_presets.cend(), [&](const Preset& p) { return p.name == name; }))
        return;

    HotkeyAssignments assignments = m_hotkeyAssignments;
    bool isHotkeyRepaired = false;
    for (QString& assigned : assignments) {
        if (assigned == name) {
            assigned.clear();
            isHotkeyRepaired = true;
        }
    }
    // The table is saved as the repair requires even when no entry named the preset.
    if (isHotkeyRepaired)
        setHotkeyAssignments(std::move(assignments));
    saveHotkeyAssignments();
    emit presetNameReleased(name);
    if (m_lastActiveLayoutName == name) {
        m_lastActiveLayoutName.reset();
        m_isCyclingActive = false;
    }
}

void WindowController::setHotkeyAssignments(HotkeyAssignments assignments) {
    if (assignments == m_hotkeyAssignments)
        return;
    m_hotkeyAssignments = std::move(assignments);
    emit hotkeyAssignmentsChanged();
}

HotkeyAssignments WindowController::loadHotkeyAssignments() const {
    return hotkeyAssignmentsFromStored(m_platform.defaults.object(kHotkeyAssignmentsKey));
}

void WindowController::saveHotkeyAssignments() {
    m_platform.defaults.setObject(kHotkeyAssignmentsKey, storedHotkeyAssignments(m_hotkeyAssignments));
}

void WindowController::setHotkeyChords(const HotkeyChords& chords) {
    if (chords == m_hotkeyChords)
        return;
    m_hotkeyChords = chords;
    m_platform.defaults.setObject(kHotkeyChordsKey, storedHotkeyChords(chords));
    emit hotkeyChordsChanged();
}

} // namespace corvane
