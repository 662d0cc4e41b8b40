#include "ZoneMemory.h"

#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "control/WindowLookup.h"
#include "model/ScreenGeometry.h"
#include "platform/common/Log.h"

#include <QPointer>
#include <cmath>

namespace corvane {

namespace {

constexpr auto kApplication = "application";
constexpr auto kTitle = "title";
constexpr auto kLayout = "layout";
constexpr auto kX = "x";
constexpr auto kY = "y";
constexpr auto kWidth = "width";
constexpr auto kHeight = "height";
constexpr auto kScreenId = "screenId";
constexpr auto kScreenName = "screenName";

// Fractions of one zone computed twice differ by rounding only.
constexpr double kFractionTolerance = 1e-6;

bool isSameFraction(const QRectF& a, const QRectF& b) {
    return std::abs(a.x() - b.x()) < kFractionTolerance && std::abs(a.y() - b.y()) < kFractionTolerance &&
           std::abs(a.width() - b.width()) < kFractionTolerance &&
           std::abs(a.height() - b.height()) < kFractionTolerance;
}

// Inside the unit square with some area: what a zone of a screen can be.
bool isZoneFraction(const QRectF& r) {
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) &&
           std::isfinite(r.height()) && r.x() >= 0 && r.y() >= 0 && r.width() > 0 && r.height() > 0 &&
           r.right() <= 1 + kFractionTolerance && r.bottom() <= 1 + kFractionTolerance;
}

std::optional<double> numberIn(const QVariantMap& map, const char* key) {
    const QVariant v = map.value(QLatin1String(key));
    if (v.typeId() != QMetaType::LongLong && v.typeId() != QMetaType::Double)
        return std::nullopt;
    return v.toDouble();
}

std::optional<QString> stringIn(const QVariantMap& map, const char* key) {
    const QVariant v = map.value(QLatin1String(key));
    return v.typeId() == QMetaType::QString ? std::optional(v.toString()) : std::nullopt;
}

std::optional<ZoneMemory::Remembered> rememberedFromEntry(const QVariantMap& map) {
    const std::optional<QString> application = stringIn(map, kApplication);
    const auto x = numberIn(map, kX), y = numberIn(map, kY), w = numberIn(map, kWidth),
               h = numberIn(map, kHeight);
    if (!application || application->isEmpty() || !x || !y || !w || !h || !isZoneFraction({*x, *y, *w, *h}))
        return std::nullopt;
    // A screen id is stored as the signed integer the settings hold.
    const QVariant id = map.value(QLatin1String(kScreenId));
    return ZoneMemory::Remembered{*application, stringIn(map, kTitle).value_or(QString()),
                                  ZonePlace{stringIn(map, kLayout).value_or(QString()),
                                            QRectF(*x, *y, *w, *h),
                                            id.typeId() == QMetaType::LongLong ? quint64(id.toLongLong()) : 0,
                                            stringIn(map, kScreenName).value_or(QString())}};
}

} // namespace

QList<ZoneMemory::Remembered> rememberedFromStored(const QVariant& stored) {
    QList<ZoneMemory::Remembered> remembered;
    if (stored.typeId() != QMetaType::QVariantList)
        return remembered;
    for (const QVariant& entry : stored.toList()) {
        if (entry.typeId() != QMetaType::QVariantMap)
            continue;
        if (const std::optional<ZoneMemory::Remembered> r = rememberedFromEntry(entry.toMap()))
            remembered.append(*r);
    }
    if (remembered.size() > ZoneMemory::maxRemembered)
        remembered.remove(0, remembered.size() - ZoneMemory::maxRemembered);
    return remembered;
}

QVariantList storedRemembered(const QList<ZoneMemory::Remembered>& remembered) {
    QVariantList list;
    for (const ZoneMemory::Remembered& r : remembered) {
        const QRectF& f = r.place.fraction;
        list.append(QVariantMap{{QLatin1String(kApplication), r.application},
                                {QLatin1String(kTitle), r.title},
                                {QLatin1String(kLayout), r.place.layout},
                                {QLatin1String(kX), f.x()},
                                {QLatin1String(kY), f.y()},
                                {QLatin1String(kWidth), f.width()},
                                {QLatin1String(kHeight), f.height()},
                                {QLatin1String(kScreenId), qint64(r.place.screenId)},
                                {QLatin1String(kScreenName), r.place.screenName}});
    }
    return list;
}

ZoneMemory::ZoneMemory(Platform& platform, FrameWriteQueue& writes, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_writes(writes)
    , m_keepsZones(platform.defaults.boolean(kKeepsWindowZonesKey).value_or(false)) {
    if (m_keepsZones)
        m_remembered = rememberedFromStored(platform.defaults.object(kWindowZonesKey));
    for (const quint32 number : titleBarCorners(platform).keys())
        m_seen.insert(number);
    // The queue may outlive this memory.
    m_writes.setObserver(
        {[self = QPointer(this)](const FrameWriteQueue::Request& r) {
             if (self)
                 self->writeAsked(r);
         },
         [self = QPointer(this)](const FrameWriteQueue::Request& r, const FrameResult& result) {
             if (self)
                 self->writeLanded(r, result);
         }});
    WindowServer& server = platform.windowServer;
    connect(&server, &WindowServer::windowAdded, this, &ZoneMemory::windowAdded);
    connect(&server, &WindowServer::windowRemoved, this, &ZoneMemory::windowRemoved);
    connect(&server, &WindowServer::windowFrameChanged, this, &ZoneMemory::frameChanged);
}

// Deliberately written on every assignment, as the other settings are.
void ZoneMemory::setKeepsZones(bool keeps) {
    const bool isChange = keeps != m_keepsZones;
    m_keepsZones = keeps;
    m_platform.defaults.setBool(kKeepsWindowZonesKey, keeps);
    if (!keeps) {
        m_remembered.clear();
        m_platform.defaults.removeObject(kWindowZonesKey);
    } else if (isChange) {
        for (const Placed& placed : std::as_const(m_placed)) {
            if (!placed.application.isEmpty())
                remember({placed.application, placed.title, placed.place}, std::nullopt);
        }
    }
    if (isChange)
        emit keepsZonesChanged(keeps);
}

std::optional<ZonePlace> ZoneMemory::zoneOf(AxElement window) {
    // On its way: the zone the last write asked for counts already, so quick presses add up.
    if (const auto asked = m_writing.constFind(window.handle); asked != m_writing.cend())
        return *asked;
    const auto placed = m_placed.constFind(window.handle);
    if (placed == m_placed.cend())
        return std::nullopt;
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window);
    if (!frame || !framesMatch(*frame, placed->frame))
        return std::nullopt;
    return placed->place;
}

void ZoneMemory::writeAsked(const FrameWriteQueue::Request& request) {
    // The window manager moves the window with the pointer: the user's move, not ours.
    if (request.write == FrameWrite::Follow)
        return;
    m_writing.insert(request.window.handle, request.zone);
    m_resting.erase(request.window.handle);
}

void ZoneMemory::writeLanded(const FrameWriteQueue::Request& request, const FrameResult& result) {
    const quint64 handle = request.window.handle;
    if (request.write == FrameWrite::Follow)
        return;
    if (!m_writes.isWaiting(request.window))
        m_writing.remove(handle);
    if (result.outcome == FrameOutcome::Gone || !result.frame) {
        m_placed.remove(handle);
        return;
    }
    if (!request.zone) {
        forget(request.window);
        return;
    }
    const std::optional<Placed> before =
        m_placed.contains(handle) ? std::optional(m_placed.value(handle)) : std::nullopt;
    ZonePlace place = *request.zone;
    // Thrown to the next screen at the same fraction: still the zone of its layout.
    if (place.layout.isEmpty() && before && isSameFraction(before->place.fraction, place.fraction))
        place.layout = before->place.layout;
    const Placed placed{place, *result.frame, applicationOf(request.window, request.application),
                        titleOf(request.window)};
    m_placed.insert(handle, placed);
    if (m_keepsZones && !placed.application.isEmpty())
        remember({placed.application, placed.title, place},
                 before ? std::optional(Remembered{before->application, before->title, before->place})
                        : std::nullopt);
}

void ZoneMemory::windowAdded(quint32 number) {
    if (m_seen.contains(number))
        return;
    m_seen.insert(number);
    if (!m_keepsZones || m_remembered.isEmpty())
        return;
    m_opening.insert_or_assign(number, Opening{m_platform.runLoop.now() + openingDeadlineSeconds, nullptr});
    restOpening(number);
}

void ZoneMemory::restOpening(quint32 number) {
    const auto opening = m_opening.find(number);
    if (opening == m_opening.end())
        return;
    const double left = opening->second.deadline - m_platform.runLoop.now();
    opening->second.rest = m_platform.runLoop.scheduleTimer(std::clamp(left, 0.0, openingRestSeconds), false,
                                                            [this, number] { placeOpened(number); });
}

void ZoneMemory::placeOpened(quint32 number) {
    m_opening.erase(number);
    const std::optional<qint32> pid = ownerOfWindow(m_platform, number);
    if (!pid)
        return;
    const AxElement window = m_platform.accessibility.elementOfWindow(number);
    const std::optional<Remembered> found = match(applicationOf(window, std::nullopt), titleOf(window));
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window);
    if (!found || !frame)
        return;
    const std::optional<Screen> screen = screenFor(found->place, *frame);
    if (!screen)
        return;
    qCDebug(lcGeneral) << "Window" << number << "of" << found->application << "opens in its zone of"
                       << found->place.layout;
    ZonePlace place = found->place;
    place.screenId = screen->id;
    place.screenName = screen->name;
    m_writes.write({.window = window,
                    .frame = screenRect(place.fraction, screen->visibleFrame),
                    .primaryHeight = primaryScreenHeight(m_platform.screens),
                    .visibleFrame = screen->visibleFrame,
                    .zone = place});
}

void ZoneMemory::windowRemoved(quint32 number) {
    m_opening.erase(number);
    const AxElement window = m_platform.accessibility.elementOfWindow(number);
    // A move just before it closed counts.
    if (m_resting.contains(window.handle))
        judge(window);
    // Hidden (minimised, on another desktop) it is still listed; closed, it is gone.
    if (windowBounds(m_platform, number))
        return;
    m_seen.remove(number);
    m_placed.remove(window.handle);
    m_writing.remove(window.handle);
    m_resting.erase(window.handle);
}

void ZoneMemory::frameChanged(quint32 number) {
    if (m_opening.contains(number))
        restOpening(number);
    const AxElement window = m_platform.accessibility.elementOfWindow(number);
    if (!m_placed.contains(window.handle) || m_writing.contains(window.handle))
        return;
    m_resting.insert_or_assign(window.handle, m_platform.runLoop.scheduleTimer(
                                                  restSeconds, false, [this, window] { judge(window); }));
}

void ZoneMemory::judge(AxElement window) {
    m_resting.erase(window.handle);
    const auto placed = m_placed.constFind(window.handle);
    if (placed == m_placed.cend())
        return;
    // Unreadable, it is closing: what it had is kept.
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window);
    if (frame && !framesMatch(*frame, placed->frame))
        forget(window);
}

void ZoneMemory::forget(AxElement window) {
    const auto placed = m_placed.find(window.handle);
    if (placed == m_placed.end())
        return;
    if (m_keepsZones) {
        m_remembered.removeIf([&placed](const Remembered& r) {
            return r.application == placed->application && r.title == placed->title;
        });
        store();
    }
    m_placed.erase(placed);
    m_resting.erase(window.handle);
}

std::optional<ZoneMemory::Remembered> ZoneMemory::match(const QString& application,
                                                        const QString& title) const {
    // Each remembered window goes to one window: those an open window holds already are passed over.
    QList<Remembered> candidates;
    for (const Remembered& r : m_remembered) {
        const bool isHeld = std::any_of(m_placed.cbegin(), m_placed.cend(), [&r](const Placed& p) {
            return p.application == r.application && p.title == r.title;
        });
        if (r.application == application && !isHeld)
            candidates.append(r);
    }
    if (candidates.size() > 1) {
        for (auto r = candidates.crbegin(); r != candidates.crend(); ++r) {
            if (r->title == title)
                return *r;
        }
    }
    return candidates.isEmpty() ? std::nullopt : std::optional(candidates.last());
}

std::optional<Screen> ZoneMemory::screenFor(const ZonePlace& place, const QRectF& axFrame) const {
    const QList<Screen> screens = m_platform.screens.screens();
    for (const Screen& screen : screens) {
        if (!place.screenName.isEmpty() && screen.name == place.screenName)
            return screen;
    }
    for (const Screen& screen : screens) {
        if (place.screenName.isEmpty() && screen.id == place.screenId)
            return screen;
    }
    const QRectF frame =
        screenFrameFromAx(axFrame.topLeft(), axFrame.size(), primaryScreenHeight(m_platform.screens));
    return screenContaining(m_platform.screens, frame);
}

QString ZoneMemory::applicationOf(AxElement window, const std::optional<RunningApplication>& known) {
    const PidResult pid = m_platform.accessibility.pidOfElement(window);
    if (pid.error != AxError::Success)
        return {};
    if (known && known->pid == pid.pid)
        return known->name;
    for (const RunningApplication& application : m_platform.workspace.runningApplications()) {
        if (application.pid == pid.pid)
            return application.name;
    }
    return {};
}

QString ZoneMemory::titleOf(AxElement window) {
    const AttributeResult title =
        m_platform.accessibility.copyAttributeValue(window, QLatin1String(ax::kTitle));
    const QString* text = title.get<QString>();
    return text ? *text : QString();
}

void ZoneMemory::remember(const Remembered& remembered, const std::optional<Remembered>& replaced) {
    m_remembered.removeIf([&](const Remembered& r) {
        const auto isOf = [&r](const Remembered& o) {
            return r.application == o.application && r.title == o.title;
        };
        return isOf(remembered) || (replaced && isOf(*replaced));
    });
    m_remembered.append(remembered);
    if (m_remembered.size() > maxRemembered)
        m_remembered.remove(0, m_remembered.size() - maxRemembered);
    store();
}

void ZoneMemory::store() {
    m_platform.defaults.setObject(kWindowZonesKey, storedRemembered(m_remembered));
}

} // namespace corvane
