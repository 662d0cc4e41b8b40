// Test entry point: a QCoreApplication exists for the whole run, so queued calls, timers and
// Qt's logging behave as they do in the program.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
