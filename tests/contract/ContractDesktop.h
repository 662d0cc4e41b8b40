#pragma once
// What a contract case needs of a backend's desktop: its platform, client windows, the user's keys and
// pointer, and time. The cases in this folder are written once against it; each backend's runner
// defines makeContractDesktop() for its desktop (tests/contract/sim in the unit tests,
// tests/contract/x11 under Xvfb, run by tests/e2e/contract.sh, tests/contract/kwin in a headless KWin,
// run by tests/kwin/contract.sh, tests/contract/gnome in a headless GNOME Shell, run by
// tests/gnome/contract.sh).

#include "platform/Platform.h"

#include <QPointF>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvane {

// How a client sizes its window: to any size, or in whole steps from a base, like a terminal's cells.
enum class ClientSizing { Free, Stepped };

class ContractDesktop {
public:
    virtual ~ContractDesktop() = default;

    virtual Platform platform() = 0;

    // A client of another application maps a decorated, ordinary window, on top of the others and
    // clear of the screen's edges; returns it once the desktop lists it.
    virtual AxElement openWindow(ClientSizing sizing = ClientSizing::Free) = 0;
    // The window's client destroys it; returns once the desktop has it gone.
    virtual void closeWindow(AxElement window) = 0;

    // The user presses the chord's modifiers, then its key, and holds them; returns once the desktop
    // has seen the key go down.
    virtual void pressKeys(const KeyChord& chord) = 0;
    // The held key auto-repeats once; returns once the desktop has seen the repeat.
    virtual void repeatKeys(const KeyChord& chord) = 0;
    // The user lets go of the key, then of the modifiers.
    virtual void releaseKeys(const KeyChord& chord) = 0;
    void typeKeys(const KeyChord& chord) {
        pressKeys(chord);
        releaseKeys(chord);
    }

    // The user moves the pointer to a point (AX coordinates), or presses or releases a button
    // (mousebutton::kLeft, kRight). Returns once the desktop has taken it, as a user's device would
    // have it: the events arrive as time passes.
    virtual void movePointer(QPointF point) = 0;
    virtual void pressButton(quint32 button) = 0;
    virtual void releaseButton(quint32 button) = 0;
    // Why a press of the pointer that starts no move of a window never reaches the platform's events
    // on this desktop; none where every press does.
    virtual std::optional<std::string> whyPlainPressesAreUnseen() const { return std::nullopt; }
    // Why no client here keeps its size to whole cells (ClientSizing::Stepped is then free); none where
    // one does.
    virtual std::optional<std::string> whyNoClientKeepsWholeCells() const { return std::nullopt; }

    // Lets the desktop's time pass until the condition holds, for at most `seconds`; whether it held.
    virtual bool waitUntil(double seconds, const std::function<bool()>& condition) = 0;
    // Lets the desktop's time pass, as long as any auto-repeat of a held key takes to come.
    void waitForRepeats() {
        waitUntil(kRepeatWait, [] { return false; });
    }

    // Longer than the delay before a held key repeats on every runner's keyboard.
    static constexpr double kRepeatWait = 0.6;
    // What a case waits at most for what the desktop owes it: beyond it, the desktop failed the case.
    static constexpr double kDeadline = 5.0;
};

// The desktop of the backend this test program runs against, fresh for each case.
std::unique_ptr<ContractDesktop> makeContractDesktop();

} // namespace corvane
