#pragma once
// The user's choices for drag to snap: on or off, the layout offered (one for all monitors, and one
// of their own for the monitors given one, kept by MonitorKey), where on a screen the pointer must
// be, the key that spans zones, whether a window dragged out of its zone gets its own size back,
// whether a window dragged into the top band of a monitor is offered the row of layouts there, and
// whether a window dropped on a zone another window fills swaps places with it.
// Stored in the defaults; switching it on or off starts or stops the monitor.

#include "control/FeatureMonitor.h"
#include "control/FeatureSwitch.h"
#include "platform/Platform.h"

#include <QMap>
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
    // The layout of every monitor not given one of its own.
    QString layoutName() const { return m_layoutName; }
    void setLayoutName(const QString& name);
    // The layout offered on a screen: its own where it was given one, else layoutName().
    QString layoutNameFor(const Screen& screen) const;
    // The monitors given a layout of their own: layout names by MonitorKey.
    const QMap<QString, QString>& monitorLayoutNames() const { return m_monitorLayoutNames; }
    // Gives the monitor of that key a layout of its own; an empty name gives it layoutName() again.
    void setMonitorLayoutName(const QString& monitorKey, const QString& name);
    // The monitors there are now, in the system's order, to choose among.
    QList<Screen> monitors() const { return m_platform.screens.screens(); }
    Trigger trigger() const { return m_trigger; }
    void setTrigger(Trigger trigger);
    SpanKey spanKey() const { return m_spanKey; }
    void setSpanKey(SpanKey key);
    // A window Corvane placed takes the size it had before when a drag of it is confirmed; off by default.
    bool restoresSizeOnDrag() const { return m_restoresSizeOnDrag; }
    void setRestoresSizeOnDrag(bool restores);
    // The row of layouts at the top of a monitor while a window is dragged into its top band. On where
    // the title bars offer no maximize button to open the palette on (GNOME), off elsewhere.
    bool showsTopPalette() const { return m_showsTopPalette; }
    void setShowsTopPalette(bool shows);
    // A window dropped (or picked in Quick Snap) onto a zone another window Corvane placed fills takes
    // that zone, and the other one the dropped window's place; off by default, so a drop only moves the
    // window dropped.
    bool swapsOnDrop() const { return m_swapsOnDrop; }
    void setSwapsOnDrop(bool swaps);

    void applyStartRule() override;
    // A preset of this name was deleted: each choice of it falls back to the first built-in layout.
    void releaseLayoutName(const QString& deletedName);

signals:
    void isEnabledChanged(bool isEnabled);
    void layoutNameChanged(const QString& name);
    // A monitor's own layout changed, or the monitors did.
    void monitorLayoutsChanged();
    void triggerChanged(corvane::DragSnapSettings::Trigger trigger);
    void spanKeyChanged(corvane::DragSnapSettings::SpanKey key);
    void restoresSizeOnDragChanged(bool restores);
    void showsTopPaletteChanged(bool shows);
    void swapsOnDropChanged(bool swaps);

private:
    Platform& m_platform;
    FeatureMonitor& m_monitor;
    bool m_isEnabled = false;
    QString m_layoutName;
    QMap<QString, QString> m_monitorLayoutNames;
    Trigger m_trigger = Trigger::Anywhere;
    SpanKey m_spanKey = SpanKey::Control;
    bool m_restoresSizeOnDrag = false;
    bool m_showsTopPalette = false;
    bool m_swapsOnDrop = false;
};

} // namespace corvane
