#pragma once
// The palette's window: placed just below the maximize button (above it near the bottom of the
// screen), clamped 8 points inside the visible frame of the button's screen, floating above every
// window without ever taking the focus. A shown panel is replaced, never reused. QuickSnapView
// is its content; QuickSnapMonitor decides when it shows and hides. The row shown during a drag is such
// a window too, which the pointer passes through: the core lights the zone under it.

#include "palette/QuickSnapView.h"
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
    std::optional<PaletteZone> showRow(const Screen& screen, QPointF cursor) override;

    // The shown window, none while hidden.
    QWidget* panel() const { return m_panel; }

    // Where a panel covering the size (in screen coordinates) goes for a button in AX coordinates, in
    // screen coordinates; none without screens.
    static std::optional<QRectF> frameNear(const QRectF& button, QSizeF size, const Screens& screens);
    // Where the row of layouts goes on a screen: centred at the top of its visible frame, 8 points
    // inside. Screen coordinates.
    static QRectF rowFrame(const QRectF& visibleFrame, QSizeF size);

    static constexpr double gap = 6;
    static constexpr double screenInset = 8;

private:
    // Places a new panel window at a frame (screen coordinates) and shows it.
    void present(QWidget* window, const QRectF& frame, QSize size);

    Platform& m_platform;
    const ZoneSpacingSettings& m_spacing;
    QPointer<QWidget> m_panel;
    QPointer<QuickSnapView> m_row; // the panel's content while it is the row
    quint64 m_rowScreen = 0;
    QRect m_geometry; // where the panel was put, in our windows' coordinates
};

} // namespace corvane
