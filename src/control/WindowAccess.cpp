#include "WindowAccess.h"

#include "control/ScreenLookup.h"

#include <cmath>

namespace corvane {

namespace {

// Between writes: until the window has taken the last one, 10 ms at most.
constexpr std::chrono::microseconds kSettlePause{10000};
constexpr double kSizeTolerance = 5.0;
// A title bar's height at most. Some window managers place the frame off the requested spot by their
// decorations (they take the position for the client's, not the frame's): a larger difference means
// the window manager kept the window somewhere else on purpose.
constexpr double kMaxTitleBarHeight = 64.0;
// X keeps window sizes and positions in 16 bits: beyond these no window can be.
constexpr double kMaxWindowExtent = 32767.0;

void writeSize(Accessibility& accessibility, AxElement window, QSizeF size) {
    if (const std::optional<AxValue> value = accessibility.createSizeValue(size))
        accessibility.setAttributeValue(window, ax::kSize, *value);
}

void writePosition(Accessibility& accessibility, AxElement window, QPointF position) {
    if (const std::optional<AxValue> value = accessibility.createPointValue(position))
        accessibility.setAttributeValue(window, ax::kPosition, *value);
}

std::optional<QPointF> readPosition(Accessibility& accessibility, AxElement window) {
    const AttributeResult position = accessibility.copyAttributeValue(window, ax::kPosition);
    const AxValue* value = position.get<AxValue>();
    return value ? value->pointValue() : std::nullopt;
}

bool isPossibleWindowFrame(const QRectF& r) {
    // Written so that NaN fails every test.
    return r.width() >= 1 && r.width() <= kMaxWindowExtent && r.height() >= 1 &&
           r.height() <= kMaxWindowExtent && std::abs(r.x()) <= kMaxWindowExtent &&
           std::abs(r.y()) <= kMaxWindowExtent;
}

// Before Corvane first changes a window's frame, the frame it had goes on the window itself, where a
// restart of Corvane finds it and which dies with the window; a window that has one keeps its first,
// unless no window can have that one. A read that fails for any other reason than "none there" writes
// nothing.
void rememberFrame(Accessibility& accessibility, AxElement window) {
    const AttributeResult remembered = accessibility.copyAttributeValue(window, ax::kRestoreFrame);
    const AxValue* value = remembered.get<AxValue>();
    const bool isImpossible = value && value->rectValue() && !isPossibleWindowFrame(*value->rectValue());
    if (remembered.error != AxError::NoValue && !isImpossible)
        return;
    if (const std::optional<QRectF> frame = axFrameOf(accessibility, window))
        accessibility.setAttributeValue(window, ax::kRestoreFrame, AxValue::ofRect(*frame));
}

// The position to write last: the requested one, less the offset the window manager added when
// the window moved (from where it was before the writes) to near the requested spot. A window that
// has not moved yet tells nothing.
QPointF correctedPosition(QPointF requested, std::optional<QPointF> before, std::optional<QPointF> landed) {
    if (!landed || (before && *before == *landed))
        return requested;
    const QPointF offset = *landed - requested;
    if (std::abs(offset.x()) > kMaxTitleBarHeight || std::abs(offset.y()) > kMaxTitleBarHeight)
        return requested;
    return requested - offset;
}

// Where a frame in screen coordinates goes, as the AX position of its top-left: its right and bottom
// edges give way to keep it inside the visible frame, and its left edge and top win, so that the title
// bar, with the window's controls, stays where the user can reach it. A frame taller than the screen
// hangs from the top; one below the screen comes up until its title bar is inside.
QPointF reachablePosition(const QRectF& frame, double primaryHeight, const QRectF& visibleFrame) {
    const QRectF& v = visibleFrame;
    double x = frame.x();
    if (x + frame.width() > v.x() + v.width())
        x = v.x() + v.width() - frame.width();
    x = std::max(x, v.x());
    double top = frame.y() + frame.height(); // screen coordinates: y grows upwards
    top = std::max(top, v.y() + std::min(frame.height(), kMaxTitleBarHeight));
    top = std::min(top, v.y() + v.height());
    return {x, primaryHeight - top};
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

std::optional<AxElement> focusedWindowOf(Accessibility& accessibility, qint32 pid) {
    const AttributeResult focused =
        accessibility.copyAttributeValue(accessibility.applicationElement(pid), ax::kFocusedWindow);
    const AxElement* window = focused.get<AxElement>();
    if (!window || window->isNull())
        return std::nullopt;
    return *window;
}

RememberedFrameRead rememberedFrameOf(Accessibility& accessibility, AxElement window) {
    const AttributeResult remembered = accessibility.copyAttributeValue(window, ax::kRestoreFrame);
    const AxValue* value = remembered.get<AxValue>();
    const std::optional<QRectF> frame = value ? value->rectValue() : std::nullopt;
    if (!frame)
        return {};
    if (!isPossibleWindowFrame(*frame)) {
        forgetRememberedFrame(accessibility, window);
        return {std::nullopt, true};
    }
    return {frame, false};
}

void forgetRememberedFrame(Accessibility& accessibility, AxElement window) {
    accessibility.setAttributeValue(window, ax::kRestoreFrame, std::monostate());
}

bool writeWindowFrame(Accessibility& accessibility, AxElement window, const QRectF& frame,
                      double primaryHeight, const QRectF& visibleFrame, RememberedFrame remembered) {
    const AttributeResult start = accessibility.copyAttributeValue(window, ax::kPosition);
    if (start.error == AxError::InvalidElement)
        return false; // gone since the request was made
    const double w = frame.width();
    const double h = frame.height();
    const QPointF position = reachablePosition(frame, primaryHeight, visibleFrame);
    const AxValue* startValue = start.get<AxValue>();
    const std::optional<QPointF> before = startValue ? startValue->pointValue() : std::nullopt;

    rememberFrame(accessibility, window);
    writeSize(accessibility, window, {w, h});
    accessibility.waitUntilApplied(window, kSettlePause);
    writePosition(accessibility, window, position);
    accessibility.waitUntilApplied(window, kSettlePause);
    const AttributeResult readBack = accessibility.copyAttributeValue(window, ax::kSize);
    const std::optional<QPointF> landed = readPosition(accessibility, window);
    if (const AxValue* value = readBack.get<AxValue>(); value && value->sizeValue()) {
        const QSizeF actual = *value->sizeValue();
        if (std::abs(actual.width() - w) > kSizeTolerance || std::abs(actual.height() - h) > kSizeTolerance) {
            writeSize(accessibility, window, {w, h});
            accessibility.waitUntilApplied(window, kSettlePause);
        }
    }
    writePosition(accessibility, window, correctedPosition(position, before, landed));
    if (remembered == RememberedFrame::Forget)
        forgetRememberedFrame(accessibility, window);
    return true;
}

void writeWindowFrameTwice(Accessibility& accessibility, AxElement window, const QRectF& frame,
                           double primaryHeight, const QRectF& visibleFrame) {
    const QPointF position = reachablePosition(frame, primaryHeight, visibleFrame);
    const std::optional<QPointF> before = readPosition(accessibility, window);
    rememberFrame(accessibility, window);
    writeSize(accessibility, window, frame.size());
    writePosition(accessibility, window, position);
    accessibility.waitUntilApplied(window, kSettlePause);
    const std::optional<QPointF> landed = readPosition(accessibility, window);
    writeSize(accessibility, window, frame.size());
    writePosition(accessibility, window, correctedPosition(position, before, landed));
}

void writeWindowFrameOnce(Accessibility& accessibility, AxElement window, const QRectF& frame,
                          double primaryHeight) {
    writeSize(accessibility, window, frame.size());
    writePosition(accessibility, window, axTopLeftOf(frame, primaryHeight));
}

void activateTargetApplication(Workspace& workspace, const RunningApplication& application) {
    workspace.yieldActivation(application);
}

} // namespace corvane
