#include "NeighbourResizer.h"

#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "control/WindowLookup.h"
#include "model/SharedEdges.h"
#include "platform/common/Log.h"

#include <QPointer>
#include <QSet>
#include <cmath>

namespace corvane {

namespace {

bool isSameSize(const QRectF& a, const QRectF& b) {
    return std::abs(a.width() - b.width()) <= NeighbourResizer::tolerance &&
           std::abs(a.height() - b.height()) <= NeighbourResizer::tolerance;
}

} // namespace

NeighbourResizer::NeighbourResizer(Platform& platform, FrameWriteQueue& writes, ZoneTracker& zones,
                                   const ZoneSpacingSettings& spacing, const ExcludedApplications& excluded,
                                   const NeighbourResizeSettings& settings, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_writes(writes)
    , m_zones(zones)
    , m_spacing(spacing)
    , m_excluded(excluded)
    , m_settings(settings) {
    connect(&platform.windowServer, &WindowServer::windowFrameChanged, this, &NeighbourResizer::frameChanged);
    connect(&platform.windowServer, &WindowServer::windowRemoved, this, &NeighbourResizer::windowRemoved);
}

void NeighbourResizer::start() {
    if (m_isRunning)
        return;
    m_isRunning = true;
    // Any button: window managers resize with a modifier and another button as well (openbox: Alt and
    // the right one).
    m_monitors.add(maskOf(EventType::LeftMouseDown) | maskOf(EventType::RightMouseDown) |
                       maskOf(EventType::OtherMouseDown),
                   [this](const Event& e) { pressed(e); });
    m_monitors.add(maskOf(EventType::LeftMouseDragged), [this](const Event& e) { dragged(e); });
    m_monitors.add(maskOf(EventType::LeftMouseUp) | maskOf(EventType::RightMouseUp) |
                       maskOf(EventType::OtherMouseUp),
                   [this](const Event& e) { released(e); });
}

void NeighbourResizer::stop() {
    if (!m_isRunning)
        return;
    m_isRunning = false;
    m_monitors.removeAll();
    m_resize.reset();
    m_ending.reset();
    m_links.clear();
}

QList<AxElement> NeighbourResizer::linkedWith(AxElement window) {
    QList<AxElement> linked;
    const auto own = m_links.constFind(window.handle);
    if (own == m_links.cend())
        return linked;
    const quint64 group = own->group;
    for (const quint64 handle : m_links.keys()) {
        const AxElement other{handle};
        if (handle != window.handle && m_links.value(handle).group == group && isStillLinked(other))
            linked.append(other);
    }
    return linked;
}

bool NeighbourResizer::isStillLinked(AxElement window) {
    const auto it = m_links.constFind(window.handle);
    if (it == m_links.cend())
        return false;
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window);
    if (frame && framesMatch(*frame, it->frame))
        return true;
    m_links.remove(window.handle);
    return false;
}

void NeighbourResizer::pressed(const Event& event) {
    if (m_resize)
        finish();
    m_isHeld = true;
    m_isAloneHeld = false;
    m_draggedSincePress.clear();
    dragged(event);
}

void NeighbourResizer::dragged(const Event& event) {
    if (event.modifierFlags & NeighbourResizeSettings::modifierFlag(m_settings.aloneKey())) {
        m_isAloneHeld = true;
        if (m_resize)
            m_resize->isAlone = true;
    }
}

void NeighbourResizer::windowDragged(AxElement window) {
    m_draggedSincePress.insert(window.handle);
    m_links.remove(window.handle);
}

void NeighbourResizer::released(const Event& event) {
    dragged(event);
    m_isHeld = false;
    if (!m_resize) {
        // A window moved with the button held (dragged where nothing tells of the drag) leaves its group.
        for (const quint64 handle : m_links.keys())
            isStillLinked(AxElement{handle});
        return;
    }
    endOnceRested();
}

// The window manager may give the window its last sizes after the release, the more behind the pointer
// the busier the machine: the resize ends once the window has rested since the last of them.
void NeighbourResizer::endOnceRested() {
    m_ending = m_platform.runLoop.scheduleTimer(ZoneTracker::restSeconds, false, [this] { finish(); });
}

void NeighbourResizer::frameChanged(quint32 number) {
    if (!m_resize && !m_isHeld) {
        // Changed by anything but the user's pointer (a placement, the keyboard): it leaves its group.
        if (!m_links.isEmpty())
            isStillLinked(m_platform.accessibility.elementOfWindow(number));
        return;
    }
    const AxElement window = m_platform.accessibility.elementOfWindow(number);
    if (!m_resize) {
        begin(window);
    } else if (window == m_resize->window) {
        follow();
        if (m_ending)
            endOnceRested();
    }
}

void NeighbourResizer::windowRemoved(quint32 number) {
    // Hidden (minimised, on another desktop) it is still listed; closed, it is gone.
    if (!windowBounds(m_platform, number))
        m_links.remove(m_platform.accessibility.elementOfWindow(number).handle);
}

void NeighbourResizer::begin(AxElement window) {
    if (m_draggedSincePress.contains(window.handle) || m_zones.isWriting(window) ||
        m_excluded.isWindowExcluded(window))
        return;
    // Where it was before this change: as linked, or as placed in its zone.
    const auto link = m_links.constFind(window.handle);
    const std::optional<ZoneTracker::Settled> settled = m_zones.settledOf(window);
    if (link == m_links.cend() && !settled)
        return;
    const QRectF start = link != m_links.cend() ? link->frame : settled->frame;
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window);
    if (!frame || framesMatch(*frame, start))
        return;
    // Moved, or on its way to another size: window managers that take the left edge may move the
    // window a step before they resize it.
    if (isSameSize(*frame, start))
        return;
    const double primaryHeight = primaryScreenHeight(m_platform.screens);
    const std::optional<Screen> screen =
        screenContaining(m_platform.screens, screenFrameFromAx(start.topLeft(), start.size(), primaryHeight));
    if (!screen)
        return;

    Resize resize{window, *screen, {{window, start, std::nullopt}}, m_isAloneHeld};
    QSet<quint64> taken{window.handle};
    const auto add = [&](AxElement other) {
        if (taken.contains(other.handle) || m_excluded.isWindowExcluded(other))
            return;
        if (const std::optional<QRectF> otherFrame = axFrameOf(m_platform.accessibility, other)) {
            taken.insert(other.handle);
            resize.members.append({other, *otherFrame, std::nullopt});
        }
    };
    if (link != m_links.cend()) {
        for (const AxElement other : linkedWith(window))
            add(other);
    }
    if (settled) {
        for (const ZoneTracker::WindowInZone& other : m_zones.windowsInZones()) {
            if (other.place.screenId == settled->place.screenId)
                add(other.window);
        }
    }
    // A window with no neighbour is followed all the same, so that its later steps look for none.
    m_resize = std::move(resize);
    follow();
}

void NeighbourResizer::follow() {
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, m_resize->window);
    if (!frame) {
        m_resize.reset();
        m_ending.reset();
        return;
    }
    if (m_resize->isAlone)
        return;
    QList<QRectF> starts;
    for (const Member& member : std::as_const(m_resize->members))
        starts.append(member.start);
    const SharedEdgeRules rules{double(m_spacing.spacing().gap), cellSlack, leastSize};
    const QList<QRectF> frames = followSharedEdges(starts, 0, *frame, rules);
    int written = 0;
    for (qsizetype i = 1; i < frames.size(); ++i) {
        const Member& member = m_resize->members[i];
        const QRectF& wanted = frames[i];
        const bool isAsked =
            member.asked ? framesMatch(*member.asked, wanted) : framesMatch(member.start, wanted);
        if (isAsked)
            continue;
        writeMember(i, wanted, false);
        ++written;
    }
    if (written > 0)
        emit neighboursFollowed(written);
}

void NeighbourResizer::writeMember(qsizetype index, const QRectF& frame, bool isAnchoring) {
    Member& member = m_resize->members[index];
    member.asked = frame;
    const double primaryHeight = primaryScreenHeight(m_platform.screens);
    WriteDone done;
    if (!isAnchoring)
        done = [self = QPointer(this), window = member.window, frame](bool isWritten) {
            if (!self || !isWritten || !self->m_resize)
                return;
            const QList<Member>& members = self->m_resize->members;
            for (qsizetype i = 1; i < members.size(); ++i) {
                if (members[i].window == window && members[i].asked && framesMatch(*members[i].asked, frame))
                    self->anchorFarEdge(i, frame);
            }
        };
    m_writes.write({.window = member.window,
                    .frame = screenFrameFromAx(frame.topLeft(), frame.size(), primaryHeight),
                    .primaryHeight = primaryHeight,
                    .visibleFrame = m_resize->screen.visibleFrame,
                    .write = FrameWrite::Follow},
                   std::move(done));
}

void NeighbourResizer::anchorFarEdge(qsizetype index, const QRectF& asked) {
    const Member& member = m_resize->members[index];
    const std::optional<QRectF> landed = axFrameOf(m_platform.accessibility, member.window);
    if (!landed || isSameSize(*landed, asked))
        return;
    QRectF anchored(asked.topLeft(), landed->size());
    // The edge kept from the press is the far one: the near one moved with the held window.
    if (std::abs(asked.right() - member.start.right()) < 1 &&
        std::abs(asked.left() - member.start.left()) >= 1)
        anchored.moveRight(asked.right());
    if (std::abs(asked.bottom() - member.start.bottom()) < 1 &&
        std::abs(asked.top() - member.start.top()) >= 1)
        anchored.moveBottom(asked.bottom());
    if (!framesMatch(anchored, *landed))
        writeMember(index, anchored, true);
}

void NeighbourResizer::finish() {
    m_ending.reset();
    const std::optional<Resize> resize = std::move(m_resize);
    m_resize.reset();
    if (!resize)
        return;
    if (resize->isAlone) {
        m_links.remove(resize->window.handle); // its edges are its own now
        return;
    }
    QList<AxElement> moved{resize->window};
    for (const Member& member : resize->members) {
        if (member.asked)
            moved.append(member.window);
    }
    if (moved.size() < 2)
        return;
    // Linked where they are once the last writes have landed.
    m_writes.whenIdle([self = QPointer(this), moved] {
        if (self && self->m_isRunning)
            self->link(moved);
    });
}

void NeighbourResizer::link(const QList<AxElement>& windows) {
    // The groups of these windows become one, with them.
    QSet<quint64> groups;
    for (const AxElement window : windows) {
        if (const auto it = m_links.constFind(window.handle); it != m_links.cend())
            groups.insert(it->group);
    }
    const quint64 group = m_nextGroup++;
    for (Link& link : m_links) {
        if (groups.contains(link.group))
            link.group = group;
    }
    for (const AxElement window : windows) {
        if (const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window))
            m_links.insert(window.handle, {group, *frame});
    }
}

} // namespace corvane
