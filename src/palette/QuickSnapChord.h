#pragma once
// Quick Snap from the keyboard, for desktops whose title bars have no maximize button to rest on: the
// chord opens the palette for the active window, just below the middle of its top edge, and a zone
// picked puts the window there. It closes on a pick, on the chord again, and once another window is
// active or the window is gone. A window of an application Corvane leaves alone gets no palette.

#include "control/FrameWriteQueue.h"
#include "control/SwapChoice.h"
#include "control/WindowPlacer.h"
#include "control/ZoneSpacingSettings.h"
#include "platform/PalettePresenter.h"
#include "platform/Platform.h"

#include <QObject>
#include <memory>

namespace corvane {

class QuickSnapChord : public QObject {
    Q_OBJECT
public:
    QuickSnapChord(Platform& platform, WindowPlacer& placer, FrameWriteQueue& frameWrites,
                   const ZoneSpacingSettings& spacing, PalettePresenter& palette, QObject* parent = nullptr);
    ~QuickSnapChord() override;

    // The chord: opens the palette, or closes the one it opened.
    void toggle();
    bool isOpen() const { return m_target.has_value(); }
    // What a pick onto a zone another window fills does with that window; by default nothing.
    void setSwapChoice(SwapChoice swap) { m_swap = std::move(swap); }

    // How often the open palette checks that its window is still the active one.
    static constexpr double watchPeriodSeconds = 0.1;

private:
    void open();
    void close();
    void watch();
    void apply(const QRectF& fraction);

    Platform& m_platform;
    WindowPlacer& m_placer;
    FrameWriteQueue& m_frameWrites;
    const ZoneSpacingSettings& m_spacing;
    PalettePresenter& m_palette;
    std::optional<WindowPlacer::Target> m_target;
    QRectF m_anchor; // AX coordinates
    std::unique_ptr<Timer> m_watchTimer;
    SwapChoice m_swap;
};

} // namespace corvane
