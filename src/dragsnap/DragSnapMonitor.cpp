#include "DragSnapMonitor.h"

#include "control/HitTest.h"
#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "control/WindowLookup.h"
#include "dragsnap/TraceFormat.h"
#include "model/ScreenGeometry.h"
#include "platform/common/Log.h"

#include <cmath>

namespace corvane {

DragSnapMonitor::DragSnapMonitor(Platform& platform, FrameWriteQueue& frameWrites, LayoutResolver layoutNamed,
                                 const DragSnapSettings& settings, const ZoneSpacingSettings& spacing,
                                 const ExcludedApplications& excluded, SnapPreview& preview, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_frameWrites(frameWrites)
    , m_layoutNamed(std::move(layoutNamed))
    , m_settings(settings)
    , m_spacing(spacing)
    , m_excluded(excluded)
    , m_preview(preview)
    , m_isVerbose(platform.defaults.boolean(kDragSnapVerboseKey).value_or(false)) {}

void DragSnapMonitor::trace(const QString& message) const {
    if (m_isVerbose)
        qCInfo(lcDragSnap, "%s", qUtf8Printable(message));
}

void DragSnapMonitor::start() {
    if (m_isRunning)
        return;
    m_isRunning = true;
    m_monitors.add(maskOf(EventType::LeftMouseDown), [this](const Event& e) { handleMouseDown(e); });
    m_monitors.add(maskOf(EventType::LeftMouseDragged), [this](const Event& e) { handleMouseDragged(e); });
    m_monitors.add(maskOf(EventType::LeftMouseUp), [this](const Event& e) { handleMouseUp(e); });
    qCDebug(lcGeneral) << "Drag-snap monitor started";
}

void DragSnapMonitor::stop() {
    if (!m_isRunning)
        return;
    m_isRunning = false;
    m_monitors.removeAll();
    resetDrag();
    qCDebug(lcGeneral) << "Drag-snap monitor stopped";
}

void DragSnapMonitor::resetDrag() {
    m_candidateWindow.reset();
    m_probeRetry.reset();
    m_restoring.reset();
    m_isDragConfirmed = false;
    m_isAbandoned = false;
    m_candidateFormer.reset();
    leaveRow();
    clearPending();
}

void DragSnapMonitor::clearPending() {
    m_pendingRect.reset();
    m_pendingScreen.reset();
    m_occupant.reset();
    m_displacedFrame.reset();
    m_occupantLookedUp.reset();
    m_preview.hide();
}

void DragSnapMonitor::handleMouseDown(const Event& event) {
    resetDrag();
    m_downPoint = m_platform.events.mouseLocation();
    m_downTimestamp = event.timestamp;
    const QPointF probe(m_downPoint.x(), primaryScreenHeight(m_platform.screens) - m_downPoint.y());
    const std::optional<AxElement> element = windowElement(m_platform, probe);
    if (!element) {
        trace(QStringLiteral("DOWN at %1 -> no window element").arg(tracePoint(m_downPoint)));
        return;
    }
    if (m_excluded.isWindowExcluded(*element)) {
        trace(QStringLiteral("DOWN at %1 -> a window left alone").arg(tracePoint(m_downPoint)));
        return;
    }
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, *element);
    if (!frame) {
        trace(QStringLiteral("DOWN at %1 -> window found but no frame").arg(tracePoint(m_downPoint)));
        return;
    }
    m_candidateWindow = element;
    m_candidateOrigin = frame->topLeft();
    m_candidateSize = frame->size();
    if (m_swapper && m_settings.swapsOnDrop())
        m_candidateFormer =
            m_swapper->formerPlaceOf(*element, screenFrameFromAx(frame->topLeft(), frame->size(),
                                                                 primaryScreenHeight(m_platform.screens)));
    const std::optional<WindowHit> hit = windowAt(m_platform, probe);
    if (hit && framesMatch(hit->bounds, *frame)) {
        m_candidateListedWindow = hit->number;
        trace(QStringLiteral("DOWN at %1 -> %2 | list#%3 agrees")
                  .arg(tracePoint(m_downPoint), traceRect(*frame))
                  .arg(m_candidateListedWindow));
    } else {
        m_candidateListedWindow = 0;
        trace(QStringLiteral("DOWN at %1 -> %2 | no list match, falling back to ax")
                  .arg(tracePoint(m_downPoint), traceRect(*frame)));
    }
}

void DragSnapMonitor::handleMouseDragged(const Event& event) {
    if (!m_candidateWindow || m_isAbandoned)
        return;
    const QPointF cursor = m_platform.events.mouseLocation();
    if (!m_isDragConfirmed) {
        if (!(event.timestamp - m_lastProbe > probeInterval)) {
            // The pointer may come to rest here, with no motion after it: the window is probed once
            // the interval is over all the same, so the zone under a resting pointer shows.
            if (!m_probeRetry)
                m_probeRetry =
                    m_platform.runLoop.scheduleTimer(probeInterval, false, [this, retried = event]() mutable {
                        m_probeRetry.reset();
                        retried.timestamp += probeInterval;
                        handleMouseDragged(retried);
                    });
            return;
        }
        m_probeRetry.reset();
        m_lastProbe = event.timestamp;
        const bool isWindowList = m_candidateListedWindow != 0;
        const QString source = isWindowList ? QStringLiteral("list") : QStringLiteral("ax");
        const std::optional<QRectF> current = isWindowList
                                                  ? windowBounds(m_platform, m_candidateListedWindow)
                                                  : axFrameOf(m_platform.accessibility, *m_candidateWindow);
        if (!current) {
            trace(QStringLiteral("PROBE -> %1 failed, abandoning")
                      .arg(isWindowList ? "windowBounds" : "axFrame"));
            m_isAbandoned = true;
            return;
        }
        const double dW = std::abs(current->width() - m_candidateSize.width());
        const double dH = std::abs(current->height() - m_candidateSize.height());
        const double moved =
            std::hypot(current->x() - m_candidateOrigin.x(), current->y() - m_candidateOrigin.y());
        const double cursorMoved = std::hypot(cursor.x() - m_downPoint.x(), cursor.y() - m_downPoint.y());
        trace(
            QStringLiteral("PROBE %1Moved=%2 cursor=%3 dSize=%4x%5")
                .arg(source, traceNumber(moved), traceNumber(cursorMoved), traceNumber(dW), traceNumber(dH)));
        if (dW > sizeTolerance || dH > sizeTolerance) {
            trace(QStringLiteral("ABANDON: size changed by %1x%2").arg(traceNumber(dW), traceNumber(dH)));
            m_isAbandoned = true;
            return;
        }
        if (moved > (isWindowList ? windowListMoveThreshold : accessibilityMoveThreshold)) {
            trace(QStringLiteral("CONFIRMED via %1 after %2pt").arg(source, traceNumber(moved)));
            m_isDragConfirmed = true;
            if (m_resizer)
                m_resizer->windowDragged(*m_candidateWindow);
            if (m_settings.restoresSizeOnDrag())
                restoreSizeUnderPointer(cursor, *current);
        } else {
            if (event.timestamp - m_downTimestamp > giveUpTime) {
                trace(QStringLiteral("ABANDON: %1s elapsed, window never moved")
                          .arg(traceNumber(event.timestamp - m_downTimestamp)));
                m_isAbandoned = true;
            }
            return;
        }
    }
    chooseZone(event, cursor);
}

void DragSnapMonitor::chooseZone(const Event& event, QPointF cursor) {
    if (event.modifierFlags & modifier::kCommand) {
        leaveRow();
        clearPending(); // placing the window freely
        return;
    }
    const std::optional<Screen> screen = screenAt(m_platform.screens, cursor);
    if (!screen) {
        leaveRow();
        clearPending();
        return;
    }
    if (isInTopBand(*screen, cursor) && chooseOnRow(*screen, cursor))
        return;
    leaveRow();
    if (m_settings.trigger() == DragSnapSettings::Trigger::ScreenEdges) {
        const QRectF& f = screen->frame;
        const double margin = DragSnapSettings::edgeMargin;
        const bool isNearEdge = cursor.x() - f.left() < margin || f.right() - cursor.x() < margin ||
                                cursor.y() - f.top() < margin || f.bottom() - cursor.y() < margin;
        if (!isNearEdge) {
            clearPending();
            return;
        }
    }
    const std::optional<SnapLayout> layout = m_layoutNamed(m_settings.layoutNameFor(*screen));
    if (!layout) {
        clearPending();
        return;
    }
    const QRectF& v = screen->visibleFrame;
    const QPointF p(std::min(std::max(cursor.x(), v.left() + clampInset), v.right() - clampInset),
                    std::min(std::max(cursor.y(), v.top() + clampInset), v.bottom() - clampInset));
    const auto frameOf = [&v](const SnapZone& zone) { return screenRect(zone.rect, v); };
    if (const std::optional<SnapZone> zone = firstUnder(layout->zones, p, frameOf, screenRectContainsPoint)) {
        const bool isSpanning =
            (event.modifierFlags & DragSnapSettings::modifierFlag(m_settings.spanKey())) && m_pendingRect &&
            m_pendingScreen && m_pendingScreen->isSameScreen(*screen);
        m_pendingRect = isSpanning ? m_pendingRect->united(zone->rect) : zone->rect;
        m_pendingScreen = screen;
        m_pendingLayoutName = m_settings.layoutNameFor(*screen);
        showPending(screenRect(*m_pendingRect, v, m_spacing.spacing()));
        return;
    }
    trace(QStringLiteral("no zone of '%1' contains %2").arg(layout->name, tracePoint(p)));
    clearPending();
}

bool DragSnapMonitor::isInTopBand(const Screen& screen, QPointF cursor) const {
    if (!m_rowPalette || !m_settings.showsTopPalette())
        return false;
    if (cursor.y() > screen.visibleFrame.bottom() - DragSnapSettings::edgeMargin)
        return true; // screen coordinates are y up: the visible frame's top edge is its bottom()
    const std::optional<QRectF> row = m_isOnRow ? m_rowPalette->shownFrame() : std::nullopt;
    return row && screenRectContainsPoint(*row, cursor);
}

bool DragSnapMonitor::chooseOnRow(const Screen& screen, QPointF cursor) {
    const std::optional<PaletteZone> zone = m_rowPalette->showRow(screen, cursor);
    if (!zone && !m_rowPalette->shownFrame())
        return false;
    if (!m_isOnRow)
        trace(QStringLiteral("ROW shown at the top of %1").arg(screen.name));
    m_isOnRow = true;
    if (!zone) {
        clearPending();
        return true;
    }
    m_pendingRect = zone->fraction;
    m_pendingScreen = screen;
    m_pendingLayoutName = zone->layoutName;
    showPending(screenRect(zone->fraction, screen.visibleFrame, m_spacing.spacing()));
    return true;
}

// The windows in zones, and where the one displaced goes, are read once each time the pointer enters
// another zone, never on every motion.
void DragSnapMonitor::showPending(const QRectF& frame) {
    if (!m_candidateFormer || !m_swapper) {
        m_preview.show(frame, std::nullopt);
        return;
    }
    const std::pair<QRectF, quint64> zone(*m_pendingRect, m_pendingScreen->id);
    if (m_occupantLookedUp != zone) {
        m_occupantLookedUp = zone;
        m_occupant =
            m_swapper->occupantOf(*m_candidateWindow, *m_candidateFormer, zone.first, *m_pendingScreen);
        m_displacedFrame = m_occupant ? m_swapper->frameAt(*m_candidateFormer) : std::nullopt;
    }
    m_preview.show(frame, m_displacedFrame);
}

void DragSnapMonitor::leaveRow() {
    if (std::exchange(m_isOnRow, false) && m_rowPalette)
        m_rowPalette->hide();
}

void DragSnapMonitor::restoreSizeUnderPointer(QPointF cursor, const QRectF& current) {
    const std::optional<QRectF> remembered =
        rememberedFrameOf(m_platform.accessibility, *m_candidateWindow).frame;
    const double h = primaryScreenHeight(m_platform.screens);
    if (!remembered || !(h > 0) || !(current.width() > 0))
        return;
    m_restoring = RestoredSize{remembered->size(), (cursor.x() - current.x()) / current.width(),
                               (h - cursor.y()) - current.y()};
    m_frameWrites.write({.window = *m_candidateWindow,
                         .frame = m_restoring->frameAt(cursor, h),
                         .primaryHeight = h,
                         .write = FrameWrite::Follow});
}

QRectF DragSnapMonitor::RestoredSize::frameAt(QPointF cursor, double primaryHeight) const {
    const QPointF axTopLeft(cursor.x() - grabFraction * size.width(),
                            (primaryHeight - cursor.y()) - grabBelowTop);
    return screenFrameFromAx(axTopLeft, size, primaryHeight);
}

// Some window managers keep the size a window had when their move began until the move ends, so the
// restored size is written again where the window was dropped; then it is the window's own again.
void DragSnapMonitor::placeRestoredWindow(AxElement window, const RestoredSize& restored, QPointF cursor) {
    const double h = primaryScreenHeight(m_platform.screens);
    if (!(h > 0))
        return;
    const QRectF frame = restored.frameAt(cursor, h);
    const std::optional<Screen> screen = screenContaining(m_platform.screens, frame);
    if (!screen)
        return;
    m_frameWrites.write({.window = window,
                         .frame = frame,
                         .primaryHeight = h,
                         .visibleFrame = screen->visibleFrame,
                         .write = FrameWrite::Pointed,
                         .remembered = RememberedFrame::Forget});
}

void DragSnapMonitor::handleMouseUp(const Event&) {
    const std::optional<AxElement> window = m_candidateWindow;
    const std::optional<QRectF> rect = m_pendingRect;
    const std::optional<Screen> screen = m_pendingScreen;
    const QString layoutName = m_pendingLayoutName;
    const bool wasConfirmed = m_isDragConfirmed;
    const std::optional<RestoredSize> restoring = m_restoring;
    const std::optional<AxElement> occupant = m_occupant;
    const std::optional<ZoneSwapper::FormerPlace> former = m_candidateFormer;
    resetDrag();
    trace(QStringLiteral("UP confirmed=%1 pending=%2")
              .arg(wasConfirmed ? "true" : "false", rect ? "true" : "false"));
    if (wasConfirmed && window && rect && screen) {
        m_platform.runLoop.postAfter(
            applyDelaySeconds, this,
            [this, w = *window, r = *rect, s = *screen, layoutName, occupant, former] {
                if (occupant && former && m_swapper)
                    m_swapper->displace(*occupant, *former);
                snap(w, r, s, layoutName);
            });
    } else if (wasConfirmed && window && restoring) {
        m_platform.runLoop.postAfter(
            applyDelaySeconds, this,
            [this, w = *window, r = *restoring, cursor = m_platform.events.mouseLocation()] {
                placeRestoredWindow(w, r, cursor);
            });
    }
}

void DragSnapMonitor::snap(AxElement window, const QRectF& fraction, const Screen& screen,
                           const QString& layoutName) {
    const double h = primaryScreenHeight(m_platform.screens);
    if (!(h > 0))
        return;
    m_frameWrites.write({.window = window,
                         .frame = screenRect(fraction, screen.visibleFrame, m_spacing.spacing()),
                         .primaryHeight = h,
                         .visibleFrame = screen.visibleFrame,
                         .write = FrameWrite::Pointed,
                         .zone = ZonePlace{layoutName, fraction, screen.id, screen.name}});
}

} // namespace corvane
