#pragma once
// Places the target window, the focused window of the application the user last worked in: into
// a fraction of a screen, to a size, onto the next screen, or back to the frame it had before Corvane
// first placed it. The target is found when a placement is asked for; the write goes through the
// one ordered FrameWriteQueue.

#include "control/FrameWriteQueue.h"
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
};

class WindowPlacer : public QObject {
    Q_OBJECT
public:
    WindowPlacer(Platform& platform, FrameWriteQueue& writes, QObject* parent = nullptr);

    // The application the user last worked in, never Corvane.
    const std::optional<RunningApplication>& lastActiveApp() const { return m_lastActiveApp; }

    std::optional<QRectF> focusedWindowFrame();
    // False when nothing was queued (no screens).
    bool setFocusedWindowFrame(const QRectF& frame, const Screen& screen, WriteDone done = {},
                               RememberedFrame remembered = RememberedFrame::Keep);
    // Each acts on the target window; `done` hears how a requested write went. Without a screen, the
    // one under the window's centre. A snap's write names the zone it puts the window in: this
    // fraction of that screen, of the layout named where one is known.
    Placement snapFocusedWindow(const QRectF& fraction, std::optional<Screen> screen = std::nullopt,
                                WriteDone done = {}, const QString& layoutName = {});
    Placement resizeFocusedWindow(double width, double height, WriteDone done = {});
    Placement moveToAdjacentScreen(qint64 step, WriteDone done = {});
    // The target window back to the frame it had before Corvane first placed it, which it then forgets.
    Placement restoreFocusedWindow(WriteDone done = {});

    // The window a placement acts on, found when it is asked for (ZoneNavigator builds on its frame).
    // Later key presses may change the focus before the write runs, and the write is to land where
    // this one was meant. A candidate without a focused window is passed over, and where the placement
    // builds on the window's frame, one whose frame cannot be read too.
    struct Target {
        AxElement window;
        RunningApplication application;
        QRectF frame; // screen coordinates; empty unless it was needed
    };
    std::optional<Target> target(bool isFrameNeeded = true);

private:
    // The applications whose focused window is the target, in the order tried: the one last active,
    // then the frontmost; never this process.
    QList<RunningApplication> targetCandidates() const;
    void requestWrite(const Target& target, const QRectF& frame, const Screen& screen, WriteDone done,
                      RememberedFrame remembered = RememberedFrame::Keep,
                      std::optional<ZonePlace> zone = std::nullopt);
    void appDidActivate(std::optional<RunningApplication> application);

    Platform& m_platform;
    std::optional<RunningApplication> m_lastActiveApp;
    FrameWriteQueue& m_writes;
};

} // namespace corvane
