#include "SimDesktop.h"

namespace corvane {

SimDesktop::SimDesktop()
    : m_accessibility(*this)
    , m_accessibilityBus(*this)
    , m_workspace(*this)
    , m_windowServer(*this)
    , m_screens(*this) {
    Node systemWide;
    systemWide.kind = NodeKind::SystemWide;
    systemWide.role = QStringLiteral("AXSystemWide");
    m_systemWide = makeNode(systemWide);
    m_thisPid = addApplication(QStringLiteral("Corvane"));
}

SimDesktop::~SimDesktop() = default;

Platform SimDesktop::platform() {
    return Platform{m_accessibility, m_windowServer, m_screens,   m_workspace, m_application,
                    m_events,        m_defaults,     m_loginItem, m_updater,   m_runLoop,
                    m_windowFrames,  m_keyGrabs,     m_shortcuts};
}

Platform SimDesktop::platformWithDesktopShortcuts() {
    return Platform{m_accessibility, m_windowServer, m_screens,         m_workspace, m_application,
                    m_events,        m_defaults,     m_loginItem,       m_updater,   m_runLoop,
                    m_windowFrames,  m_keyGrabs,     m_desktopShortcuts};
}

AxElement SimDesktop::makeNode(Node n) {
    const AxElement element{m_nextHandle++};
    m_nodes.emplace(element.handle, std::move(n));
    return element;
}

SimDesktop::Node* SimDesktop::node(AxElement element) {
    auto it = m_nodes.find(element.handle);
    return it == m_nodes.end() ? nullptr : &it.value();
}

const SimDesktop::Node* SimDesktop::node(AxElement element) const {
    auto it = m_nodes.constFind(element.handle);
    return it == m_nodes.cend() ? nullptr : &it.value();
}

SimDesktop::App* SimDesktop::app(qint32 pid) {
    auto it = m_apps.find(pid);
    return it == m_apps.end() ? nullptr : &it.value();
}

SimDesktop::Window* SimDesktop::window(SimWindowId number) {
    for (Window& w : m_windows) {
        if (w.number == number)
            return &w;
    }
    return nullptr;
}

const SimDesktop::Window* SimDesktop::window(SimWindowId number) const {
    return const_cast<SimDesktop*>(this)->window(number);
}

SimDesktop::Window* SimDesktop::windowOf(AxElement element) {
    const Node* n = node(element);
    return n && n->isValid && n->kind == NodeKind::Window ? window(n->window) : nullptr;
}

QRectF SimDesktop::primaryFrame() const {
    for (const Screen& s : m_screenList) {
        if (s.frame.x() == 0 && s.frame.y() == 0)
            return s.frame;
    }
    return m_screenList.isEmpty() ? QRectF() : m_screenList.first().frame;
}

void SimDesktop::record(SimAction::Kind kind, AxElement element, const QString& attribute,
                        const AttributeValue& value, AxError result) {
    SimAction action;
    action.kind = kind;
    action.time = m_runLoop.now();
    action.element = element;
    action.attribute = attribute;
    action.value = value;
    action.result = result;
    m_log.append(std::move(action));
}

qint32 SimDesktop::addApplication(const QString& name) {
    const qint32 pid = m_thisPid == 0 ? 1 : m_nextPid++;
    Node n;
    n.kind = NodeKind::Application;
    n.pid = pid;
    n.role = QStringLiteral("AXApplication");
    App a;
    a.pid = pid;
    a.name = name;
    a.element = makeNode(n);
    m_apps.insert(pid, a);
    m_appOrder.append(pid);
    return pid;
}

void SimDesktop::quitApplication(qint32 pid) {
    for (const Window& w : QList<Window>(m_windows)) {
        if (w.pid == pid)
            removeWindow(w.number);
    }
    for (Node& n : m_nodes) {
        if (n.pid == pid && n.kind != NodeKind::SystemWide)
            n.isValid = false;
    }
    m_apps.remove(pid);
    m_appOrder.removeAll(pid);
    if (m_frontmostPid == pid)
        m_frontmostPid.reset();
}

void SimDesktop::setFrontmostApplication(std::optional<qint32> pid) {
    m_frontmostPid = pid;
}

void SimDesktop::activateApplication(qint32 pid) {
    m_frontmostPid = pid;
    const App* a = app(pid);
    emit m_workspace.didActivateApplication(a ? std::optional(RunningApplication{a->pid, a->name})
                                              : std::nullopt);
}

SimWindowId SimDesktop::addWindow(qint32 pid, const QRectF& axFrame, const SimWindowOptions& options) {
    Window w;
    w.number = m_nextWindow++;
    w.pid = pid;
    w.frame = axFrame;
    w.options = options;
    Node n;
    n.kind = NodeKind::Window;
    n.pid = pid;
    n.window = w.number;
    n.role = QString::fromLatin1(ax::kWindowRole);
    n.subrole = QStringLiteral("AXStandardWindow");
    if (const App* a = app(pid))
        n.parent = a->element;
    w.element = makeNode(n);
    m_windows.prepend(w);
    if (options.isOnScreen && !options.isDesktopElement)
        emit m_windowServer.windowAdded(w.number);
    return w.number;
}

void SimDesktop::raiseWindow(SimWindowId number) {
    const auto it = std::find_if(m_windows.begin(), m_windows.end(),
                                 [number](const Window& w) { return w.number == number; });
    if (it != m_windows.end())
        std::rotate(m_windows.begin(), it, it + 1);
}

void SimDesktop::removeWindow(SimWindowId number) {
    if (m_windows.removeIf([number](const Window& w) { return w.number == number; }) > 0)
        emit m_windowServer.windowRemoved(number);
    for (Node& n : m_nodes) {
        if (n.window == number)
            n.isValid = false;
    }
    for (App& a : m_apps) {
        if (a.focusedWindow == number)
            a.focusedWindow.reset();
    }
}

QRectF SimDesktop::windowFrame(SimWindowId number) const {
    const Window* w = window(number);
    return w ? w->frame : QRectF();
}

void SimDesktop::setWindowFrame(SimWindowId number, const QRectF& axFrame) {
    if (Window* w = window(number)) {
        w->frame = axFrame;
        emit m_windowServer.windowFrameChanged(number);
    }
}

std::optional<QRectF> SimDesktop::restoreFrame(SimWindowId number) const {
    const Window* w = window(number);
    return w ? w->restoreFrame : std::nullopt;
}

void SimDesktop::setRestoreFrame(SimWindowId number, std::optional<QRectF> axFrame) {
    if (Window* w = window(number))
        w->restoreFrame = axFrame;
}

AxElement SimDesktop::windowElement(SimWindowId number) const {
    const Window* w = window(number);
    return w ? w->element : AxElement{};
}

void SimDesktop::setFocusedWindow(qint32 pid, std::optional<SimWindowId> number) {
    if (App* a = app(pid))
        a->focusedWindow = number;
}

void SimDesktop::setFullScreen(SimWindowId number, bool isFullScreen) {
    if (Window* w = window(number))
        w->options.isFullScreen = isFullScreen;
}

void SimDesktop::setOnScreen(SimWindowId number, bool isOnScreen) {
    Window* w = window(number);
    if (!w || w->options.isOnScreen == isOnScreen)
        return;
    w->options.isOnScreen = isOnScreen;
    if (isOnScreen)
        emit m_windowServer.windowAdded(number);
    else
        emit m_windowServer.windowRemoved(number);
}

void SimDesktop::setFrameLag(SimWindowId number, double seconds) {
    if (Window* w = window(number))
        w->frameLag = seconds;
}

void SimDesktop::setSizeConstraint(SimWindowId number, std::function<QSizeF(QSizeF)> constraint) {
    if (Window* w = window(number))
        w->sizeConstraint = std::move(constraint);
}

AxElement SimDesktop::addElement(AxElement parent, const QString& role, const QString& subrole,
                                 std::optional<QRectF> axFrame) {
    const Node* p = node(parent);
    Node n;
    n.kind = NodeKind::Child;
    n.parent = parent;
    n.role = role;
    n.subrole = subrole;
    if (p) {
        n.pid = p->pid;
        n.window = p->window;
    }
    // Frames inside a window are kept relative to it, so they follow the window when it moves.
    Window* w = window(n.window);
    if (axFrame)
        n.frame = w ? axFrame->translated(-w->frame.topLeft()) : *axFrame;
    const bool isZoom = subrole == QLatin1String(ax::kZoomButtonSubrole) ||
                        subrole == QLatin1String(ax::kFullScreenButtonSubrole);
    const AxElement element = makeNode(n);
    if (w && isZoom && axFrame) {
        w->zoomButtons.append(element);
        emit m_windowServer.windowFrameChanged(w->number);
    }
    return element;
}

std::optional<QRectF> SimDesktop::zoomButtonFrame(const Window& w) const {
    for (auto it = w.zoomButtons.crbegin(); it != w.zoomButtons.crend(); ++it) {
        if (const Node* n = node(*it); n && n->isValid && n->frame)
            return n->frame->translated(w.frame.topLeft());
    }
    return std::nullopt;
}

void SimDesktop::setAttribute(AxElement element, const QString& attribute, AttributeValue value) {
    if (Node* n = node(element)) {
        n->removed.remove(attribute);
        n->values.emplace(attribute, std::move(value));
    }
}

void SimDesktop::clearAttribute(AxElement element, const QString& attribute) {
    if (Node* n = node(element)) {
        n->values.remove(attribute);
        n->removed.insert(attribute);
    }
}

float SimDesktop::messagingTimeout(AxElement element) const {
    const Node* n = node(element);
    return n ? n->timeout : 0;
}

Screen SimDesktop::addScreen(const QRectF& frame, const QRectF& visibleFrame) {
    Screen s;
    s.id = m_nextScreenId++;
    s.name = QStringLiteral("Screen %1").arg(s.id);
    s.frame = frame;
    s.visibleFrame = visibleFrame;
    m_screenList.append(s);
    return s;
}

void SimDesktop::setScreens(QList<Screen> screens) {
    m_screenList = std::move(screens);
}

void SimDesktop::setMainScreen(std::optional<quint64> screenId) {
    m_mainScreenId = screenId;
    m_hasMainScreenOverride = true;
}

void SimDesktop::changeScreens(QList<Screen> screens) {
    m_screenList = std::move(screens);
    emit m_application.screenParametersDidChange();
}

QVariant SimDesktop::windowListEntry(SimWindowId number) const {
    const Window* w = window(number);
    if (!w)
        return {};
    QVariantMap entry{{QString::fromLatin1(windowinfo::kLayer), qint64(w->options.layer)},
                      {QString::fromLatin1(windowinfo::kOwnerPid), qint64(w->pid)},
                      {QString::fromLatin1(windowinfo::kNumber), qint64(w->number)},
                      {QString::fromLatin1(windowinfo::kBounds), windowinfo::boundsEntry(w->frame)}};
    if (const std::optional<QRectF> zoom = zoomButtonFrame(*w))
        entry.insert(QString::fromLatin1(windowinfo::kZoomButtonRegion), windowinfo::boundsEntry(*zoom));
    m_faults.damageEntry(number, entry);
    return entry;
}

} // namespace corvane
