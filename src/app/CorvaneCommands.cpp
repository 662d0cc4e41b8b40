#include "CorvaneCommands.h"

#include "model/BuiltInLayouts.h"

#include <QAbstractEventDispatcher>
#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

// A caller's string as an error quotes it: cut short, on a whole character, when it is long.
QString echoed(const QString& text) {
    if (text.size() <= CorvaneCommands::kMaxEchoedCharacters)
        return text;
    qsizetype end = CorvaneCommands::kMaxEchoedCharacters;
    if (text[end - 1].isHighSurrogate())
        --end;
    return text.left(end) + u'…';
}

} // namespace

CorvaneCommands::CorvaneCommands(ZoneCycle& cycle, WindowPlacer& placer, ZoneNavigator& navigator,
                                 ZoneSwapper& swapper, FrameWriteQueue& writes, const PresetStore& presets,
                                 PointerBarrier whenPointerHandled, std::function<void()> showSettings,
                                 std::function<void()> showPanel)
    : m_cycle(cycle)
    , m_placer(placer)
    , m_navigator(navigator)
    , m_swapper(swapper)
    , m_writes(writes)
    , m_presets(presets)
    , m_whenPointerHandled(std::move(whenPointerHandled))
    , m_showSettings(std::move(showSettings))
    , m_showPanel(std::move(showPanel)) {}

void CorvaneCommands::applyLayout(const QString& name, const Reply& reply) {
    if (refusesLongName(name, reply))
        return;
    finish(m_cycle.applyLayout(name, whenWritten(reply)), reply, name);
}

void CorvaneCommands::cycleZone(qint32 step, const Reply& reply) {
    finish(m_cycle.cycleZone(step, whenWritten(reply)), reply);
}

void CorvaneCommands::moveToAdjacentScreen(qint32 step, const Reply& reply) {
    finish(m_cycle.moveToAdjacentScreen(step, whenWritten(reply)), reply);
}

void CorvaneCommands::resize(double width, double height, const Reply& reply) {
    // Finite sizes are clamped to what a preset may hold; NaN and infinity say nothing about a size.
    if (!std::isfinite(width) || !std::isfinite(height)) {
        reply(CommandError{QString::fromLatin1(commanderror::kInvalidSize),
                           QStringLiteral("The width and height must be finite numbers of pixels.")});
        return;
    }
    finish(m_placer.resizeFocusedWindow(width, height, whenWritten(reply)), reply);
}

void CorvaneCommands::snapToZone(const QString& layout, quint32 zone, const Reply& reply) {
    if (refusesLongName(layout, reply))
        return;
    const qint64 index = qint64(zone) - 1;
    finish(m_cycle.snapToZone(layout, index, whenWritten(reply)), reply, layout, zone);
}

void CorvaneCommands::snapToZones(const QString& layout, quint32 first, quint32 last, const Reply& reply) {
    if (refusesLongName(layout, reply))
        return;
    // Zones count from 1: a 0 is the zone to name in an error, else the larger one, past the end.
    const quint32 named = std::min(first, last) == 0 ? 0 : std::max(first, last);
    finish(m_cycle.snapToZones(layout, qint64(first) - 1, qint64(last) - 1, whenWritten(reply)), reply,
           layout, named);
}

void CorvaneCommands::restore(const Reply& reply) {
    finish(m_placer.restoreFocusedWindow(whenWritten(reply)), reply);
}

std::optional<ZoneDirection> CorvaneCommands::directionNamed(const QString& name, const Reply& reply) {
    const QStringList names{"left", "right", "up", "down"};
    const qsizetype index = names.indexOf(name);
    if (index < 0) {
        reply(CommandError{
            QString::fromLatin1(commanderror::kInvalidArgs),
            QStringLiteral("\"%1\" is no direction: left, right, up or down.").arg(echoed(name))});
        return std::nullopt;
    }
    return ZoneDirection(index);
}

void CorvaneCommands::moveToNeighbourZone(const QString& direction, const Reply& reply) {
    const std::optional<ZoneDirection> named = directionNamed(direction, reply);
    if (!named)
        return;
    const Placement placement = m_navigator.moveToNeighbourZone(*named, whenWritten(reply));
    if (placement == Placement::UnknownLayout)
        reply(CommandError{QString::fromLatin1(commanderror::kUnknownLayout),
                           QStringLiteral("Neither the window nor its screen has a layout to move in.")});
    else
        finish(placement, reply);
}

void CorvaneCommands::swapWithNeighbour(const QString& direction, const Reply& reply) {
    if (const std::optional<ZoneDirection> named = directionNamed(direction, reply))
        finish(m_swapper.swapWithNeighbour(*named, whenWritten(reply)), reply);
}

namespace {

// Runs `then` the next time the event loop is about to wait for more: the desktop's events read ahead
// while a reply was awaited are drained then, by handlers connected before this one.
void whenAboutToWait(const std::function<void()>& then) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, dispatcher, [then, once] {
        QObject::disconnect(*once);
        then();
    });
}

} // namespace

// Qt may say it is about to wait while events are still posted, so the barrier is posted itself once
// it has been about to wait: it runs after every event posted before it, in a turn that also read
// every connection. What those events asked to write is in the queue by the next wait.
void CorvaneCommands::settle(const Reply& reply) {
    m_whenPointerHandled([this, reply] {
        whenAboutToWait([this, reply] {
            QMetaObject::invokeMethod(
                QAbstractEventDispatcher::instance(),
                [this, reply] {
                    whenAboutToWait([this, reply] { m_writes.whenIdle([reply] { reply(std::nullopt); }); });
                },
                Qt::QueuedConnection);
        });
    });
}

QList<LayoutSummary> CorvaneCommands::listLayouts() const {
    QList<LayoutSummary> layouts;
    for (const SnapLayout& builtIn : builtInLayouts())
        layouts.append({builtIn.name, quint32(builtIn.zones.size())});
    for (const Preset& preset : m_presets.all()) {
        const std::optional<SnapLayout> grid = preset.gridLayout();
        layouts.append({preset.name, grid ? quint32(grid->zones.size()) : 0});
    }
    return layouts;
}

WriteDone CorvaneCommands::whenWritten(const Reply& reply) {
    return [reply](bool isWritten) {
        if (isWritten)
            reply(std::nullopt);
        else
            reply(CommandError{QString::fromLatin1(commanderror::kNoTargetWindow),
                               QStringLiteral("The window to act on went away before it could be moved.")});
    };
}

bool CorvaneCommands::refusesLongName(const QString& name, const Reply& reply) {
    // The length in characters first: a long name is never converted whole.
    if (name.size() <= kMaxNameBytes && name.toUtf8().size() <= kMaxNameBytes)
        return false;
    reply(CommandError{QString::fromLatin1(commanderror::kInvalidArgs),
                       QStringLiteral("A layout's name is at most %1 bytes long; \"%2\" is longer.")
                           .arg(kMaxNameBytes)
                           .arg(echoed(name))});
    return true;
}

void CorvaneCommands::finish(Placement placement, const Reply& reply, const QString& layoutName,
                             quint32 zone) const {
    if (placement != Placement::Requested)
        reply(errorFor(placement, layoutName, zone));
}

CommandError CorvaneCommands::errorFor(Placement placement, const QString& layoutName, quint32 zone) const {
    const auto error = [](const char* name, const QString& message) {
        return CommandError{QString::fromLatin1(name), message};
    };
    switch (placement) {
    case Placement::UnknownLayout:
        for (const Preset& preset : m_presets.all()) {
            if (preset.name == layoutName && preset.isSizePreset())
                return error(
                    commanderror::kUnknownLayout,
                    QStringLiteral("\"%1\" is a size preset: it has no zones.").arg(echoed(layoutName)));
        }
        return error(commanderror::kUnknownLayout,
                     QStringLiteral("No layout or preset is named \"%1\".").arg(echoed(layoutName)));
    case Placement::NoSuchZone: {
        const qsizetype count = m_presets.layout(layoutName)->zones.size();
        return error(commanderror::kNoSuchZone,
                     QStringLiteral("\"%1\" has zones 1 to %2; there is no zone %3.")
                         .arg(echoed(layoutName))
                         .arg(count)
                         .arg(zone));
    }
    case Placement::NoTargetWindow:
        return error(commanderror::kNoTargetWindow,
                     QStringLiteral("There is no window to act on: Corvane acts on the window you last "
                                    "worked in, and found none."));
    case Placement::NoOtherScreen:
        return error(commanderror::kNoOtherScreen,
                     QStringLiteral("There is no other screen to move the window to."));
    case Placement::NoCycledLayout:
        return error(commanderror::kNoCycledLayout,
                     QStringLiteral("No layout was applied yet, so there are no zones to step through."));
    case Placement::NothingToRestore:
        return error(
            commanderror::kNothingToRestore,
            QStringLiteral("The window has no earlier frame to go back to: Corvane has not placed it."));
    case Placement::InvalidRememberedFrame:
        return error(
            commanderror::kInvalidRememberedFrame,
            QStringLiteral("The frame remembered on the window is not one a window can have; Corvane "
                           "removed it and left the window where it is."));
    case Placement::ExcludedApplication:
        return error(commanderror::kExcludedApplication,
                     QStringLiteral("Corvane leaves the windows of \"%1\" alone: it is on the list of "
                                    "applications Corvane never moves.")
                         .arg(echoed(m_placer.excludedTarget().value_or(RunningApplication()).name)));
    case Placement::NoNeighbourWindow:
        return error(commanderror::kNoNeighbourWindow,
                     QStringLiteral("No window Corvane placed in a zone lies that way to swap with."));
    case Placement::Requested:
        break;
    }
    return {};
}

} // namespace corvane
