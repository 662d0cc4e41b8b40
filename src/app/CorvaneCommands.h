#pragma once
// What the app.corvane.Corvane1 interface does, apart from the bus: each command acts through cycle
// mode or the placer exactly as the hotkeys, the panel and the presets do, and answers once, with
// nothing or with an error to pass on. CorvaneAdaptor puts it on the session bus.

#include "app/LayoutSummary.h"
#include "control/FrameWriteQueue.h"
#include "control/PresetStore.h"
#include "control/WindowPlacer.h"
#include "control/ZoneCycle.h"
#include "control/ZoneNavigator.h"
#include "control/ZoneSwapper.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace corvane {

// The errors a command answers with: a D-Bus error name and a message for the user.
struct CommandError {
    QString name;
    QString message;
    friend bool operator==(const CommandError&, const CommandError&) = default;
};

namespace commanderror {
inline constexpr auto kUnknownLayout = "app.corvane.Error.UnknownLayout";
inline constexpr auto kNoSuchZone = "app.corvane.Error.NoSuchZone";
inline constexpr auto kNoTargetWindow = "app.corvane.Error.NoTargetWindow";
inline constexpr auto kInvalidSize = "app.corvane.Error.InvalidSize";
inline constexpr auto kNothingToRestore = "app.corvane.Error.NothingToRestore";
inline constexpr auto kInvalidRememberedFrame = "app.corvane.Error.InvalidRememberedFrame";
inline constexpr auto kNoOtherScreen = "app.corvane.Error.NoOtherScreen";
inline constexpr auto kNoCycledLayout = "app.corvane.Error.NoCycledLayout";
inline constexpr auto kExcludedApplication = "app.corvane.Error.ExcludedApplication";
inline constexpr auto kNoNeighbourWindow = "app.corvane.Error.NoNeighbourWindow";
inline constexpr auto kInvalidArgs = "org.freedesktop.DBus.Error.InvalidArgs";
} // namespace commanderror

class CorvaneCommands {
public:
    // No layout's name is longer, in UTF-8 bytes; a longer one is refused before it is looked up.
    static constexpr qsizetype kMaxNameBytes = 1024;
    // At most this many characters of a caller's string come back in an error.
    static constexpr qsizetype kMaxEchoedCharacters = 64;

    // Called once per command, on the main thread: none when it did what it was asked.
    using Reply = std::function<void(std::optional<CommandError>)>;

    // Runs its argument once the pointer's events sent before the call have been handled.
    using PointerBarrier = std::function<void(std::function<void()>)>;

    CorvaneCommands(ZoneCycle& cycle, WindowPlacer& placer, ZoneNavigator& navigator, ZoneSwapper& swapper,
                    FrameWriteQueue& writes, const PresetStore& presets, PointerBarrier whenPointerHandled,
                    std::function<void()> showSettings, std::function<void()> showPanel);

    void applyLayout(const QString& name, const Reply& reply);
    void cycleZone(qint32 step, const Reply& reply);
    void moveToAdjacentScreen(qint32 step, const Reply& reply);
    void resize(double width, double height, const Reply& reply);
    // `zone` counts from 1, as a user counts the zones of a thumbnail.
    void snapToZone(const QString& layout, quint32 zone, const Reply& reply);
    void snapToZones(const QString& layout, quint32 first, quint32 last, const Reply& reply);
    void restore(const Reply& reply);
    // "left", "right", "up" or "down", as the zones' chords.
    void moveToNeighbourZone(const QString& direction, const Reply& reply);
    // The window and the one in the zone beside it that way trade places, as the swaps' chords.
    void swapWithNeighbour(const QString& direction, const Reply& reply);
    // Built-in layouts first, then the presets in their order.
    QList<LayoutSummary> listLayouts() const;
    // Answers once Corvane has handled every event delivered to it before the call, the pointer's
    // included, and no frame write waits or runs: a caller's barrier, after which what did not happen
    // will not.
    void settle(const Reply& reply);
    void showSettings() { m_showSettings(); }
    void showPanel() { m_showPanel(); }

private:
    // The reply once a requested write has run: the window may have gone since it was found.
    static WriteDone whenWritten(const Reply& reply);
    // Replies at once for a placement that wrote nothing; a requested one replies through whenWritten.
    void finish(Placement placement, const Reply& reply, const QString& layoutName = {},
                quint32 zone = 0) const;
    // The direction named, or none once the caller has been answered with an error.
    static std::optional<ZoneDirection> directionNamed(const QString& name, const Reply& reply);
    // Answers a name too long to be any layout's with an error; false for any other name.
    static bool refusesLongName(const QString& name, const Reply& reply);
    CommandError errorFor(Placement placement, const QString& layoutName, quint32 zone) const;

    ZoneCycle& m_cycle;
    WindowPlacer& m_placer;
    ZoneNavigator& m_navigator;
    ZoneSwapper& m_swapper;
    FrameWriteQueue& m_writes;
    const PresetStore& m_presets;
    PointerBarrier m_whenPointerHandled;
    std::function<void()> m_showSettings;
    std::function<void()> m_showPanel;
};

} // namespace corvane
