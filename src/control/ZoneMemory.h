#pragma once
// When the user keeps windows in their zone: the zones of the windows closed in one, as ZoneTracker
// last had them, stored in the settings; a window of that application (and of that title, where
// several of it were placed) opening later goes back there, once the window manager has left it alone.

#include "control/FrameWriteQueue.h"
#include "control/ZoneTracker.h"
#include "platform/Platform.h"

#include <QObject>
#include <QSet>
#include <memory>
#include <optional>
#include <unordered_map>

namespace corvane {

inline constexpr auto kKeepsWindowZonesKey = "keepsWindowZones";
inline constexpr auto kWindowZonesKey = "windowZones";

class ZoneMemory : public QObject {
    Q_OBJECT
public:
    // A window closed in a zone, as stored.
    using Remembered = WindowZone;

    static constexpr qsizetype maxRememberedWindows = 500;
    // A new window is placed once the window manager has left its frame alone this long (its own
    // placement would otherwise replace ours), and no later than the deadline.
    static constexpr double openingRestSeconds = 0.15;
    static constexpr double openingDeadlineSeconds = 1.0;

    // Reads the stored choice and windows; the windows open now count as seen, never placed.
    ZoneMemory(Platform& platform, FrameWriteQueue& writes, ZoneTracker& tracker, QObject* parent = nullptr);

    // Off unless stored on. Turning it off forgets the stored windows; turning it on stores those in a
    // zone now.
    bool keepsZones() const { return m_keepsZones; }
    void setKeepsZones(bool keeps);

    // Oldest first.
    const QList<Remembered>& remembered() const { return m_remembered; }

signals:
    void keepsZonesChanged(bool keeps);

private:
    struct Opening {
        double deadline = 0;
        std::unique_ptr<Timer> rest;
    };

    void zonePlaced(const WindowZone& zone, const std::optional<WindowZone>& before);
    void zoneLeft(const WindowZone& zone);
    void windowAdded(quint32 number);
    void windowRemoved(quint32 number);
    void frameChanged(quint32 number);
    void restOpening(quint32 number);
    void placeOpened(quint32 number);
    std::optional<Remembered> match(const QString& application, const QString& title) const;
    std::optional<Screen> screenFor(const ZonePlace& place, const QRectF& axFrame) const;
    // Stores the window's zone in place of what it or the window it `replaced` had.
    void remember(const Remembered& remembered, const std::optional<Remembered>& replaced);
    void store();

    Platform& m_platform;
    FrameWriteQueue& m_writes;
    ZoneTracker& m_tracker;
    bool m_keepsZones = false;
    QList<Remembered> m_remembered;
    QSet<quint32> m_seen; // window numbers: shown again is not opened
    std::unordered_map<quint32, Opening> m_opening;
};

// The stored form: a list of dictionaries. What cannot be read is left out, a value of the wrong
// type as a whole reads as none.
QList<ZoneMemory::Remembered> rememberedFromStored(const QVariant& stored);
QVariantList storedRemembered(const QList<ZoneMemory::Remembered>& remembered);

} // namespace corvane
