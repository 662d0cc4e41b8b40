#include "QuickSnapChord.h"

#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "model/BuiltInLayouts.h"
#include "palette/PickedZoneWrite.h"
#include "palette/QuickSnapFace.h"
#include "palette/QuickSnapPanel.h"
#include "platform/common/Log.h"

#include <QPointer>

namespace corvane {

QuickSnapChord::QuickSnapChord(Platform& platform, WindowPlacer& placer, FrameWriteQueue& frameWrites,
                               const ZoneSpacingSettings& spacing, PalettePresenter& palette, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_placer(placer)
    , m_frameWrites(frameWrites)
    , m_spacing(spacing)
    , m_palette(palette) {}

QuickSnapChord::~QuickSnapChord() {
    close();
}

void QuickSnapChord::toggle() {
    if (isOpen())
        close();
    else
        open();
}

void QuickSnapChord::open() {
    const std::optional<WindowPlacer::Target> target = m_placer.target(true);
    if (!target) {
        qCInfo(lcQuickSnap) << "Quick Snap chord: no window to place"
                            << (m_placer.noTarget() == Placement::ExcludedApplication ? "(left alone)" : "");
        return;
    }
    // The palette's middle under the middle of the window's top edge: the place the panel is put at lies
    // 8 points right of its left edge.
    const double h = primaryScreenHeight(m_platform.screens);
    const QSizeF size = QuickSnapFace::palette(builtInLayouts().size(), QuickSnapFace::headerHeight()).size;
    m_anchor = QRectF(target->frame.center().x() - size.width() / 2 + 8, h - target->frame.bottom(), 0, 0);
    m_target = target;
    m_palette.show(m_anchor, [self = QPointer(this)](const QRectF& fraction) {
        if (self)
            self->apply(fraction);
    });
    if (!m_palette.shownFrame()) {
        m_target.reset();
        return;
    }
    m_watchTimer = m_platform.runLoop.scheduleTimer(watchPeriodSeconds, true, [this] { watch(); });
}

void QuickSnapChord::watch() {
    if (!m_target || !m_palette.shownFrame()) {
        close();
        return;
    }
    const std::optional<RunningApplication> front = m_platform.workspace.frontmostApplication();
    const bool isStillActive = front && front->pid == m_target->application.pid &&
                               focusedWindowOf(m_platform.accessibility, front->pid) == m_target->window;
    if (!isStillActive)
        close();
}

void QuickSnapChord::close() {
    // The watch timer may be the caller: its handle is released, never the running callback.
    m_watchTimer.reset();
    if (std::exchange(m_target, std::nullopt) && m_palette.shownFrame())
        m_palette.hide();
}

void QuickSnapChord::apply(const QRectF& fraction) {
    if (!m_target)
        return;
    const AxElement window = m_target->window;
    close();
    writePickedZone(m_platform, m_frameWrites, m_spacing.spacing(), window, m_anchor, fraction, m_swap);
}

} // namespace corvane
