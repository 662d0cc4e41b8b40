#include "ZoneSpacingSettings.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr auto kGapKey = "zoneGap";
constexpr auto kMarginKey = "zoneMargin";

// A stored integer or real, rounded; anything else, NaN included, is 0.
qint64 storedPixels(const Defaults& defaults, const char* key) {
    const double value = defaults.number(QString::fromLatin1(key)).value_or(0);
    if (std::isnan(value))
        return 0;
    return qint64(std::round(std::clamp(value, 0.0, double(ZoneSpacing::maximum))));
}

} // namespace

ZoneSpacingSettings::ZoneSpacingSettings(Defaults& defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_spacing{storedPixels(defaults, kGapKey), storedPixels(defaults, kMarginKey)} {}

void ZoneSpacingSettings::setGap(qint64 gap) {
    set({gap, m_spacing.margin});
}

void ZoneSpacingSettings::setMargin(qint64 margin) {
    set({m_spacing.gap, margin});
}

void ZoneSpacingSettings::set(ZoneSpacing spacing) {
    spacing = spacing.clamped();
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    m_defaults.setObject(QString::fromLatin1(kGapKey), spacing.gap);
    m_defaults.setObject(QString::fromLatin1(kMarginKey), spacing.margin);
    emit spacingChanged(spacing);
}

} // namespace corvane
