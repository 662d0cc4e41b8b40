#pragma once
// The user's choices for resizing neighbours together: on or off (on by default), and the key that,
// held while the user resizes a window, resizes that window alone (Super by default). Stored in the
// defaults; switching it on or off starts or stops the resizer.

#include "control/FeatureToggle.h"

namespace corvane {

class NeighbourResizeSettings : public FeatureToggle {
    Q_OBJECT
public:
    enum class AloneKey { Super, Alt, Shift, Control };
    Q_ENUM(AloneKey)
    static QString rawValue(AloneKey key);
    // Exact, case-sensitive; anything unknown is Super.
    static AloneKey aloneKeyFromRawValue(const QString& raw);
    static quint64 modifierFlag(AloneKey key);

    // Reads the stored choices; writes nothing and leaves the resizer alone.
    NeighbourResizeSettings(Platform& platform, FeatureMonitor& resizer, QObject* parent = nullptr);

    AloneKey aloneKey() const { return m_aloneKey; }
    void setAloneKey(AloneKey key);

signals:
    void aloneKeyChanged(corvane::NeighbourResizeSettings::AloneKey key);

private:
    Platform& m_platform;
    AloneKey m_aloneKey = AloneKey::Super;
};

} // namespace corvane
