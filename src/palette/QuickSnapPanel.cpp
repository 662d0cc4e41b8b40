#include "QuickSnapPanel.h"

#include "control/ScreenLookup.h"
#include "control/ZoneSpacingSettings.h"
#include "model/BuiltInLayouts.h"
#include "palette/FirstClickHostingView.h"
#include "palette/QuickSnapFace.h"
#include "ui/SnapLayoutView.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace corvane {

namespace {

// The panel window: a rounded, slightly translucent popover face behind the content. Without a
// compositing manager it is opaque and shaped with a mask, so the corners stay round.
class PaletteWindow final : public QWidget {
public:
    PaletteWindow(bool isCompositing, bool takesPointer)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint |
                               (takesPointer ? Qt::WindowFlags() : Qt::WindowTransparentForInput))
        , m_isCompositing(isCompositing) {
        setObjectName(QStringLiteral("corvane-palette"));
        setWindowTitle(QStringLiteral("Corvane Palette"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_DeleteOnClose);
        // Tooltips name the layouts even though this window is never the active one.
        setAttribute(Qt::WA_AlwaysShowToolTips);
        setAttribute(Qt::WA_TranslucentBackground, isCompositing);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(paletteEdgeColor(palette()), 1));
        painter.setBrush(paletteFaceColor(palette(), m_isCompositing));
        const double r = QuickSnapFace::cornerRadius;
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), r, r);
    }
    void resizeEvent(QResizeEvent*) override {
        if (m_isCompositing)
            return;
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), QuickSnapFace::cornerRadius, QuickSnapFace::cornerRadius);
        setMask(QRegion(shape.toFillPolygon().toPolygon()));
    }

private:
    bool m_isCompositing;
};

} // namespace

QuickSnapPanel::QuickSnapPanel(Platform& platform, const ZoneSpacingSettings& spacing, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_spacing(spacing) {}

QuickSnapPanel::~QuickSnapPanel() {
    delete m_panel;
}

std::optional<QRectF> QuickSnapPanel::frameNear(const QRectF& button, QSizeF size, const Screens& screens) {
    const double h0 = primaryScreenHeight(screens);
    const QRectF b = screenFrameFromAx(button.topLeft(), button.size(), h0);
    const std::optional<Screen> screen = screenContaining(screens, b);
    if (!screen)
        return std::nullopt;
    const QRectF vf = screen->visibleFrame;
    const double w = size.width();
    const double h = size.height();
    double x = b.left() - 8;
    double y = b.top() - gap - h;
    if (y < vf.top() + screenInset)
        y = b.bottom() + gap; // above the button: there is no room below it
    // When the panel is larger than the visible frame, the second clamp of each pair wins.
    x = std::max(x, vf.left() + screenInset);
    x = std::min(x, vf.right() - screenInset - w);
    y = std::max(y, vf.top() + screenInset);
    y = std::min(y, vf.bottom() - screenInset - h);
    return QRectF(x, y, w, h);
}

QRectF QuickSnapPanel::rowFrame(const QRectF& visibleFrame, QSizeF size) {
    return QRectF(visibleFrame.center().x() - size.width() / 2,
                  visibleFrame.bottom() - screenInset - size.height(), size.width(), size.height());
}

void QuickSnapPanel::show(const QRectF& button, PickHandler onPick) {
    hide();
    auto* window = new PaletteWindow(m_platform.application.isCompositing(), true);
    auto* content = new FirstClickHostingView(new QuickSnapView(onPick, m_spacing), window);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    const QSize size = content->sizeHint();
    // Placed in screen coordinates, where a scaled panel covers more pixels than its own size.
    const QRectF b =
        screenFrameFromAx(button.topLeft(), button.size(), primaryScreenHeight(m_platform.screens));
    const std::optional<QRectF> frame =
        frameNear(button, screenSizeOfWindow(m_platform.screens, size, b.center()), m_platform.screens);
    if (!frame) {
        delete window;
        return;
    }
    present(window, *frame, size);
}

void QuickSnapPanel::present(QWidget* window, const QRectF& frame, QSize size) {
    m_geometry = QRect(m_platform.screens.windowGeometry(frame).topLeft(), size);
    if (m_platform.overlayWindows) {
        m_platform.overlayWindows->adopt(*window, OverlayKind::Palette);
        m_platform.overlayWindows->place(*window, m_geometry);
    } else {
        window->setGeometry(m_geometry);
    }
    window->show();
    window->raise();
    m_panel = window;
}

std::optional<PaletteZone> QuickSnapPanel::showRow(const Screen& screen, QPointF cursor) {
    if (!m_row || !m_panel || m_rowScreen != screen.id) {
        hide();
        auto* window = new PaletteWindow(m_platform.application.isCompositing(), false);
        auto* row = new QuickSnapView({}, m_spacing, QuickSnapView::Shape::Row);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(row);
        const QSize size = row->size();
        const QRectF& vf = screen.visibleFrame;
        present(window, rowFrame(vf, screenSizeOfWindow(m_platform.screens, size, vf.center())), size);
        m_row = row;
        m_rowScreen = screen.id;
    }
    // The face's own coordinates: the window may cover more pixels than its size where Qt scales.
    const std::optional<QRectF> frame = shownFrame();
    if (!frame)
        return std::nullopt;
    const QuickSnapFace& face = m_row->face();
    const double scale = frame->width() / face.size.width();
    const QPointF local((cursor.x() - frame->left()) / scale, (frame->bottom() - cursor.y()) / scale);
    const QList<SnapLayout>& layouts = builtInLayouts();
    const std::optional<FaceZone> zone = faceZoneAt(face, layouts, m_spacing.spacing(), local);
    for (qsizetype t = 0; t < m_row->thumbnails().size(); ++t)
        m_row->thumbnails()[t]->setHoveredZone(
            zone && zone->thumbnail == t ? std::optional(layouts[t].zones[zone->zone].id) : std::nullopt);
    if (!zone)
        return std::nullopt;
    return PaletteZone{layouts[zone->thumbnail].name, layouts[zone->thumbnail].zones[zone->zone].rect};
}

void QuickSnapPanel::hide() {
    if (!m_panel)
        return;
    // Deleted on the next turn of the loop: the click that picked may still be running in it.
    m_panel->close();
    m_panel = nullptr;
    m_row = nullptr;
}

std::optional<QRectF> QuickSnapPanel::shownFrame() const {
    if (!m_panel || !m_panel->isVisible())
        return std::nullopt;
    // Where it was put: a desktop that places it may leave Qt a geometry of its own guessing.
    return m_platform.screens.screenFrame(m_geometry);
}

} // namespace corvane
