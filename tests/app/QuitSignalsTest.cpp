// The signals that end a session ask Corvane to quit through its event loop, once each, and are left
// as they were once Corvane no longer listens.
#include "app/QuitSignals.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

namespace corvane {
namespace {

bool isDefault(int signal) {
    struct sigaction action = {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler == SIG_DFL;
}

TEST(QuitSignalsTest, TermIntAndHupAskToQuitFromTheEventLoop) {
    {
        QuitSignals quitSignals;
        QSignalSpy asked(&quitSignals, &QuitSignals::quitRequested);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            SCOPED_TRACE(signal);
            std::raise(signal); // the default action would end this test program
            EXPECT_EQ(asked.count(), 0) << "nothing happens inside the handler";
            ASSERT_TRUE(asked.wait(5000));
            EXPECT_EQ(asked.count(), 1);
            asked.clear();
            EXPECT_TRUE(isDefault(signal)) << "a second one ends a quit that hangs";
        }
    }
    {
        QuitSignals again;
        EXPECT_FALSE(isDefault(SIGTERM));
        EXPECT_FALSE(isDefault(SIGHUP));
    }
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        EXPECT_TRUE(isDefault(signal)) << signal;
}

} // namespace
} // namespace corvane
