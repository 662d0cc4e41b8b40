#pragma once
// Places the target window, the focused window of the application the user last worked in: into
// a fraction of a screen, to a size, onto the next screen, or back to the frame it had before Corvane
// first placed it. The target is found when a placement is asked for; the write goes through the
// one ordered FrameWriteQueue.

#include "control/ExcludedApplications.h"
#include "control/FrameWriteQueue.h"
#include "control/ZoneSpacingSettings.h"
#include "platform/Platform.h"

#include <QObject>
#include <optional>

namespace corvane {

// What a placing operation did at once. Requested: a frame write is queued, and its outcome reaches the
// WriteDone given with it. Anything else: nothing was written, and WriteDone is not called.
enum class Placement {
    Requested,
    NoTargetWindow,
    NoOtherScreen,          // a screen move with one screen, or from a screen without a usable area
    UnknownLayout,          // no layout with zones and no size preset of that name
    NoSuchZone,             // the layout has fewer zones
    NoCycledLayout,         // no layout was applied yet to step through
    NothingToRestore,       // the target window has no frame remembered from before Corvane placed it
    InvalidRememberedFrame, // what the window remembered is no frame a window can have: it was removed
    ExcludedApplication,    // the target window's application is one Corvane leaves alone
    NoNeighbourWindow,      // a swap found no window placed in a zone that way
};

class WindowPlacer : public QObject {
    Q_OBJECT
public:
    WindowPlacer(Platform& platform, FrameWriteQueue& writes, const ZoneSpacingSettings& spacing,
                 const ExcludedApplications& excluded, QObject* parent = nullptr);

    // The application the user last worked in, never Corvane.
    const std::optional<RunningApplication>& lastActiveApp() const { return m_lastActiveApp; }
    // The application whose window the last placement refused as ExcludedApplication.
    const std::optional<RunningApplication>& excludedTarget() const { return m_excludedTarget; }

    // The spacing every zone placement keeps.
    const ZoneSpacingSettings& zoneSpacing() const { return m_spacing; }

    std::optional<QRectF> focusedWindowFrame();
    // False when nothing was queued (no screens).
    bool setFocusedWindowFrame(const QRectF& frame, const Screen& screen, WriteDone done = {},
                               RememberedFrame remembered = RememberedFrame::Keep);
    // Each acts on the target window; `done` hears how a requested write went. Without a screen, the
    // one under the window's centre. A fraction is a zone: the spacing around zones is kept, and the
    // snap's write names the zone it puts the window in: this fraction of that screen, of the layout
    // named where one is known.
    Placement snapFocusedWindow(const QRectF& fraction, std::optional<Screen> screen = std::nullopt,
                                WriteDone done = {}, const QString& layoutName = {});
    Placement resizeFocusedWindow(double width, double height, WriteDone done = {});
    Placement moveToAdjacentScreen(qint64 step, WriteDone done = {});
    // The target window back to the frame it had before Corvane first placed it, which it then forgets.
    Placement restoreFocusedWindow(WriteDone done = {});
    // Writes any window, the target or another: into a zone of `screen` (the spacing kept, the zone
    // named), or to a frame in screen coordinates that names no zone. `activated` gets the focus once
    // the write has landed; without it the focus stays where it is.
    void placeInZone(AxElement window, std::optional<RunningApplication> activated, const ZonePlace& zone,
                     const Screen& screen, WriteDone done = {});
    void placeAt(AxElement window, std::optional<RunningApplication> activated, const QRectF& frame,
                 const Screen& screen, WriteDone done = {});

    // The window a placement acts on, found when it is asked for (ZoneNavigator builds on its frame).
    // Later key presses may change the focus before the write runs, and the write is to land where
    // this one was meant. A candidate without a focused window is passed over, and where the placement
    // builds on the window's frame, one whose frame cannot be read too. A window of an application left
    // alone is no target, and none is looked for past it (noTarget() says so).
    struct Target {
        AxElement window;
        RunningApplication application;
        QRectF frame; // screen coordinates; empty unless it was needed
    };
    std::optional<Target> target(bool isFrameNeeded = true);
    // Why target() found none.
    Placement noTarget() const {
        return m_excludedTarget ? Placement::ExcludedApplication : Placement::NoTargetWindow;
    }

private:
    // The applications whose focused window is the target, in the order tried: the one last active,
    // then the frontmost; never this process.
    QList<RunningApplication> targetCandidates() const;
    Placement snapFocusedWindow(const QRectF& fraction, std::optional<Screen> screen, WriteDone done,
                                const QString& layoutName, ZoneSpacing spacing);
    void requestWrite(AxElement window, std::optional<RunningApplication> activated, const QRectF& frame,
                      const Screen& screen, WriteDone done,
                      RememberedFrame remembered = RememberedFrame::Keep,
                      std::optional<ZonePlace> zone = std::nullopt);
    void appDidActivate(std::optional<RunningApplication> application);

    Platform& m_platform;
    std::optional<RunningApplication> m_lastActiveApp;
    std::optional<RunningApplication> m_excludedTarget;
    FrameWriteQueue& m_writes;
    const ZoneSpacingSettings& m_spacing;
    const ExcludedApplications& m_excluded;
};

} // namespace corvane
