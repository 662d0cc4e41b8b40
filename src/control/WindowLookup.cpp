#include "WindowLookup.h"

#include "control/HitTest.h"
#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "model/ScreenGeometry.h"

#include <cmath>
#include <limits>

namespace corvane {

namespace {

constexpr float kDragTimeout = 0.25f;
constexpr float kPaletteTimeout = 0.1f;
constexpr int kMaxWalk = 12;

std::optional<double> numberIn(const QVariantMap& map, const char* key) {
    const QVariant v = map.value(QLatin1String(key));
    if (v.typeId() != QMetaType::LongLong && v.typeId() != QMetaType::Double)
        return std::nullopt;
    return v.toDouble();
}

// A window list of the right shape: a list of maps, or none.
std::optional<QList<QVariantMap>> entriesOf(const QVariant& list) {
    if (list.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QList<QVariantMap> entries;
    for (const QVariant& entry : list.toList()) {
        if (entry.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
        entries.append(entry.toMap());
    }
    return entries;
}

// Numbers are compared as doubles: a damaged entry may hold NaN or a value no integer type holds.
bool isOrdinaryWindowOfAnother(const QVariantMap& entry, qint32 self) {
    const std::optional<double> layer = numberIn(entry, windowinfo::kLayer);
    const std::optional<double> owner = numberIn(entry, windowinfo::kOwnerPid);
    return layer && *layer == 0 && owner && *owner != double(self);
}

std::optional<quint32> windowNumberIn(const QVariantMap& entry) {
    const std::optional<double> number = numberIn(entry, windowinfo::kNumber);
    if (!number || !(*number >= 1 && *number <= double(std::numeric_limits<quint32>::max())))
        return std::nullopt;
    return quint32(*number);
}

// The element at the point, with its timeout set, unless it belongs to this process.
std::optional<AxElement> elementOfAnotherAt(Platform& platform, QPointF point, float timeout) {
    Accessibility& ax = platform.accessibility;
    const AxElement systemWide = ax.systemWideElement();
    ax.setMessagingTimeout(systemWide, timeout);
    const ElementHit hit = ax.elementAtPosition(systemWide, float(point.x()), float(point.y()));
    if (hit.error != AxError::Success || hit.element.isNull())
        return std::nullopt;
    ax.setMessagingTimeout(hit.element, timeout);
    const PidResult pid = ax.pidOfElement(hit.element);
    if (pid.error != AxError::Success || pid.pid == platform.workspace.currentProcessId())
        return std::nullopt;
    return hit.element;
}

} // namespace

std::optional<QRectF> boundsRect(const QVariant& bounds) {
    if (bounds.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = bounds.toMap();
    const auto x = numberIn(map, windowinfo::kX);
    const auto y = numberIn(map, windowinfo::kY);
    const auto w = numberIn(map, windowinfo::kWidth);
    const auto h = numberIn(map, windowinfo::kHeight);
    if (!x || !y || !w || !h)
        return std::nullopt;
    return QRectF(*x, *y, *w, *h);
}

std::optional<WindowHit> windowAt(Platform& platform, QPointF point) {
    const auto entries =
        entriesOf(platform.windowServer.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0));
    if (!entries)
        return std::nullopt;
    const qint32 self = platform.workspace.currentProcessId();
    QList<WindowHit> windows;
    for (const QVariantMap& entry : *entries) {
        if (!isOrdinaryWindowOfAnother(entry, self))
            continue;
        const std::optional<quint32> number = windowNumberIn(entry);
        const std::optional<QRectF> bounds = boundsRect(entry.value(QLatin1String(windowinfo::kBounds)));
        if (number && bounds)
            windows.append(WindowHit{*number, *bounds});
    }
    return firstUnder(windows, point, &WindowHit::bounds, rectContainsPoint);
}

QList<quint32> ordinaryWindowsInFront(Platform& platform) {
    QList<quint32> numbers;
    const auto entries =
        entriesOf(platform.windowServer.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0));
    if (!entries)
        return numbers;
    const qint32 self = platform.workspace.currentProcessId();
    for (const QVariantMap& entry : *entries) {
        if (!isOrdinaryWindowOfAnother(entry, self))
            continue;
        if (const std::optional<quint32> number = windowNumberIn(entry))
            numbers.append(*number);
    }
    return numbers;
}

std::optional<QRectF> titleBarCornerAt(Platform& platform, QPointF point) {
    const double h = primaryScreenHeight(platform.screens);
    const qint64 number = platform.windowServer.windowNumberAt(QPointF(point.x(), h - point.y()));
    if (number < 1)
        return std::nullopt;
    const auto entries =
        entriesOf(platform.windowServer.copyWindowList(WindowListOption::IncludingWindow, quint32(number)));
    if (!entries || entries->isEmpty())
        return std::nullopt;
    // Only the frontmost window counts: a window behind an excluded one is not looked at.
    const QVariantMap& front = entries->first();
    if (!isOrdinaryWindowOfAnother(front, platform.workspace.currentProcessId()))
        return std::nullopt;
    return titleBarCorner(front);
}

std::optional<QRectF> windowBounds(Platform& platform, quint32 number) {
    const auto entries =
        entriesOf(platform.windowServer.copyWindowList(WindowListOption::IncludingWindow, number));
    if (!entries || entries->isEmpty())
        return std::nullopt;
    return boundsRect(entries->first().value(QLatin1String(windowinfo::kBounds)));
}

std::optional<qint32> ownerOfWindow(Platform& platform, quint32 number) {
    const auto entries =
        entriesOf(platform.windowServer.copyWindowList(WindowListOption::IncludingWindow, number));
    if (!entries || entries->isEmpty() ||
        !isOrdinaryWindowOfAnother(entries->first(), platform.workspace.currentProcessId()))
        return std::nullopt;
    const double pid = *numberIn(entries->first(), windowinfo::kOwnerPid);
    if (!(pid >= 1 && pid <= double(std::numeric_limits<qint32>::max())))
        return std::nullopt;
    return qint32(pid);
}

std::optional<QRectF> titleBarCorner(const QVariantMap& entry) {
    return boundsRect(entry.value(QLatin1String(windowinfo::kZoomButtonRegion)));
}

QHash<quint32, std::optional<QRectF>> titleBarCorners(Platform& platform, std::optional<quint32> window) {
    const auto entries = entriesOf(
        window ? platform.windowServer.copyWindowList(WindowListOption::IncludingWindow, *window)
               : platform.windowServer.copyWindowList(WindowListOption::OnScreenOnlyExcludingDesktop, 0));
    if (!entries)
        return {};
    const double self = platform.workspace.currentProcessId();
    QHash<quint32, std::optional<QRectF>> corners;
    for (const QVariantMap& entry : *entries) {
        const std::optional<double> layer = numberIn(entry, windowinfo::kLayer);
        const std::optional<quint32> number = windowNumberIn(entry);
        if (!layer || *layer != 0 || !number)
            continue;
        // Unlike the press lookups, an entry without a readable owner still counts here.
        if (const std::optional<double> owner = numberIn(entry, windowinfo::kOwnerPid);
            owner && *owner == self)
            continue;
        corners.insert(*number, titleBarCorner(entry));
    }
    return corners;
}

bool framesMatch(const QRectF& a, const QRectF& b) {
    return std::abs(a.x() - b.x()) < 1.0 && std::abs(a.y() - b.y()) < 1.0 &&
           std::abs(a.width() - b.width()) < 1.0 && std::abs(a.height() - b.height()) < 1.0;
}

std::optional<AxElement> windowElement(Platform& platform, QPointF point) {
    const std::optional<AxElement> hit = elementOfAnotherAt(platform, point, kDragTimeout);
    if (!hit)
        return std::nullopt;
    return windowElementContaining(platform.accessibility, *hit, kDragTimeout);
}

std::optional<AxElement> windowElementContaining(Accessibility& accessibility, AxElement element,
                                                 float timeout) {
    const AttributeResult window = accessibility.copyAttributeValue(element, ax::kWindow);
    if (const AxElement* w = window.get<AxElement>(); w && !w->isNull()) {
        accessibility.setMessagingTimeout(*w, timeout);
        return *w;
    }
    AxElement current = element;
    for (int examined = 1;; ++examined) {
        const AttributeResult role = accessibility.copyAttributeValue(current, ax::kRole);
        if (const QString* r = role.get<QString>(); r && *r == QLatin1String(ax::kWindowRole))
            return current;
        if (examined == kMaxWalk)
            return std::nullopt;
        const AttributeResult parent = accessibility.copyAttributeValue(current, ax::kParent);
        const AxElement* p = parent.get<AxElement>();
        if (!p || p->isNull())
            return std::nullopt;
        current = *p;
    }
}

std::optional<ZoomButtonHit> zoomButton(Platform& platform, QPointF point) {
    Accessibility& ax = platform.accessibility;
    const std::optional<AxElement> hit = elementOfAnotherAt(platform, point, kPaletteTimeout);
    if (!hit)
        return std::nullopt;
    const AttributeResult subrole = ax.copyAttributeValue(*hit, ax::kSubrole);
    const QString* s = subrole.get<QString>();
    if (!s ||
        (*s != QLatin1String(ax::kFullScreenButtonSubrole) && *s != QLatin1String(ax::kZoomButtonSubrole)))
        return std::nullopt;
    const std::optional<QRectF> button = axFrameOf(ax, *hit);
    if (!button)
        return std::nullopt;
    const std::optional<AxElement> window = windowElementContaining(ax, *hit, kPaletteTimeout);
    if (!window)
        return std::nullopt;
    const AttributeResult fullScreen = ax.copyAttributeValue(*window, ax::kFullScreen);
    if (const bool* isFull = fullScreen.get<bool>(); isFull && *isFull)
        return std::nullopt; // a window in full screen has no palette
    return ZoomButtonHit{*button, *window};
}

} // namespace corvane
