#pragma once
// Which zone each window is in, as the placements that put it there said (the layout, the fraction,
// the screen), for the moves to the neighbouring zone and for ZoneMemory's reopening. A window's zone
// is forgotten once the user moves it off: its frame no longer the one it settled on, after a move
// that is not one of our own writes. ZoneNavigator reads it; FrameWriteQueue tells it every write.

#include "control/FrameWriteQueue.h"
#include "control/ZonePlace.h"
#include "platform/Platform.h"

#include <QHash>
#include <QObject>
#include <memory>
#include <optional>
#include <unordered_map>

namespace corvane {

// A window's zone, with the names that find the window again once it has closed.
struct WindowZone {
    QString application; // the backend's name of it: the WM_CLASS class on X11
    QString title;
    ZonePlace place;

    friend bool operator==(const WindowZone&, const WindowZone&) = default;
};

class ZoneTracker : public QObject {
    Q_OBJECT
public:
    // A window someone else moved is judged once its frame has rested this long: a drag, or a window
    // manager applying a frame in steps, passes through frames that say nothing.
    static constexpr double restSeconds = 0.3;

    ZoneTracker(Platform& platform, FrameWriteQueue& writes, QObject* parent = nullptr);

    // The zone the window is in: none when no placement put it in one, or it has left it since.
    std::optional<ZonePlace> zoneOf(AxElement window);
    // The zones of the windows placed in one and not moved off since.
    QList<WindowZone> placedZones() const;
    // The on-screen windows in a zone now, front to back: those whose frame is still the one they
    // settled on, and those on their way to a zone with it. What swapping two of them reads.
    struct WindowInZone {
        AxElement window;
        ZonePlace place;
    };
    QList<WindowInZone> windowsInZones();
    // The frame a window placed in a zone settled on, and its zone, until the tracker judges it moved
    // off: what it had before the user's move or resize that is under way.
    struct Settled {
        ZonePlace place;
        QRectF frame; // AX coordinates
    };
    std::optional<Settled> settledOf(AxElement window) const;
    // A write of Corvane's that names a zone (not a Follow) is on its way to the window.
    bool isWriting(AxElement window) const { return m_writing.contains(window.handle); }

signals:
    // A write put the window in `zone`; `before` is the zone it had until then.
    void zonePlaced(const WindowZone& zone, const std::optional<WindowZone>& before);
    // The window left its zone: moved off by the user, or given a frame that names no zone.
    void zoneLeft(const WindowZone& zone);

private:
    struct Placed {
        WindowZone zone;
        QRectF frame; // AX coordinates, as the window settled
    };

    void writeAsked(const FrameWriteQueue::Request& request);
    void writeLanded(const FrameWriteQueue::Request& request, const FrameResult& result);
    void windowRemoved(quint32 number);
    void frameChanged(quint32 number);
    // Forgets the window's zone when its frame is no longer the one it settled on.
    void judge(AxElement window);
    void forget(AxElement window);

    Platform& m_platform;
    FrameWriteQueue& m_writes;
    QHash<quint64, Placed> m_placed;                    // by element handle
    QHash<quint64, std::optional<ZonePlace>> m_writing; // our write to it has not landed: the zone asked
    std::unordered_map<quint64, std::unique_ptr<Timer>> m_resting; // moved by someone else, judged at rest
};

} // namespace corvane
