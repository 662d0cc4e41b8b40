#include "NeighbourResizeSettings.h"

namespace corvane {

namespace {
constexpr auto kEnabledKey = "neighbourResizeEnabled";
constexpr auto kAloneKeyKey = "neighbourResizeAloneKey";
} // namespace

QString NeighbourResizeSettings::rawValue(AloneKey key) {
    switch (key) {
    case AloneKey::Alt:
        return QStringLiteral("alt");
    case AloneKey::Shift:
        return QStringLiteral("shift");
    case AloneKey::Control:
        return QStringLiteral("control");
    case AloneKey::Super:
        break;
    }
    return QStringLiteral("super");
}

NeighbourResizeSettings::AloneKey NeighbourResizeSettings::aloneKeyFromRawValue(const QString& raw) {
    if (raw == QLatin1String("alt"))
        return AloneKey::Alt;
    if (raw == QLatin1String("shift"))
        return AloneKey::Shift;
    return raw == QLatin1String("control") ? AloneKey::Control : AloneKey::Super;
}

quint64 NeighbourResizeSettings::modifierFlag(AloneKey key) {
    switch (key) {
    case AloneKey::Alt:
        return modifier::kOption;
    case AloneKey::Shift:
        return modifier::kShift;
    case AloneKey::Control:
        return modifier::kControl;
    case AloneKey::Super:
        break;
    }
    return modifier::kCommand;
}

// It reads the user's resize from the same reports as a window drag: a desktop that shows none gets no
// resizer, whatever the stored choice.
NeighbourResizeSettings::NeighbourResizeSettings(Platform& platform, FeatureMonitor& resizer, QObject* parent)
    : FeatureToggle(platform, resizer, {kEnabledKey, true, Capability::DragObservation}, parent)
    , m_platform(platform)
    , m_aloneKey(aloneKeyFromRawValue(platform.defaults.string(kAloneKeyKey).value_or(QString()))) {}

void NeighbourResizeSettings::setAloneKey(AloneKey key) {
    const bool isChange = key != m_aloneKey;
    m_aloneKey = key;
    if (isChange)
        emit aloneKeyChanged(key);
    m_platform.defaults.setString(kAloneKeyKey, rawValue(key));
}

} // namespace corvane
