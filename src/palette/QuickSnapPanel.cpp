#include "QuickSnapPanel.h"

#include "control/ScreenLookup.h"
#include "palette/FirstClickHostingView.h"
#include "palette/QuickSnapView.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace corvane {

namespace {

// The panel window: a rounded, slightly translucent popover face behind the content. Without a
// compositing manager it is opaque and shaped with a mask, so the corners stay round.
class PaletteWindow final : public QWidget {
public:
    explicit PaletteWindow(bool isCompositing)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint)
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
        QColor face = palette().color(QPalette::Window);
        face.setAlphaF(m_isCompositing ? 0.96f : 1.0f);
        QColor edge = palette().color(QPalette::WindowText);
        edge.setAlphaF(0.15f);
        painter.setPen(QPen(edge, 1));
        painter.setBrush(face);
        const double r = QuickSnapPanel::cornerRadius;
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), r, r);
    }
    void resizeEvent(QResizeEvent*) override {
        if (m_isCompositing)
            return;
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), QuickSnapPanel::cornerRadius, QuickSnapPanel::cornerRadius);
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

void QuickSnapPanel::show(const QRectF& button, PickHandler onPick) {
    hide();
    auto* window = new PaletteWindow(m_platform.application.isCompositing());
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
    m_geometry = QRect(m_platform.screens.windowGeometry(*frame).topLeft(), size);
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

void QuickSnapPanel::hide() {
    if (!m_panel)
        return;
    // Deleted on the next turn of the loop: the click that picked may still be running in it.
    m_panel->close();
    m_panel = nullptr;
}

std::optional<QRectF> QuickSnapPanel::shownFrame() const {
    if (!m_panel || !m_panel->isVisible())
        return std::nullopt;
    // Where it was put: a desktop that places it may leave Qt a geometry of its own guessing.
    return m_platform.screens.screenFrame(m_geometry);
}

} // namespace corvane
