#pragma once
// The command line's side of a command: calls app.corvane.Corvane1 on the Corvane of the display
// DISPLAY names (or, with DISPLAY unset, the only one running on the session bus), waits for its
// answer and turns it into output and an exit status. Needs a QCoreApplication and the session bus,
// never a display.

#include "app/CommandLine.h"

#include <QDBusConnection>
#include <cstdio>

namespace corvane {

class CommandClient {
public:
    static constexpr int kFailedStatus = 1;
    static constexpr int kSeveralRunningStatus = 2;
    static constexpr int kNotRunningStatus = 3;
    // Long enough for a window manager or client that is slow to answer the writer's requests.
    static constexpr int kReplyTimeoutMs = 15000;

    // Makes the call to the Corvane of `display` (a DISPLAY value; empty when unset); prints the
    // layout list to `out`, or what went wrong to `err`. 0 when it was done, 1 when Corvane answered
    // with an error (or none in time), 2 when the display is unset and Corvane runs on several, 3
    // when none runs there.
    static int run(const ScriptCommand& command, const QDBusConnection& bus, const QString& display,
                   std::FILE* out, std::FILE* err);
};

} // namespace corvane
