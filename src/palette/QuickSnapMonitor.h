#pragma once
// Opens the palette when the pointer rests on the maximize button of another application's window,
// keeps it open while the pointer stays on the button or the palette, and frames the window to the
// zone picked. It keeps the title-bar corners, the regions where the window list says each window's
// zoom button lies, current from the window server's changes, and names them (and the button it
// dwells on) as the only places where pointer motion matters: a move elsewhere does not reach it.
// Button queries are throttled. It never opens on a window of an application Corvane leaves alone.
// QuickSnapPanel shows the palette.

#include "control/ExcludedApplications.h"
#include "control/FeatureMonitor.h"
#include "control/FrameWriteQueue.h"
#include "control/GlobalMonitors.h"
#include "control/SwapChoice.h"
#include "control/ZoneSpacingSettings.h"
#include "platform/PalettePresenter.h"
#include "platform/Platform.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <memory>

namespace corvane {

inline constexpr auto kQuickSnapVerboseKey = "zoomPaletteVerbose";

class QuickSnapMonitor : public QObject, public FeatureMonitor {
    Q_OBJECT
public:
    QuickSnapMonitor(Platform& platform, FrameWriteQueue& frameWrites, const ZoneSpacingSettings& spacing,
                     PalettePresenter& palette, const ExcludedApplications& excluded,
                     QObject* parent = nullptr);

    // What a pick onto a zone another window fills does with that window; by default nothing.
    void setSwapChoice(SwapChoice swap) { m_swap = std::move(swap); }

    void start() override;
    void stop() override;

    bool isRunning() const { return m_isRunning; }
    bool isDwelling() const { return m_candidate.has_value(); }
    bool isOpen() const { return m_target.has_value(); }
    // Runs `then` once no dwell or recheck is pending: where the pointer rests has been judged, and
    // the palette has opened if it was to.
    void whenJudged(std::function<void()> then);

    // The event reactions, public for the benchmark.
    void evaluate(bool reset);
    void apply(const QRectF& fraction);

    static constexpr double dwellSeconds = 0.3;
    static constexpr double grace = 0.25;
    static constexpr double queryIntervalSeconds = 0.06;
    static constexpr double retryInterval = 0.1;
    static constexpr int maxRetries = 10;
    static constexpr double buttonSlack = 2.0;
    static constexpr double keepZoneMargin = 6.0;
    static constexpr double watchPeriodSeconds = 0.05;

private:
    struct ButtonTarget {
        QRectF button; // AX coordinates
        AxElement window;
    };

    void verbose(const QString& message) const;
    QPointF pointerInAx() const;
    bool isOnButton(const ButtonTarget& target) const;
    void fetchCorners();
    // A window came or changed: its corner is read again, once no button is held (a window being
    // dragged changes at every step).
    void noteWindow(quint32 number);
    void readStaleCorners();
    void updateRegions();
    void scheduleRecheck(double delay);
    void dwellFired();
    void open(const ButtonTarget& target);
    void watch();
    void close();
    void cancelDwell();
    void answerIfJudged();

    Platform& m_platform;
    FrameWriteQueue& m_frameWrites;
    const ZoneSpacingSettings& m_spacing;
    PalettePresenter& m_palette;
    const ExcludedApplications& m_excluded;
    const bool m_isVerbose;

    GlobalMonitors m_monitors{m_platform.events, this};
    QList<QMetaObject::Connection> m_observers;
    bool m_isRunning = false;
    double m_lastQuery = 0;
    QHash<quint32, std::optional<QRectF>> m_corners; // by window, AX coordinates
    QList<QRectF> m_cornerList;                      // the same, for the test at each move
    QSet<quint32> m_staleCorners;
    std::unique_ptr<Timer> m_recheck;
    int m_retriesLeft = 0;
    std::optional<ButtonTarget> m_candidate;
    std::unique_ptr<Timer> m_dwellTimer;
    std::optional<ButtonTarget> m_target;
    std::unique_ptr<Timer> m_watchTimer;
    std::optional<double> m_outsideSince;
    QList<std::function<void()>> m_judgedWaiters;
    SwapChoice m_swap;
};

} // namespace corvane
