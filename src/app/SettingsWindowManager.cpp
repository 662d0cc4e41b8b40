#include "SettingsWindowManager.h"

#include <QEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace corvane {

namespace {

// "x y width height" in window coordinates (y down from the primary screen's top-left): the outer
// frame's top-left, title bar included, and the size of the window's content. Placing the frame
// where it was, rather than the content, keeps the window from moving down by its title bar at each
// launch. Earlier versions stored the content's top-left here, which reads as the frame's: such a
// window comes back one title bar higher, once.
QString frameText(const QRect& frame) {
    return QStringLiteral("%1 %2 %3 %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
}

std::optional<QRect> frameFromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool isNumber = false;
        values[i] = parts[i].toInt(&isNumber);
        if (!isNumber)
            return std::nullopt;
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

} // namespace

SettingsWindowManager::SettingsWindowManager(Platform& platform, std::function<QWidget*()> makeContent,
                                             QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_makeContent(std::move(makeContent))
    , m_window(std::make_unique<QWidget>()) {
    m_window->setWindowTitle(tr("Corvane Settings"));
    m_window->setMinimumSize(minimumSize);
    m_window->setProperty("corvaneFollowsActivationPolicy", true);
    auto* layout = new QVBoxLayout(m_window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    restoreFrame();
    m_window->installEventFilter(this);
}

SettingsWindowManager::~SettingsWindowManager() {
    if (m_saveTimer && m_hasRestedSinceShown)
        saveFrame();
}

void SettingsWindowManager::restoreFrame() {
    const std::optional<QString> stored = m_platform.defaults.string(kSettingsFrameKey);
    const std::optional<QRect> frame = stored ? frameFromText(*stored) : std::nullopt;
    // A frame from another arrangement of screens may lie off every screen now: then it is centred.
    const auto isOnAScreen = [&](const QRect& f) {
        const QList<Screen> screens = m_platform.screens.screens();
        return std::any_of(screens.cbegin(), screens.cend(), [&](const Screen& screen) {
            return m_platform.screens.windowGeometry(screen.frame).intersects(f);
        });
    };
    if (frame && frame->width() >= minimumSize.width() && frame->height() >= minimumSize.height() &&
        isOnAScreen(*frame)) {
        // Moved before it is ever shown, a window is placed by its outer frame.
        m_window->resize(frame->size());
        m_window->move(frame->topLeft());
        return;
    }
    m_window->resize(defaultSize);
    const std::optional<Screen> main = m_platform.screens.mainScreen();
    if (!main)
        return;
    const QPointF centre = QRectF(m_platform.screens.windowGeometry(main->visibleFrame)).center();
    m_window->move(qRound(centre.x() - defaultSize.width() / 2.0),
                   qRound(centre.y() - defaultSize.height() / 2.0));
}

void SettingsWindowManager::saveFrame() {
    m_saveTimer.reset();
    m_platform.defaults.setObject(kSettingsFrameKey,
                                  frameText(QRect(m_window->frameGeometry().topLeft(), m_window->size())));
}

void SettingsWindowManager::show() {
    if (!m_content) {
        m_content = m_makeContent();
        m_window->layout()->addWidget(m_content);
    }
    m_platform.application.setActivationPolicy(ActivationPolicy::Regular);
    m_hasRestedSinceShown = false;
    // The taskbar entry appears first; activating on the next turn gives the window manager time to see it.
    m_platform.runLoop.post(this, [this] {
        m_platform.application.activateIgnoringOtherApps();
        // Brought to the front means out of the taskbar too, when the user had minimised it.
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    });
}

bool SettingsWindowManager::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window.get() && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        m_window->isVisible())
        m_saveTimer = m_platform.runLoop.scheduleTimer(0.3, false, [this] {
            saveFrame();
            m_hasRestedSinceShown = true;
        });
    return false;
}

} // namespace corvane
