#include "WindowPlacer.h"

#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "model/ScreenGeometry.h"
#include "platform/common/Log.h"

namespace corvane {

WindowPlacer::WindowPlacer(Platform& platform, FrameWriteQueue& writes, const ZoneSpacingSettings& spacing,
                           const ExcludedApplications& excluded, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_writes(writes)
    , m_spacing(spacing)
    , m_excluded(excluded) {
    appDidActivate(m_platform.workspace.frontmostApplication());
    connect(&m_platform.workspace, &Workspace::didActivateApplication, this, &WindowPlacer::appDidActivate);
}

void WindowPlacer::appDidActivate(std::optional<RunningApplication> application) {
    // Activations of Corvane itself never replace the user's application.
    if (application && application->pid != m_platform.workspace.currentProcessId())
        m_lastActiveApp = application;
}

QList<RunningApplication> WindowPlacer::targetCandidates() const {
    const qint32 self = m_platform.workspace.currentProcessId();
    QList<RunningApplication> applications;
    if (m_lastActiveApp && m_lastActiveApp->pid != self)
        applications.append(*m_lastActiveApp);
    const std::optional<RunningApplication> front = m_platform.workspace.frontmostApplication();
    if (front && front->pid != self)
        applications.append(*front);
    return applications;
}

std::optional<WindowPlacer::Target> WindowPlacer::target(bool isFrameNeeded) {
    m_excludedTarget.reset();
    const double h = primaryScreenHeight(m_platform.screens);
    if (h <= 0) {
        qCDebug(lcGeneral) << "No window to act on: no screen";
        return std::nullopt;
    }
    const QList<RunningApplication> candidates = targetCandidates();
    for (const RunningApplication& application : candidates) {
        const std::optional<AxElement> window = focusedWindowOf(m_platform.accessibility, application.pid);
        if (!window) {
            qCDebug(lcGeneral) << "No focused window in process" << application.pid;
            continue;
        }
        if (m_excluded.isExcluded(application)) {
            qCDebug(lcGeneral) << "Not acting on a window of" << application.name << ": it is left alone";
            m_excludedTarget = application;
            return std::nullopt;
        }
        if (!isFrameNeeded)
            return Target{*window, application, {}};
        if (const std::optional<QRectF> ax = axFrameOf(m_platform.accessibility, *window))
            return Target{*window, application, screenFrameFromAx(ax->topLeft(), ax->size(), h)};
        qCDebug(lcGeneral) << "The frame of process" << application.pid
                           << "'s focused window could not be read";
    }
    if (candidates.isEmpty())
        qCDebug(lcGeneral) << "No window to act on: no application of another process was active";
    return std::nullopt;
}

std::optional<QRectF> WindowPlacer::focusedWindowFrame() {
    const std::optional<Target> found = target();
    return found ? std::optional(found->frame) : std::nullopt;
}

bool WindowPlacer::setFocusedWindowFrame(const QRectF& frame, const Screen& screen, WriteDone done,
                                         RememberedFrame remembered) {
    const std::optional<Target> found = target(false);
    if (!found)
        return false;
    requestWrite(found->window, found->application, frame, screen, std::move(done), remembered);
    return true;
}

void WindowPlacer::requestWrite(AxElement window, std::optional<RunningApplication> activated,
                                const QRectF& frame, const Screen& screen, WriteDone done,
                                RememberedFrame remembered, std::optional<ZonePlace> zone) {
    m_writes.write({.window = window,
                    .application = std::move(activated),
                    .frame = frame,
                    .primaryHeight = primaryScreenHeight(m_platform.screens),
                    .visibleFrame = screen.visibleFrame,
                    .remembered = remembered,
                    .zone = std::move(zone)},
                   std::move(done));
}

Placement WindowPlacer::snapFocusedWindow(const QRectF& fraction, std::optional<Screen> screen,
                                          WriteDone done, const QString& layoutName) {
    return snapFocusedWindow(fraction, std::move(screen), std::move(done), layoutName, m_spacing.spacing());
}

Placement WindowPlacer::snapFocusedWindow(const QRectF& fraction, std::optional<Screen> screen,
                                          WriteDone done, const QString& layoutName, ZoneSpacing spacing) {
    const std::optional<Target> found = target();
    if (!found)
        return noTarget();
    if (!screen)
        screen = screenContaining(m_platform.screens, found->frame);
    if (!screen)
        return Placement::NoTargetWindow;
    requestWrite(found->window, found->application, screenRect(fraction, screen->visibleFrame, spacing),
                 *screen, std::move(done), RememberedFrame::Keep,
                 ZonePlace{layoutName, fraction, screen->id, screen->name});
    return Placement::Requested;
}

void WindowPlacer::placeInZone(AxElement window, std::optional<RunningApplication> activated,
                               const ZonePlace& zone, const Screen& screen, WriteDone done) {
    requestWrite(window, std::move(activated),
                 screenRect(zone.fraction, screen.visibleFrame, m_spacing.spacing()), screen, std::move(done),
                 RememberedFrame::Keep, zone);
}

void WindowPlacer::placeAt(AxElement window, std::optional<RunningApplication> activated, const QRectF& frame,
                           const Screen& screen, WriteDone done) {
    requestWrite(window, std::move(activated), frame, screen, std::move(done));
}

Placement WindowPlacer::resizeFocusedWindow(double width, double height, WriteDone done) {
    const std::optional<Target> found = target();
    if (!found)
        return noTarget();
    const double w = clampedWindowDimension(width);
    const double h = clampedWindowDimension(height);
    const std::optional<Screen> screen = screenContaining(m_platform.screens, found->frame);
    if (!screen)
        return Placement::NoTargetWindow;
    const QRectF& v = screen->visibleFrame;
    requestWrite(found->window, found->application,
                 QRectF(v.center().x() - w * 0.5, v.center().y() - h * 0.5, w, h), *screen, std::move(done));
    return Placement::Requested;
}

Placement WindowPlacer::moveToAdjacentScreen(qint64 step, WriteDone done) {
    const std::optional<QRectF> frame = focusedWindowFrame();
    if (!frame)
        return noTarget();
    const QList<Screen> screens = m_platform.screens.screens();
    const std::optional<Screen> current = screenContaining(m_platform.screens, *frame);
    qsizetype i = -1;
    for (qsizetype k = 0; current && k < screens.size(); ++k) {
        if (screens[k].isSameScreen(*current))
            i = k;
    }
    if (i < 0)
        return Placement::NoOtherScreen;
    qint64 t = qint64(i) + std::clamp<qint64>(step, -1, 1);
    if (t >= screens.size())
        t = 0;
    else if (t < 0)
        t = screens.size() - 1;
    if (t == i)
        return Placement::NoOtherScreen;
    const QRectF& v = current->visibleFrame;
    // A screen with no usable area gives no relative frame to carry over.
    if (!(v.width() > 0) || !(v.height() > 0))
        return Placement::NoOtherScreen;
    // The window's own frame, carried over as it is: no zone, so no spacing is taken off again.
    return snapFocusedWindow(fractionOf(*frame, v), screens.at(t), std::move(done), QString(), ZoneSpacing{});
}

Placement WindowPlacer::restoreFocusedWindow(WriteDone done) {
    const std::optional<Target> found = target(false);
    if (!found)
        return noTarget();
    const RememberedFrameRead remembered = rememberedFrameOf(m_platform.accessibility, found->window);
    if (remembered.isInvalid)
        return Placement::InvalidRememberedFrame;
    if (!remembered.frame)
        return Placement::NothingToRestore;
    // A frame off every screen now (one that was unplugged) comes back onto the screen the writer
    // keeps its title bar on.
    const QRectF frame = screenFrameFromAx(remembered.frame->topLeft(), remembered.frame->size(),
                                           primaryScreenHeight(m_platform.screens));
    const std::optional<Screen> screen = screenContaining(m_platform.screens, frame);
    if (!screen)
        return Placement::NoTargetWindow;
    requestWrite(found->window, found->application, frame, *screen, std::move(done), RememberedFrame::Forget);
    return Placement::Requested;
}

} // namespace corvane
