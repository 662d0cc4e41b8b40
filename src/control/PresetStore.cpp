#include "PresetStore.h"

#include "model/BuiltInLayouts.h"
#include "model/GridAlgebra.h"
#include "model/PresetCoding.h"
#include "model/ScreenGeometry.h"

namespace corvane {

PresetStore::PresetStore(Defaults& defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults) {
    const std::optional<QByteArray> stored = m_defaults.data(kPresetsKey);
    if (!stored)
        return;
    std::optional<QList<Preset>> decoded = decodePresets(*stored);
    if (!decoded)
        return;
    m_presets = std::move(*decoded);
    save();
}

void PresetStore::setPresets(QList<Preset> presets) {
    m_presets = std::move(presets);
    emit presetsChanged();
}

void PresetStore::save() {
    if (const std::optional<QByteArray> encoded = encodePresets(m_presets))
        m_defaults.setData(kPresetsKey, *encoded);
}

std::optional<SnapLayout> PresetStore::layout(const QString& name) const {
    for (const SnapLayout& builtIn : builtInLayouts()) {
        if (builtIn.name == name)
            return builtIn;
    }
    for (const Preset& preset : m_presets) {
        if (preset.name == name)
            return preset.gridLayout(); // the first preset of that name decides
    }
    return std::nullopt;
}

std::optional<QString> PresetStore::validateName(const QString& typedName) const {
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

bool PresetStore::appendPreset(Preset preset) {
    if (validateName(preset.name))
        return false;
    preset.id = QUuid::createUuid();
    preset.name = preset.name.trimmed();
    QList<Preset> presets = m_presets;
    presets.append(std::move(preset));
    setPresets(std::move(presets));
    save();
    return true;
}

bool PresetStore::addSizePreset(const QString& typedName, double width, double height) {
    Preset preset;
    preset.name = typedName;
    preset.width = clampedWindowDimension(width);
    preset.height = clampedWindowDimension(height);
    return appendPreset(std::move(preset));
}

bool PresetStore::addGridPreset(const QString& typedName, qint64 rows, qint64 cols,
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

void PresetStore::deletePreset(const QUuid& id) {
    const auto found =
        std::find_if(m_presets.cbegin(), m_presets.cend(), [&](const Preset& p) { return p.id == id; });
    if (found == m_presets.cend())
        return;
    const QString name = found->name;
    QList<Preset> remaining = m_presets;
    remaining.removeIf([&](const Preset& p) { return p.id == id; });
    setPresets(std::move(remaining));
    save();
    if (std::none_of(m_presets.cbegin(), m_presets.cend(), [&](const Preset& p) { return p.name == name; }))
        emit presetNameReleased(name);
}

} // namespace corvane
