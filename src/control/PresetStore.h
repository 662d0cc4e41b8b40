#pragma once
// The user's presets, kept in the defaults: size presets and grid presets, with unique names that
// no built-in layout has. Also resolves a layout by name, built-in layouts first. ZoneCycle and the
// views read it; deleting the last preset of a name tells the holders of that name.

#include "model/GridSpan.h"
#include "model/Preset.h"
#include "model/SnapLayout.h"
#include "platform/Defaults.h"

#include <QObject>
#include <optional>

namespace corvane {

inline constexpr auto kPresetsKey = "corvanePresets";

class PresetStore : public QObject {
    Q_OBJECT
public:
    // Loads the stored presets and writes them back in today's form; data that cannot be decoded
    // stays as it is until the next add replaces it.
    explicit PresetStore(Defaults& defaults, QObject* parent = nullptr);

    const QList<Preset>& all() const { return m_presets; }
    // A built-in layout of that name, else the first preset's grid of that name; names match exactly.
    std::optional<SnapLayout> layout(const QString& name) const;

    // The message that refuses a typed name (empty, or taken ignoring case); none for a good one.
    std::optional<QString> validateName(const QString& typedName) const;
    // True when the preset was added, so the settings view clears what was typed.
    bool addSizePreset(const QString& typedName, double width, double height);
    bool addGridPreset(const QString& typedName, qint64 rows, qint64 cols, const QList<GridSpan>& merges);
    void deletePreset(const QUuid& id);

signals:
    void presetsChanged();
    // A deleted preset's name no longer names anything; holders of it by name repair it.
    void presetNameReleased(const QString& name);

private:
    void setPresets(QList<Preset> presets);
    bool appendPreset(Preset preset);
    void save();

    Defaults& m_defaults;
    QList<Preset> m_presets;
};

} // namespace corvane
