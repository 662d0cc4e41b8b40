#include "WindowController.h"

#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "model/BuiltInLayouts.h"
#include "model/ScreenGeometry.h"

#include <cmath>

namespace corvane {

WindowController::~WindowController() {
    m_keyMonitor.stop();
}

QList<RunningApplication> WindowController::targetCandidates() const {
    const qint32 self = m_platform.workspace.currentProcessId();
    QList<RunningApplication> applications;
    if (m_lastActiveApp && m_lastActiveApp->pid != self)
        applications.append(*m_lastActiveApp);
    const std::optional<RunningApplication> front = m_platform.workspace.frontmostApplication();
    if (front && front->pid != self)
        applications.append(*front);
    return applications;
}

std::optional<WindowController::Target> WindowController::target(bool isFrameNeeded) {
    const double h = primaryScreenHeight(m_platform.screens);
    if (h <= 0)
        return std::nullopt;
    for (const RunningApplication& application : targetCandidates()) {
        const std::optional<AxElement> window = focusedWindowOf(m_platform.accessibility, application.pid);
        if (!window)
            continue;
        if (!isFrameNeeded)
            return Target{*window, application, {}};
        if (const std::optional<QRectF> ax = axFrameOf(m_platform.accessibility, *window))
            return Target{*window, application, screenFrameFromAx(ax->topLeft(), ax->size(), h)};
    }
    return std::nullopt;
}

std::optional<QRectF> WindowController::focusedWindowFrame() {
    const std::optional<Target> found = target();
    return found ? std::optional(found->frame) : std::nullopt;
}

bool WindowController::setFocusedWindowFrame(const QRectF& frame, const Screen& screen, WriteDone done,
                                             RememberedFrame remembered) {
    const std::optional<Target> found = target(false);
    if (!found)
        return false;
    requestWrite(*found, frame, screen, std::move(done), remembered);
    return true;
}

void WindowController::requestWrite(const Target& target, const QRectF& frame, const Screen& screen,
                                    WriteDone done, RememberedFrame remembered) {
    m_writes.write({target.window, target.application, frame, primaryScreenHeight(m_platform.screens),
                    screen.visibleFrame, remembered},
                   std::move(done));
}

std::optional<SnapLayout> WindowController::layout(const QString& name) const {
    for (const SnapLayout& builtIn : builtInLayouts()) {
        if (builtIn.name == name)
            return builtIn;
    }
    for (const Preset& preset : m_presets) {
        if (preset.name == name)
            return preset.gridLayout(); // the first preset of that name decides
    }
    return std::nullopt;
}

Placement WindowController::snapFocusedWindow(const QRectF& fraction, std::optional<Screen> screen,
                                              WriteDone done) {
    const std::optional<Target> found = target();
    if (!found)
        return Placement::NoTargetWindow;
    if (!screen)
        screen = screenContaining(m_platform.screens, found->frame);
    if (!screen)
        return Placement::NoTargetWindow;
    requestWrite(*found, screenRect(fraction, screen->visibleFrame), *screen, std::move(done));
    return Placement::Requested;
}

Placement WindowController::resizeFocusedWindow(double width, double height, WriteDone done) {
    const std::optional<Target> found = target();
    if (!found)
        return Placement::NoTargetWindow;
    const double w = clampedWindowDimension(width);
    const double h = clampedWindowDimension(height);
    const std::optional<Screen> screen = screenContaining(m_platform.screens, found->frame);
    if (!screen)
        return Placement::NoTargetWindow;
    const QRectF& v = screen->visibleFrame;
    requestWrite(*found, QRectF(v.center().x() - w * 0.5, v.center().y() - h * 0.5, w, h), *screen,
                 std::move(done));
    return Placement::Requested;
}

Placement WindowController::enterCycle(const QString& name, const SnapLayout& layout, qint64 index,
                                       WriteDone done) {
    m_lastActiveLayoutName = name;
    m_currentZoneIndex = index;
    m_isCyclingActive = true;
    restartCycleTimeout();
    return snapFocusedWindow(layout.zones.at(index).rect, std::nullopt, std::move(done));
}

Placement WindowController::applyLayout(const QString& name, WriteDone done) {
    const std::optional<SnapLayout> found = layout(name);
    if (found && !found->zones.isEmpty())
        return enterCycle(name, *found, 0, std::move(done));
    for (const Preset& preset : m_presets) {
        if (preset.name != name)
            continue;
        if (!preset.isSizePreset())
            break;
        m_lastActiveLayoutName.reset();
        endCycle();
        return resizeFocusedWindow(*preset.width, *preset.height, std::move(done));
    }
    return Placement::UnknownLayout;
}

Placement WindowController::snapToZone(const QString& name, qint64 index, WriteDone done) {
    const std::optional<SnapLayout> found = layout(name);
    if (!found || found->zones.isEmpty())
        return Placement::UnknownLayout;
    if (index < 0 || index >= found->zones.size())
        return Placement::NoSuchZone;
    return enterCycle(name, *found, index, std::move(done));
}

Placement WindowController::cycleZone(qint64 step, WriteDone done) {
    if (!m_lastActiveLayoutName)
        return Placement::NoCycledLayout;
    restartCycleTimeout();
    const std::optional<SnapLayout> cycled = layout(*m_lastActiveLayoutName);
    const qsizetype count = cycled ? cycled->zones.size() : 0;
    if (count == 0)
        return Placement::NoCycledLayout;
    qint64 i = 0;
    if (__builtin_add_overflow(m_currentZoneIndex, step, &i) || i >= count)
        i = step < 0 ? count - 1 : 0;
    else if (i < 0)
        i = count - 1;
    m_currentZoneIndex = i;
    return snapFocusedWindow(cycled->zones.at(i).rect, std::nullopt, std::move(done));
}

Placement WindowController::moveToAdjacentScreen(qint64 step, WriteDone done) {
    m_isCyclingActive = false; // the timer runs out on its own
    const std::optional<QRectF> frame = focusedWindowFrame();
    if (!frame)
        return Placement::NoTargetWindow;
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
    const QRectF relative((frame->x() - v.x()) / v.width(),
                          ((v.y() + v.height()) - (frame->y() + frame->height())) / v.height(),
                          frame->width() / v.width(), frame->height() / v.height());
    return snapFocusedWindow(relative, screens.at(t), std::move(done));
}

Placement WindowController::restoreFocusedWindow(WriteDone done) {
    const std::optional<Target> found = target(false);
    if (!found)
        return Placement::NoTargetWindow;
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
    requestWrite(*found, frame, *screen, std::move(done), RememberedFrame::Forget);
    return Placement::Requested;
}

void WindowController::restartCycleTimeout() {
    m_platform.runLoop.post(this, [this] {
        m_cycleTimeoutTimer =
            m_platform.runLoop.scheduleTimer(cycleTimeoutSeconds, false, [this] { endCycle(); });
    });
}

void WindowController::endCycle() {
    m_platform.runLoop.post(this, [this] {
        m_isCyclingActive = false;
        m_cycleTimeoutTimer.reset();
    });
}

void WindowController::handleKeyEvent(const Event& event) {
    // A chord being recorded in the settings window is not acted on.
    if (m_platform.keyGrabs.isKeyboardGrabbed())
        return;
    const auto action = std::find_if(m_hotkeyChords.cbegin(), m_hotkeyChords.cend(),
                                     [&event](const KeyChord& chord) { return matchesChord(chord, event); });
    if (action == m_hotkeyChords.cend())
        return;
    const auto which = HotkeyAction(action - m_hotkeyChords.cbegin());
    if (const std::optional<int> number = layoutNumber(which)) {
        const auto entry = m_hotkeyAssignments.constFind(*number);
        if (entry != m_hotkeyAssignments.cend() && !entry->isEmpty())
            applyLayout(*entry);
        return;
    }
    const qint64 direction = which == HotkeyAction::Previous ? -1 : 1;
    if (m_isCyclingActive)
        cycleZone(direction);
    else
        moveToAdjacentScreen(direction);
}

} // namespace corvane
