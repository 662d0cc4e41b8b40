#pragma once
// Turns a window drag in another application into a snap: notes the window under a press, confirms
// that the window itself moves (not a resize, a selection or a click-and-hold), shows the zone under
// the pointer while the button is held, as the frame the window will get (the spacing around zones
// kept; a pointer in the gap between two frames still picks the zone it lies in), and writes that
// frame to the window after the release. With the span key held, the zone grows to cover every zone
// the pointer crossed since the key went down. With the option on, a window Corvane placed takes its
// own size back under the pointer once its drag is confirmed. With the top palette on, a pointer in the
// top band of a monitor (or on the row shown there) shows the row of layouts at the top of that
// monitor instead of the zones: the zone under the pointer in the row is previewed and the drop puts the
// window there; leaving the band returns to the zones. With swapping on, a zone another window Corvane
// placed fills shows where that window will go as well, and the drop sends it to the dropped window's
// former place. Windows of the applications Corvane leaves alone are never candidates.

#include "control/ExcludedApplications.h"
#include "control/FeatureMonitor.h"
#include "control/FrameWriteQueue.h"
#include "control/GlobalMonitors.h"
#include "control/NeighbourResizer.h"
#include "control/ZoneSpacingSettings.h"
#include "control/ZoneSwapper.h"
#include "dragsnap/DragSnapSettings.h"
#include "model/SnapLayout.h"
#include "platform/PalettePresenter.h"
#include "platform/Platform.h"
#include "platform/SnapPreview.h"

#include <QObject>

namespace corvane {

inline constexpr auto kDragSnapVerboseKey = "dragSnapVerbose";

class DragSnapMonitor : public QObject, public FeatureMonitor {
    Q_OBJECT
public:
    // Layouts by name, as the window controller resolves them (built-in first, then grid presets).
    using LayoutResolver = std::function<std::optional<SnapLayout>(const QString& name)>;

    DragSnapMonitor(Platform& platform, FrameWriteQueue& frameWrites, LayoutResolver layoutNamed,
                    const DragSnapSettings& settings, const ZoneSpacingSettings& spacing,
                    const ExcludedApplications& excluded, SnapPreview& preview, QObject* parent = nullptr);

    // What shows the row of layouts at the top of a monitor; none: no row.
    void setRowPalette(PalettePresenter* palette) { m_rowPalette = palette; }
    // What swaps a dropped window with the one in its zone; none: drops never swap.
    void setSwapper(ZoneSwapper* swapper) { m_swapper = swapper; }
    // What resizes neighbours together, told of each window whose drag is confirmed.
    void setNeighbourResizer(NeighbourResizer* resizer) { m_resizer = resizer; }

    void start() override;
    void stop() override;
    bool isRunning() const { return m_isRunning; }

    void handleMouseDown(const Event& event);
    void handleMouseDragged(const Event& event);
    void handleMouseUp(const Event& event);
    void resetDrag();
    void snap(AxElement window, const QRectF& fraction, const Screen& screen, const QString& layoutName);

    bool isDragConfirmed() const { return m_isDragConfirmed; }
    bool isAbandoned() const { return m_isAbandoned; }
    bool hasCandidate() const { return m_candidateWindow.has_value(); }
    quint32 candidateListedWindow() const { return m_candidateListedWindow; }
    const std::optional<QRectF>& pendingRect() const { return m_pendingRect; }
    bool isRestoringSize() const { return m_restoring.has_value(); }
    bool isOnRow() const { return m_isOnRow; }

    static constexpr double probeInterval = 0.03;
    static constexpr double sizeTolerance = 2.0;
    static constexpr double windowListMoveThreshold = 3.0;
    static constexpr double accessibilityMoveThreshold = 10.0;
    static constexpr double giveUpTime = 1.5;
    static constexpr double clampInset = 1.0;
    static constexpr double applyDelaySeconds = 0.03;

private:
    void trace(const QString& message) const;
    void clearPending();
    void chooseZone(const Event& event, QPointF cursor);
    // The pointer is in the monitor's top band, or on the row shown there.
    bool isInTopBand(const Screen& screen, QPointF cursor) const;
    // The zone of the row under the pointer; false where no row could be shown.
    bool chooseOnRow(const Screen& screen, QPointF cursor);
    void leaveRow();
    // The pending zone shown, with where the window in it goes when the drop swaps.
    void showPending(const QRectF& frame);
    // A dragged window's own size, and where the pointer holds its title bar: at a fraction of its
    // width, a distance below its top.
    struct RestoredSize {
        QSizeF size;
        double grabFraction = 0;
        double grabBelowTop = 0;
        // The window at this size under the pointer (screen coordinates), held at the same spot.
        QRectF frameAt(QPointF cursor, double primaryHeight) const;
    };
    // The remembered size of the window, written under the pointer. `current` is the window's frame
    // as the probe saw it, AX coordinates.
    void restoreSizeUnderPointer(QPointF cursor, const QRectF& current);
    void placeRestoredWindow(AxElement window, const RestoredSize& restored, QPointF cursor);

    Platform& m_platform;
    FrameWriteQueue& m_frameWrites;
    LayoutResolver m_layoutNamed;
    const DragSnapSettings& m_settings;
    const ZoneSpacingSettings& m_spacing;
    const ExcludedApplications& m_excluded;
    SnapPreview& m_preview;
    const bool m_isVerbose;

    GlobalMonitors m_monitors{m_platform.events, this};
    bool m_isRunning = false;
    std::optional<AxElement> m_candidateWindow;
    QPointF m_candidateOrigin;
    QSizeF m_candidateSize;
    QPointF m_downPoint;
    double m_downTimestamp = 0;
    quint32 m_candidateListedWindow = 0;
    bool m_isDragConfirmed = false;
    bool m_isAbandoned = false;
    double m_lastProbe = 0;
    std::unique_ptr<Timer> m_probeRetry; // a motion the interval held back, probed when it ends
    std::optional<QRectF> m_pendingRect; // a zone, or the zones spanned, as a fraction of the screen
    std::optional<Screen> m_pendingScreen;
    QString m_pendingLayoutName;
    PalettePresenter* m_rowPalette = nullptr;
    ZoneSwapper* m_swapper = nullptr;
    NeighbourResizer* m_resizer = nullptr;
    std::optional<ZoneSwapper::FormerPlace> m_candidateFormer; // read at the press, with swapping on
    std::optional<AxElement> m_occupant;                       // the window the pending zone's drop displaces
    std::optional<QRectF> m_displacedFrame;                    // where it goes, screen coordinates
    std::optional<std::pair<QRectF, quint64>> m_occupantLookedUp; // the zone and screen it was looked for in
    bool m_isOnRow = false;
    std::optional<RestoredSize> m_restoring;
};

} // namespace corvane
