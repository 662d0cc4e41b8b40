#include "QuickSnapMonitor.h"

#include "control/HitTest.h"
#include "control/ScreenLookup.h"
#include "control/WindowLookup.h"
#include "model/ScreenGeometry.h"
#include "palette/PickedZoneWrite.h"
#include "platform/common/Log.h"

#include <QPointer>

namespace corvane {

namespace {

constexpr EventMask kMouseDownMask =
    maskOf(EventType::LeftMouseDown) | maskOf(EventType::RightMouseDown) | maskOf(EventType::OtherMouseDown);
constexpr EventMask kMouseUpMask =
    maskOf(EventType::LeftMouseUp) | maskOf(EventType::RightMouseUp) | maskOf(EventType::OtherMouseUp);

QRectF grown(const QRectF& rect, double by) {
    return rect.adjusted(-by, -by, by, by);
}

} // namespace

QuickSnapMonitor::QuickSnapMonitor(Platform& platform, FrameWriteQueue& frameWrites,
                                   const ZoneSpacingSettings& spacing, PalettePresenter& palette,
                                   const ExcludedApplications& excluded, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_frameWrites(frameWrites)
    , m_spacing(spacing)
    , m_palette(palette)
    , m_excluded(excluded)
    , m_isVerbose(platform.defaults.boolean(kQuickSnapVerboseKey).value_or(false)) {}

void QuickSnapMonitor::verbose(const QString& message) const {
    if (m_isVerbose)
        qCInfo(lcQuickSnap, "%s", qUtf8Printable(message));
}

void QuickSnapMonitor::start() {
    if (m_isRunning)
        return;
    m_isRunning = true;
    m_monitors.add(maskOf(EventType::MouseMoved), [this](const Event&) {
        evaluate(true);
        answerIfJudged();
    });
    m_monitors.add(kMouseDownMask, [this](const Event&) {
        cancelDwell();
        close();
        answerIfJudged();
    });
    m_monitors.add(maskOf(EventType::KeyDown), [this](const Event& e) {
        if (e.keyCode == keycode::kEscape)
            close();
    });
    // A drag that moved windows ends.
    m_monitors.add(kMouseUpMask, [this](const Event&) { readStaleCorners(); });
    m_observers.append(connect(&m_platform.workspace, &Workspace::activeSpaceDidChange, this, [this] {
        fetchCorners();
        close();
    }));
    m_observers.append(connect(&m_platform.application, &Application::screenParametersDidChange, this,
                               &QuickSnapMonitor::fetchCorners));
    WindowServer& windows = m_platform.windowServer;
    m_observers.append(connect(&windows, &WindowServer::windowAdded, this, &QuickSnapMonitor::noteWindow));
    m_observers.append(connect(&windows, &WindowServer::windowFrameChanged, this, [this](quint32 number) {
        if (m_corners.contains(number))
            noteWindow(number);
    }));
    m_observers.append(connect(&windows, &WindowServer::windowRemoved, this, [this](quint32 number) {
        m_staleCorners.remove(number);
        if (m_corners.remove(number))
            updateRegions();
    }));
    fetchCorners();
    qCDebug(lcGeneral) << "Quick Snap monitor started";
}

void QuickSnapMonitor::stop() {
    if (!m_isRunning)
        return;
    m_isRunning = false;
    m_monitors.removeAll();
    for (const QMetaObject::Connection& observer : m_observers)
        disconnect(observer);
    m_observers.clear();
    m_corners.clear();
    m_cornerList.clear();
    m_staleCorners.clear();
    m_recheck.reset();
    cancelDwell();
    close();
    m_platform.events.setMotionRegions({});
    answerIfJudged();
    qCDebug(lcGeneral) << "Quick Snap monitor stopped";
}

QPointF QuickSnapMonitor::pointerInAx() const {
    const QPointF p = m_platform.events.mouseLocation();
    return QPointF(p.x(), primaryScreenHeight(m_platform.screens) - p.y());
}

bool QuickSnapMonitor::isOnButton(const ButtonTarget& target) const {
    return rectContainsPoint(grown(target.button, buttonSlack), pointerInAx());
}

void QuickSnapMonitor::fetchCorners() {
    m_corners = titleBarCorners(m_platform);
    m_staleCorners.clear();
    updateRegions();
}

void QuickSnapMonitor::noteWindow(quint32 number) {
    m_staleCorners.insert(number);
    if (m_platform.events.pressedMouseButtons() == 0)
        readStaleCorners();
}

void QuickSnapMonitor::readStaleCorners() {
    if (m_staleCorners.isEmpty())
        return;
    for (const quint32 number : std::exchange(m_staleCorners, {})) {
        m_corners.remove(number);
        m_corners.insert(titleBarCorners(m_platform, number));
    }
    updateRegions();
}

// The corners as a list for the test at each move, and as the regions where motion matters, a pixel
// more all round: the desktop's edges and the corner test's need not agree to the pixel.
void QuickSnapMonitor::updateRegions() {
    const double h = primaryScreenHeight(m_platform.screens);
    const auto onScreen = [h](const QRectF& ax) {
        const QRectF r = grown(ax, 1);
        return screenFrameFromAx(r.topLeft(), r.size(), h);
    };
    m_cornerList.clear();
    QList<QRectF> regions;
    for (const std::optional<QRectF>& corner : std::as_const(m_corners)) {
        if (corner) {
            m_cornerList.append(*corner);
            regions.append(onScreen(*corner));
        }
    }
    // Leaving the button before the palette opens ends the dwell at once.
    if (m_candidate)
        regions.append(onScreen(grown(m_candidate->button, buttonSlack)));
    m_platform.events.setMotionRegions(regions);
}

void QuickSnapMonitor::evaluate(bool reset) {
    if (m_target)
        return;
    if (reset)
        m_retriesLeft = maxRetries;
    const QPointF p = pointerInAx();
    if (m_candidate && !rectContainsPoint(grown(m_candidate->button, buttonSlack), p)) {
        verbose(QStringLiteral("left the button before the palette opened"));
        cancelDwell();
    }
    if (m_platform.events.pressedMouseButtons() != 0) {
        cancelDwell();
        return;
    }
    if (m_candidate)
        return;
    if (!firstUnder(m_cornerList, p, std::identity(), rectContainsPoint))
        return;
    const double now = m_platform.runLoop.now();
    const double wait = m_lastQuery + queryIntervalSeconds - now;
    if (wait > 0) {
        scheduleRecheck(wait);
        return;
    }
    m_lastQuery = now;
    // A corner may lie under another window: the window now in front at the point decides.
    const std::optional<QRectF> corner = titleBarCornerAt(m_platform, p);
    if (!corner || !rectContainsPoint(*corner, p))
        return;
    if (const std::optional<ZoomButtonHit> hit = zoomButton(m_platform, p)) {
        if (m_excluded.isWindowExcluded(hit->window)) {
            verbose(QStringLiteral("maximize button of a window left alone"));
            return;
        }
        verbose(QStringLiteral("maximize button found; opening in %1s unless the pointer leaves")
                    .arg(dwellSeconds));
        m_candidate = ButtonTarget{hit->button, hit->window};
        m_dwellTimer = m_platform.runLoop.scheduleTimer(dwellSeconds, false, [this] { dwellFired(); });
        updateRegions();
        return;
    }
    verbose(
        QStringLiteral("in a button corner, no maximize button found (%1 retries left)").arg(m_retriesLeft));
    if (m_retriesLeft >= 1) {
        --m_retriesLeft;
        scheduleRecheck(retryInterval);
    }
}

void QuickSnapMonitor::scheduleRecheck(double delay) {
    if (m_recheck)
        return; // the pending recheck stands, whatever its delay
    m_recheck = m_platform.runLoop.scheduleTimer(delay, false, [this] {
        m_recheck.reset();
        evaluate(false);
        answerIfJudged();
    });
}

void QuickSnapMonitor::dwellFired() {
    m_dwellTimer.reset();
    if (m_candidate && m_platform.events.pressedMouseButtons() == 0 && isOnButton(*m_candidate)) {
        const ButtonTarget target = *m_candidate;
        cancelDwell();
        open(target);
    } else {
        cancelDwell();
    }
    answerIfJudged();
}

void QuickSnapMonitor::open(const ButtonTarget& target) {
    verbose(QStringLiteral("opened"));
    m_recheck.reset();
    m_target = target;
    m_outsideSince.reset();
    m_palette.show(target.button, [self = QPointer(this)](const QRectF& fraction) {
        if (self)
            self->apply(fraction);
    });
    m_watchTimer = m_platform.runLoop.scheduleTimer(watchPeriodSeconds, true, [this] { watch(); });
}

void QuickSnapMonitor::watch() {
    const std::optional<QRectF> panel = m_palette.shownFrame();
    if (!m_target || !panel) {
        close();
        return;
    }
    const double h = primaryScreenHeight(m_platform.screens);
    const QRectF buttonOnScreen = screenFrameFromAx(m_target->button.topLeft(), m_target->button.size(), h);
    const QRectF keepZone = grown(buttonOnScreen.united(*panel), keepZoneMargin);
    if (screenRectContainsPoint(keepZone, m_platform.events.mouseLocation())) {
        m_outsideSince.reset();
        return;
    }
    const double now = m_platform.runLoop.now();
    if (!m_outsideSince)
        m_outsideSince = now;
    else if (now - *m_outsideSince >= grace)
        close();
}

void QuickSnapMonitor::close() {
    // The watch timer may be the caller: its handle is released, never the running callback.
    m_watchTimer.reset();
    m_outsideSince.reset();
    // The palette may be another's now (the chord's): only the one this opened is hidden.
    if (std::exchange(m_target, std::nullopt) && m_palette.shownFrame())
        m_palette.hide();
}

void QuickSnapMonitor::whenJudged(std::function<void()> then) {
    m_judgedWaiters.append(std::move(then));
    answerIfJudged();
}

void QuickSnapMonitor::answerIfJudged() {
    if (m_candidate || m_recheck)
        return;
    for (const std::function<void()>& then : std::exchange(m_judgedWaiters, {}))
        then();
}

void QuickSnapMonitor::cancelDwell() {
    m_dwellTimer.reset();
    if (std::exchange(m_candidate, std::nullopt))
        updateRegions();
}

void QuickSnapMonitor::apply(const QRectF& fraction) {
    if (!m_target)
        return;
    const ButtonTarget target = *m_target;
    close();
    writePickedZone(m_platform, m_frameWrites, m_spacing.spacing(), target.window, target.button, fraction,
                    m_swap);
}

} // namespace corvane
