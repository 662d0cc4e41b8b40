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

std::optional<QRectF> WindowController::focusedWindowFrame() {
    const double h = primaryScreenHeight(m_platform.screens);
    if (h <= 0)
        return std::nullopt;
    const qint32 self = m_platform.workspace.currentProcessId();
    if (m_lastActiveApp && m_lastActiveApp->pid != self) {
        if (auto frame = frameOfFocusedWindow(m_platform.accessibility, m_lastActiveApp->pid, h))
            return frame;
    }
    const std::optional<RunningApplication> front = m_platform.workspace.frontmostApplication();
    if (front && front->pid != self)
        return frameOfFocusedWindow(m_platform.accessibility, front->pid, h);
    return std::nullopt;
}

void WindowController::setFocusedWindowFrame(const QRectF& frame, const Screen& screen) {
    const double h = primaryScreenHeight(m_platform.screens);
    if (h <= 0)
        return;
    const qint32 self = m_platform.workspace.currentProcessId();
    const QRectF visibleFrame = screen.visibleFrame;
    const std::optional<qint32> lastPid =
        m_lastActiveApp ? std::optional(m_lastActiveApp->pid) : std::nullopt;
    // The work item may outlive this controller: it holds only the platform and copied values.
    Platform& platform = m_platform;
    m_platform.backgroundQueue.async([&platform, frame, h, self, visibleFrame, lastPid] {
        const auto writeAndActivate = [&](qint32 pid, std::optional<RunningApplication> app) {
            if (!writeFocusedWindowFrame(platform.accessibility, platform.runLoop, pid, frame, h,
                                         visibleFrame))
                return false;
            if (!app) {
                for (const RunningApplication& running : platform.workspace.runningApplications()) {
                    if (running.pid == pid)
                        app = running;
                }
            }
            if (app) {
                Workspace& workspace = platform.workspace;
                platform.runLoop.post(
                    [&workspace, target = *app] { activateTargetApplication(workspace, target); });
            }
            return true;
        };
        if (lastPid && *lastPid != self && writeAndActivate(*lastPid, std::nullopt))
            return;
        const std::optional<RunningApplication> front = platform.workspace.frontmostApplication();
        if (front && front->pid != self)
            writeAndActivate(front->pid, front);
    });
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

void WindowController::snapFocusedWindow(const QRectF& fraction, std::optional<Screen> screen) {
    const std::optional<QRectF> frame = focusedWindowFrame();
    if (!frame)
        return;
    if (!screen)
        screen = screenContaining(m_platform.screens, *frame);
    if (!screen)
        return;
    setFocusedWindowFrame(screenRect(fraction, screen->visibleFrame), *screen);
}

void WindowController::resizeFocusedWindow(double width, double height) {
    const std::optional<QRectF> frame = focusedWindowFrame();
    if (!frame)
        return;
    const double w = clampedWindowDimension(width);
    const double h = clampedWindowDimension(height);
    const std::optional<Screen> screen = screenContaining(m_platform.screens, *frame);
    if (!screen)
        return;
    const QRectF& v = screen->visibleFrame;
    setFocusedWindowFrame(QRectF(v.center().x() - w * 0.5, v.center().y() - h * 0.5, w, h), *screen);
}

void WindowController::applyLayout(const QString& name) {
    const std::optional<SnapLayout> found = layout(name);
    if (found && !found->zones.isEmpty()) {
        m_lastActiveLayoutName = name;
        m_currentZoneIndex = 0;
        m_isCyclingActive = true;
        restartCycleTimeout();
        snapFocusedWindow(found->zones.first().rect);
        return;
    }
    for (const Preset& preset : m_presets) {
        if (preset.name != name)
            continue;
        if (preset.isSizePreset()) {
            m_lastActiveLayoutName.reset();
            endCycle();
            resizeFocusedWindow(*preset.width, *preset.height);
        }
        return;
    }
}

void WindowController::cycleZone(qint64 step) {
    if (!m_lastActiveLayoutName)
        return;
    restartCycleTimeout();
    const std::optional<SnapLayout> cycled = layout(*m_lastActiveLayoutName);
    const qsizetype count = cycled ? cycled->zones.size() : 0;
    if (count == 0)
        return;
    qint64 i = 0;
    if (__builtin_add_overflow(m_currentZoneIndex, step, &i) || i >= count)
        i = step < 0 ? count - 1 : 0;
    else if (i < 0)
        i = count - 1;
    m_currentZoneIndex = i;
    snapFocusedWindow(cycled->zones.at(i).rect);
}

void WindowController::moveToAdjacentScreen(qint64 step) {
    m_isCyclingActive = false; // the timer runs out on its own
    const std::optional<QRectF> frame = focusedWindowFrame();
    if (!frame)
        return;
    const QList<Screen> screens = m_platform.screens.screens();
    if (screens.isEmpty())
        return;
    const std::optional<Screen> current = screenContaining(m_platform.screens, *frame);
    qsizetype i = -1;
    for (qsizetype k = 0; current && k < screens.size(); ++k) {
        if (screens[k].isSameScreen(*current))
            i = k;
    }
    if (i < 0)
        return;
    qint64 t = qint64(i) + std::clamp<qint64>(step, -1, 1);
    if (t >= screens.size())
        t = 0;
    else if (t < 0)
        t = screens.size() - 1;
    if (t == i)
        return;
    const QRectF& v = current->visibleFrame;
    // A screen with no usable area gives no relative frame to carry over.
    if (!(v.width() > 0) || !(v.height() > 0))
        return;
    const QRectF relative((frame->x() - v.x()) / v.width(),
                          ((v.y() + v.height()) - (frame->y() + frame->height())) / v.height(),
                          frame->width() / v.width(), frame->height() / v.height());
    snapFocusedWindow(relative, screens.at(t));
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
    if (!passesHotkeyModifierRule(event.modifierFlags))
        return;
    if (event.charactersIgnoringModifiers && !event.charactersIgnoringModifiers->isEmpty()) {
        const std::optional<qint64> number = parseHotkeyNumber(*event.charactersIgnoringModifiers);
        if (number && *number >= 1 && *number <= 4) {
            const auto entry = m_hotkeyAssignments.constFind(*number);
            if (entry != m_hotkeyAssignments.cend() && !entry->isEmpty())
                applyLayout(*entry);
        }
    }
    qint64 direction = 0;
    if (event.keyCode == keycode::kLeftArrow)
        direction = -1;
    else if (event.keyCode == keycode::kRightArrow)
        direction = 1;
    else
        return;
    if (m_isCyclingActive)
        cycleZone(direction);
    else
        moveToAdjacentScreen(direction);
}

} // namespace corvane
