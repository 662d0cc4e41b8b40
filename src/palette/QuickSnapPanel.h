#pragma once
// The palette's window: placed just below the maximize button (above it near the bottom of the
// screen), clamped 8 points inside the visible frame of the button's screen, floating above every
// window without ever taking the focus. A shown panel is replaced, never reused. QuickSnapView
// is its content; QuickSnapMonitor decides when it shows and hides.

#include "platform/PalettePresenter.h"
#include "platform/Platform.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

namespace corvane {

class ZoneSpacingSettings;

class QuickSnapPanel : public QObject, public PalettePresenter {
    Q_OBJECT
public:
    QuickSnapPanel(Platform& platform, const ZoneSpacingSettings& spacing, QObject* parent = nullptr);
    ~QuickSnapPanel() override;

    void show(const QRectF& button, PickHandler onPick) override;
    void hide() override;
    std::optional<QRectF> shownFrame() const override;

    // The shown window, none while hidden.
    QWidget* panel() const { return m_panel; }

    // Where a panel covering the size (in screen coordinates) goes for a button in AX coordinates, in
    // screen coordinates; none without screens.
    static std::optional<QRectF> frameNear(const QRectF& button, QSizeF size, const Screens& screens);

    static constexpr double gap = 6;
    static constexpr double screenInset = 8;
    static constexpr double cornerRadius = 10;

private:
    Platform& m_platform;
    const ZoneSpacingSettings& m_spacing;
    QPointer<QWidget> m_panel;
    QRect m_geometry; // where the panel was put, in our windows' coordinates
};

} // namespace corvane
