#include "SimContractDesktop.h"

namespace corvane {

namespace {

constexpr QRectF kScreen(0, 0, 1440, 900);
// A terminal's cell, and what its frame holds besides the cells.
constexpr QSizeF kCell(6, 13);
constexpr QSizeF kCellBase(2 + 2, 21 + 6);

// Down to whole cells, as a terminal takes a size.
QSizeF toCells(QSizeF size) {
    const auto steps = [](double length, double base, double cell) {
        return base + std::max(1.0, std::floor((length - base) / cell)) * cell;
    };
    return {steps(size.width(), kCellBase.width(), kCell.width()),
            steps(size.height(), kCellBase.height(), kCell.height())};
}

} // namespace

std::unique_ptr<ContractDesktop> makeContractDesktop() {
    return std::make_unique<SimContractDesktop>();
}

SimContractDesktop::SimContractDesktop() {
    m_desk.addScreen(kScreen, kScreen.adjusted(0, 0, 0, -25));
}

AxElement SimContractDesktop::openWindow(ClientSizing sizing) {
    const qint32 pid = m_desk.addApplication(QStringLiteral("Client %1").arg(m_windows.size() + 1));
    const QPointF topLeft(100 + 40 * m_windows.size(), 100 + 30 * m_windows.size());
    const QSizeF size(640, 400);
    const bool isStepped = sizing == ClientSizing::Stepped;
    const SimWindowId window = m_desk.addWindow(pid, QRectF(topLeft, isStepped ? toCells(size) : size));
    if (isStepped)
        m_desk.setSizeConstraint(window, toCells);
    m_desk.setFocusedWindow(pid, window);
    const AxElement element = m_desk.windowElement(window);
    m_windows.insert(element.handle, window);
    return element;
}

void SimContractDesktop::closeWindow(AxElement window) {
    m_desk.removeWindow(m_windows.take(window.handle));
}

void SimContractDesktop::pressKeys(const KeyChord& chord) {
    using namespace modifier;
    const bool isDigit = chord.key == GrabKey::Digit || chord.key == GrabKey::KeypadDigit;
    const quint16 arrows[] = {keycode::kLeftArrow, keycode::kRightArrow, keycode::kUpArrow,
                              keycode::kDownArrow};
    const quint64 keypad = chord.key == GrabKey::KeypadDigit ? kNumericPad : 0;
    m_desk.events().sendGlobal(
        SimEvents::keyDown(isDigit ? QString::number(chord.digit) : QString(),
                           isDigit ? 0 : arrows[int(chord.key) - int(GrabKey::LeftArrow)],
                           chord.modifierFlags | keypad, m_desk.runLoop().now()));
}

void SimContractDesktop::movePointer(QPointF point) {
    m_desk.events().setMouseLocation(QPointF(point.x(), kScreen.height() - point.y()));
    const bool isDragging = m_desk.events().pressedMouseButtons() & mousebutton::kLeft;
    sendPointer(isDragging ? EventType::LeftMouseDragged : EventType::MouseMoved);
}

void SimContractDesktop::pressButton(quint32 button) {
    SimEvents& events = m_desk.events();
    events.setPressedMouseButtons(events.pressedMouseButtons() | button);
    sendPointer(button == mousebutton::kLeft ? EventType::LeftMouseDown : EventType::RightMouseDown);
}

void SimContractDesktop::releaseButton(quint32 button) {
    SimEvents& events = m_desk.events();
    events.setPressedMouseButtons(events.pressedMouseButtons() & ~button);
    sendPointer(button == mousebutton::kLeft ? EventType::LeftMouseUp : EventType::RightMouseUp);
}

void SimContractDesktop::sendPointer(EventType type) {
    m_desk.events().sendGlobal(SimEvents::mouse(type, m_desk.runLoop().now()));
}

// A millisecond at a time: what falls due runs in order, and the condition is asked in between.
bool SimContractDesktop::waitUntil(double seconds, const std::function<bool()>& condition) {
    const double deadline = m_desk.runLoop().now() + seconds;
    m_desk.settle();
    while (!condition()) {
        if (m_desk.runLoop().now() >= deadline)
            return false;
        m_desk.runLoop().advance(0.001);
        m_desk.settle();
    }
    return true;
}

} // namespace corvane
