#pragma once
// Resizes the neighbours of a window Corvane placed along with it: while the user resizes such a window
// (a border drag, or the window manager's resize), the windows Corvane placed on that monitor whose
// edges lie a zone gap across a moved edge follow that edge, and the edges in line with theirs follow
// in turn, down to a least size. A neighbour whose own minimum keeps it wider than asked keeps its far
// edge where it was. Holding the alone key at any point of a resize resizes the window alone.
// The windows that moved together stay linked, so the next resize of any of them carries the others
// again, until one of them is moved, placed elsewhere or closed: a linked window counts only while it
// still has the frame the last resize left it with. A press only notes that a button is held: the
// resize starts at the first change of size of a placed or linked window while it is, whichever window
// the press was on (many window managers take a press just outside a window's frame as a resize of
// it), and its steps are read as that window's frame changes.

#include "control/ExcludedApplications.h"
#include "control/FeatureMonitor.h"
#include "control/FrameWriteQueue.h"
#include "control/GlobalMonitors.h"
#include "control/NeighbourResizeSettings.h"
#include "control/ZoneSpacingSettings.h"
#include "control/ZoneTracker.h"
#include "platform/Platform.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <memory>
#include <optional>

namespace corvane {

class NeighbourResizer : public QObject, public FeatureMonitor {
    Q_OBJECT
public:
    // The least width or height a following window is given.
    static constexpr double leastSize = 48;
    // How far a window's size may change and still be a move.
    static constexpr double tolerance = 2;
    // How far an edge may lie off the zone gap and still be shared: a terminal sizes itself in whole
    // character cells, and may stop that far short of its zone's edge.
    static constexpr double cellSlack = 24;

    NeighbourResizer(Platform& platform, FrameWriteQueue& writes, ZoneTracker& zones,
                     const ZoneSpacingSettings& spacing, const ExcludedApplications& excluded,
                     const NeighbourResizeSettings& settings, QObject* parent = nullptr);

    void start() override;
    void stop() override;
    bool isRunning() const { return m_isRunning; }

    // A resize is being followed: the user resizes a placed window, or has just let go of one.
    bool isFollowing() const { return m_resize.has_value(); }
    // The windows linked with this one by an earlier resize, still where it left them.
    QList<AxElement> linkedWith(AxElement window);
    // The user drags the window by its title bar: until the button goes up, no change of its size is a
    // resize of the user's (a dragged window may be given its own size back), and it leaves its group.
    void windowDragged(AxElement window);

signals:
    // Each neighbour's write asked for in one step of the user's resize.
    void neighboursFollowed(int count);

private:
    struct Member {
        AxElement window;
        QRectF start; // AX coordinates, at the press
        std::optional<QRectF> asked;
    };
    struct Resize {
        AxElement window;
        Screen screen;
        QList<Member> members; // the held window first
        bool isAlone = false;
    };
    struct Link {
        quint64 group = 0;
        QRectF frame; // AX coordinates, as the last resize left it
    };

    void pressed(const Event& event);
    void dragged(const Event& event);
    void released(const Event& event);
    void endOnceRested();
    void frameChanged(quint32 number);
    void windowRemoved(quint32 number);
    // A window changed its frame while a button is held: a resize of it starts if it was placed or linked.
    void begin(AxElement window);
    // The held window's frame has changed: the neighbours follow it.
    void follow();
    void writeMember(qsizetype index, const QRectF& frame, bool isAnchoring);
    // A neighbour wider or taller than asked keeps the edge that did not move where it was.
    void anchorFarEdge(qsizetype index, const QRectF& asked);
    // The resize is over: the windows moved in it are linked where they are now.
    void finish();
    void link(const QList<AxElement>& windows);
    // Whether a linked window still has the frame its link noted; one that has not leaves its group.
    bool isStillLinked(AxElement window);

    Platform& m_platform;
    FrameWriteQueue& m_writes;
    ZoneTracker& m_zones;
    const ZoneSpacingSettings& m_spacing;
    const ExcludedApplications& m_excluded;
    const NeighbourResizeSettings& m_settings;

    GlobalMonitors m_monitors{m_platform.events, this};
    bool m_isRunning = false;
    bool m_isHeld = false;      // a button is down
    bool m_isAloneHeld = false; // the alone key was held at some point since the press
    QSet<quint64> m_draggedSincePress;
    std::optional<Resize> m_resize;
    std::unique_ptr<Timer> m_ending; // after the release, the window manager's last steps
    QHash<quint64, Link> m_links;    // by element handle
    quint64 m_nextGroup = 1;
};

} // namespace corvane
