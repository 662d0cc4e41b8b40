#pragma once
// The user's choices for resizing neighbours together: on or off (on by default), and the key that,
// held while the user resizes a window, resizes that window alone (Super by default). Stored in the
// defaults; switching it on or off starts or stops the resizer.

#include "control/FeatureMonitor.h"
#include "control/FeatureSwitch.h"
#include "platform/Platform.h"

#include <QObject>

namespace corvane {

class NeighbourResizeSettings : public QObject, public FeatureSwitch {
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

    bool isEnabled() const { return m_isEnabled; }
    void setEnabled(bool isEnabled);
    AloneKey aloneKey() const { return m_aloneKey; }
    void setAloneKey(AloneKey key);

    void applyStartRule() override;

signals:
    void isEnabledChanged(bool isEnabled);
    void aloneKeyChanged(corvane::NeighbourResizeSettings::AloneKey key);

private:
    Platform& m_platform;
    FeatureMonitor& m_resizer;
    bool m_isEnabled = true;
    AloneKey m_aloneKey = AloneKey::Super;
};

} // namespace corvane
