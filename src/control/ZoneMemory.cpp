#include "ZoneMemory.h"

#include "control/ScreenLookup.h"
#include "control/WindowAccess.h"
#include "control/WindowLookup.h"
#include "model/ScreenGeometry.h"
#include "platform/common/Log.h"

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
    if (remembered.size() > ZoneMemory::maxRememberedWindows)
        remembered.remove(0, remembered.size() - ZoneMemory::maxRememberedWindows);
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

ZoneMemory::ZoneMemory(Platform& platform, FrameWriteQueue& writes, ZoneTracker& tracker, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_writes(writes)
    , m_tracker(tracker)
    , m_keepsZones(platform.defaults.boolean(kKeepsWindowZonesKey).value_or(false)) {
    if (m_keepsZones)
        m_remembered = rememberedFromStored(platform.defaults.object(kWindowZonesKey));
    for (const quint32 number : titleBarCorners(platform).keys())
        m_seen.insert(number);
    connect(&tracker, &ZoneTracker::zonePlaced, this, &ZoneMemory::zonePlaced);
    connect(&tracker, &ZoneTracker::zoneLeft, this, &ZoneMemory::zoneLeft);
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
        for (const WindowZone& zone : m_tracker.placedZones()) {
            if (!zone.application.isEmpty())
                remember(zone, std::nullopt);
        }
    }
    if (isChange)
        emit keepsZonesChanged(keeps);
}

void ZoneMemory::zonePlaced(const WindowZone& zone, const std::optional<WindowZone>& before) {
    if (m_keepsZones && !zone.application.isEmpty())
        remember(zone, before);
}

void ZoneMemory::zoneLeft(const WindowZone& zone) {
    if (!m_keepsZones)
        return;
    m_remembered.removeIf(
        [&zone](const Remembered& r) { return r.application == zone.application && r.title == zone.title; });
    store();
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
    const QString application =
        applicationNameOf(m_platform.accessibility, m_platform.workspace, window, std::nullopt);
    const std::optional<Remembered> found =
        match(application, windowTitleOf(m_platform.accessibility, window));
    if (!found) {
        qCDebug(lcGeneral).noquote() << "Window" << number << "of" << application
                                     << "opens where it is put: no zone is kept for it";
        return;
    }
    const std::optional<QRectF> frame = axFrameOf(m_platform.accessibility, window);
    if (!frame)
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
    // Hidden (minimised, on another desktop) it is still listed; closed, it is gone.
    if (!windowBounds(m_platform, number))
        m_seen.remove(number);
}

void ZoneMemory::frameChanged(quint32 number) {
    if (m_opening.contains(number))
        restOpening(number);
}

std::optional<ZoneMemory::Remembered> ZoneMemory::match(const QString& application,
                                                        const QString& title) const {
    // Each remembered window goes to one window: those an open window holds already are passed over.
    const QList<WindowZone> placed = m_tracker.placedZones();
    QList<Remembered> candidates;
    for (const Remembered& r : m_remembered) {
        const bool isHeld = std::any_of(placed.cbegin(), placed.cend(), [&r](const WindowZone& p) {
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

void ZoneMemory::remember(const Remembered& remembered, const std::optional<Remembered>& replaced) {
    m_remembered.removeIf([&](const Remembered& r) {
        const auto isOf = [&r](const Remembered& o) {
            return r.application == o.application && r.title == o.title;
        };
        return isOf(remembered) || (replaced && isOf(*replaced));
    });
    m_remembered.append(remembered);
    if (m_remembered.size() > maxRememberedWindows)
        m_remembered.remove(0, m_remembered.size() - maxRememberedWindows);
    store();
}

void ZoneMemory::store() {
    m_platform.defaults.setObject(kWindowZonesKey, storedRemembered(m_remembered));
}

} // namespace corvane
