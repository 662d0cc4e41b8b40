#include "WindowAccess.h"

#include "control/ScreenLookup.h"

#include <cmath>

namespace corvane {

namespace {

constexpr std::chrono::microseconds kSettlePause{10000};
constexpr double kSizeTolerance = 5.0;

std::optional<AxElement> focusedWindow(Accessibility& accessibility, qint32 pid) {
    const AttributeResult focused =
        accessibility.copyAttributeValue(accessibility.applicationElement(pid), ax::kFocusedWindow);
    const AxElement* window = focused.get<AxElement>();
    if (!window || window->isNull())
        return std::nullopt;
    return *window;
}

void writeSize(Accessibility& accessibility, AxElement window, QSizeF size) {
    if (const std::optional<AxValue> value = accessibility.createSizeValue(size))
        accessibility.setAttributeValue(window, ax::kSize, *value);
}

void writePosition(Accessibility& accessibility, AxElement window, QPointF position) {
    if (const std::optional<AxValue> value = accessibility.createPointValue(position))
        accessibility.setAttributeValue(window, ax::kPosition, *value);
}

} // namespace

std::optional<QRectF> axFrameOf(Accessibility& accessibility, AxElement element) {
    const AttributeResult position = accessibility.copyAttributeValue(element, ax::kPosition);
    const AttributeResult size = accessibility.copyAttributeValue(element, ax::kSize);
    const AxValue* p = position.get<AxValue>();
    const AxValue* s = size.get<AxValue>();
    if (!p || !s || !p->pointValue() || !s->sizeValue())
        return std::nullopt;
    return QRectF(*p->pointValue(), *s->sizeValue());
}

std::optional<QRectF> frameOfFocusedWindow(Accessibility& accessibility, qint32 pid, double primaryHeight) {
    const std::optional<AxElement> window = focusedWindow(accessibility, pid);
    if (!window)
        return std::nullopt;
    const std::optional<QRectF> ax = axFrameOf(accessibility, *window);
    if (!ax)
        return std::nullopt;
    return screenFrameFromAx(ax->topLeft(), ax->size(), primaryHeight);
}

bool writeFocusedWindowFrame(Accessibility& accessibility, RunLoop& runLoop, qint32 pid, const QRectF& frame,
                             double primaryHeight, const QRectF& visibleFrame) {
    const std::optional<AxElement> window = focusedWindow(accessibility, pid);
    if (!window)
        return false;
    const double w = frame.width();
    const double h = frame.height();
    const double axTop = primaryHeight - (frame.y() + h);
    double x = (frame.x() + w / 2) - w * 0.5;
    if (x + w > visibleFrame.x() + visibleFrame.width())
        x = visibleFrame.x() + visibleFrame.width() - w;
    if (x < visibleFrame.x())
        x = visibleFrame.x(); // the left edge wins when the window is wider than the screen
    const QPointF position(x, axTop);

    writeSize(accessibility, *window, {w, h});
    runLoop.pause(kSettlePause);
    writePosition(accessibility, *window, position);
    runLoop.pause(kSettlePause);
    const AttributeResult readBack = accessibility.copyAttributeValue(*window, ax::kSize);
    if (const AxValue* value = readBack.get<AxValue>(); value && value->sizeValue()) {
        const QSizeF actual = *value->sizeValue();
        if (std::abs(actual.width() - w) > kSizeTolerance || std::abs(actual.height() - h) > kSizeTolerance) {
            writeSize(accessibility, *window, {w, h});
            runLoop.pause(kSettlePause);
        }
    }
    writePosition(accessibility, *window, position);
    return true;
}

void writeWindowFrameTwice(Accessibility& accessibility, RunLoop& runLoop, AxElement window,
                           const QRectF& frame, double primaryHeight) {
    const QPointF position = axTopLeftOf(frame, primaryHeight);
    for (int pass = 0; pass < 2; ++pass) {
        writeSize(accessibility, window, frame.size());
        writePosition(accessibility, window, position);
        if (pass == 0)
            runLoop.pause(kSettlePause);
    }
}

void activateTargetApplication(Workspace& workspace, const RunningApplication& application) {
    workspace.yieldActivation(application);
}

} // namespace corvane
