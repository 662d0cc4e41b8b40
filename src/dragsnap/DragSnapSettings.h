#pragma once
// The user's choices for drag to snap: on or off, the layout offered, where on a screen the pointer
// must be, the key that spans zones, and whether a window dragged out of its zone gets its own size
// back. Stored in the
// defaults; switching it on or off starts or stops the monitor.

#include "control/FeatureMonitor.h"
#include "control/FeatureSwitch.h"
#include "platform/Platform.h"

#include <QObject>
#include <QString>

namespace corvane {

class DragSnapSettings : public QObject, public FeatureSwitch {
    Q_OBJECT
public:
    enum class Trigger { Anywhere, ScreenEdges };
    Q_ENUM(Trigger)

    static QString rawValue(Trigger trigger);
    // Exact, case-sensitive; anything unknown is Anywhere.
    static Trigger triggerFromRawValue(const QString& raw);

    // Held while dragging, it makes the drop cover every zone the pointer crossed. Super is not among
    // them: it places a window freely.
    enum class SpanKey { Control, Alt, Shift };
    Q_ENUM(SpanKey)
    static QString rawValue(SpanKey key);
    // Exact, case-sensitive; anything unknown is Control.
    static SpanKey spanKeyFromRawValue(const QString& raw);
    static quint64 modifierFlag(SpanKey key);

    // Width of the band along each screen edge for ScreenEdges.
    static constexpr double edgeMargin = 48;

    // Reads the stored choices; writes nothing and leaves the monitor alone.
    DragSnapSettings(Platform& platform, FeatureMonitor& monitor, QObject* parent = nullptr);

    bool isEnabled() const { return m_isEnabled; }
    void setEnabled(bool isEnabled);
    QString layoutName() const { return m_layoutName; }
    void setLayoutName(const QString& name);
    Trigger trigger() const { return m_trigger; }
    void setTrigger(Trigger trigger);
    SpanKey spanKey() const { return m_spanKey; }
    void setSpanKey(SpanKey key);
    // A window Corvane placed takes the size it had before when a drag of it is confirmed; off by default.
    bool restoresSizeOnDrag() const { return m_restoresSizeOnDrag; }
    void setRestoresSizeOnDrag(bool restores);

    void applyStartRule() override;
    // A preset of this name was deleted: fall back to the first built-in layout.
    void releaseLayoutName(const QString& deletedName);

signals:
    void isEnabledChanged(bool isEnabled);
    void layoutNameChanged(const QString& name);
    void triggerChanged(corvane::DragSnapSettings::Trigger trigger);
    void spanKeyChanged(corvane::DragSnapSettings::SpanKey key);
    void restoresSizeOnDragChanged(bool restores);

private:
    Platform& m_platform;
    FeatureMonitor& m_monitor;
    bool m_isEnabled = false;
    QString m_layoutName;
    Trigger m_trigger = Trigger::Anywhere;
    SpanKey m_spanKey = SpanKey::Control;
    bool m_restoresSizeOnDrag = false;
};

} // namespace corvane
