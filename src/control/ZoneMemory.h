#pragma once
// Which zone each window is in, as the placements that put it there said (the layout, the fraction,
// the screen), for the moves to the neighbouring zone; and, when the user keeps windows in their zone,
// the same for the windows closed in one, stored in the settings: a window of that application (and
// of that title, where several of it were placed) opening later goes back there. A window's zone is
// forgotten once the user moves it off: its frame no longer the one it settled on, after a move that
// is not one of our own writes. ZoneNavigator reads it; FrameWriteQueue tells it every write.

#include "control/FrameWriteQueue.h"
#include "control/ZonePlace.h"
#include "platform/Platform.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <functional>
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
    struct Remembered {
        QString application; // the backend's name of it: the WM_CLASS class on X11
        QString title;
        ZonePlace place;

        friend bool operator==(const Remembered&, const Remembered&) = default;
    };

    static constexpr qsizetype maxRemembered = 500;
    // A window someone else moved is judged once its frame has rested this long: a drag, or a window
    // manager applying a frame in steps, passes through frames that say nothing.
    static constexpr double restSeconds = 0.3;
    // A new window is placed once the window manager has left its frame alone this long (its own
    // placement would otherwise replace ours), and no later than the deadline.
    static constexpr double openingRestSeconds = 0.15;
    static constexpr double openingDeadlineSeconds = 1.0;

    // Reads the stored choice and windows; the windows open now count as seen, never placed.
    ZoneMemory(Platform& platform, FrameWriteQueue& writes, QObject* parent = nullptr);

    // Off unless stored on. Turning it off forgets the stored windows; turning it on stores those in a
    // zone now.
    bool keepsZones() const { return m_keepsZones; }
    void setKeepsZones(bool keeps);

    // The zone the window is in: none when no placement put it in one, or it has left it since.
    std::optional<ZonePlace> zoneOf(AxElement window);
    // Oldest first.
    const QList<Remembered>& remembered() const { return m_remembered; }

signals:
    void keepsZonesChanged(bool keeps);

private:
    struct Placed {
        ZonePlace place;
        QRectF frame; // AX coordinates, as the window settled
        QString application;
        QString title;
    };
    struct Opening {
        double deadline = 0;
        std::unique_ptr<Timer> rest;
    };

    void writeAsked(const FrameWriteQueue::Request& request);
    void writeLanded(const FrameWriteQueue::Request& request, const FrameResult& result);
    void windowAdded(quint32 number);
    void windowRemoved(quint32 number);
    void frameChanged(quint32 number);
    void restOpening(quint32 number);
    void placeOpened(quint32 number);
    // Forgets the window's zone when its frame is no longer the one it settled on.
    void judge(AxElement window);
    void forget(AxElement window);
    std::optional<Remembered> match(const QString& application, const QString& title) const;
    std::optional<Screen> screenFor(const ZonePlace& place, const QRectF& axFrame) const;
    QString applicationOf(AxElement window, const std::optional<RunningApplication>& known);
    QString titleOf(AxElement window);
    // Stores the window's zone in place of what it or the window it `replaced` had.
    void remember(const Remembered& remembered, const std::optional<Remembered>& replaced);
    void store();

    Platform& m_platform;
    FrameWriteQueue& m_writes;
    bool m_keepsZones = false;
    QList<Remembered> m_remembered;
    QHash<quint64, Placed> m_placed;                    // by element handle
    QHash<quint64, std::optional<ZonePlace>> m_writing; // our write to it has not landed: the zone asked
    std::unordered_map<quint64, std::unique_ptr<Timer>> m_resting; // moved by someone else, judged at rest
    QSet<quint32> m_seen; // window numbers: shown again is not opened
    std::unordered_map<quint32, Opening> m_opening;
};

// The stored form: a list of dictionaries. What cannot be read is left out, a value of the wrong
// type as a whole reads as none.
QList<ZoneMemory::Remembered> rememberedFromStored(const QVariant& stored);
QVariantList storedRemembered(const QList<ZoneMemory::Remembered>& remembered);

} // namespace corvane
