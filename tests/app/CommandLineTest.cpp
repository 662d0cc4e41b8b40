// The command line: which arguments start the program, which answer at once and which are refused,
// and what each answer writes where.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Action = CommandLine::Action;

struct Row {
    QStringList arguments;
    Action action;
    QString error;
};

TEST(CommandLineTest, ReadsEachArgumentAndRefusesWhatItDoesNotKnow) {
    const Row rows[] = {
        {{}, Action::StartProgram, {}},
        {{"--help"}, Action::ShowHelp, {}},
        {{"-h"}, Action::ShowHelp, {}},
        {{"--version"}, Action::ShowVersion, {}},
        {{"--version", "--help"}, Action::ShowVersion, {}},
        {{"--help", "--version"}, Action::ShowHelp, {}},
        // A session manager's restart: Qt takes the option and its value.
        {{"-session", "10d2a_1700000000"}, Action::StartProgram, {}},
        {{"--session", "10d2a_1700000000", "--help"}, Action::ShowHelp, {}},
        {{"-session"}, Action::UsageError, "option '-session' needs a value"},
        {{"--bogus"}, Action::UsageError, "unknown option '--bogus'"},
        {{"-x"}, Action::UsageError, "unknown option '-x'"},
        {{"--help=all"}, Action::UsageError, "unknown option '--help=all'"},
        {{"-display", ":1"}, Action::UsageError, "unknown option '-display'"},
        // A wrong argument anywhere wins over an answer: the command line as a whole is wrong.
        {{"--help", "--bogus"}, Action::UsageError, "unknown option '--bogus'"},
        {{"--version", "start"}, Action::UsageError, "unexpected argument 'start'"},
        {{"-"}, Action::UsageError, "unexpected argument '-'"},
        {{"--bogus", "--worse"}, Action::UsageError, "unknown option '--bogus'"},
    };
    for (const Row& row : rows) {
        const CommandLine commandLine(row.arguments);
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        EXPECT_EQ(commandLine.action(), row.action);
        EXPECT_EQ(commandLine.error(), row.error);
    }
}

TEST(CommandLineTest, ReadsArgvWithoutTheProgramName) {
    char program[] = "/usr/bin/corvane";
    char option[] = "--version";
    char* argv[] = {program, option, nullptr};
    EXPECT_EQ(CommandLine(1, argv).action(), Action::StartProgram);
    EXPECT_EQ(CommandLine(2, argv).action(), Action::ShowVersion);
}

// What answer() writes to the two streams, and the status it returns.
struct Written {
    int status;
    QString out;
    QString err;
};

Written answerOf(const QStringList& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = CommandLine(arguments).answer(out, err);
    auto read = [](std::FILE* file) {
        std::rewind(file);
        QByteArray bytes;
        char buffer[4096];
        while (const size_t n = std::fread(buffer, 1, sizeof buffer, file))
            bytes.append(buffer, qsizetype(n));
        std::fclose(file);
        return QString::fromLocal8Bit(bytes);
    };
    return {status, read(out), read(err)};
}

TEST(CommandLineTest, AnswersOnStandardOutputAndRefusesOnStandardErrorWithStatusTwo) {
    const Written help = answerOf({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: corvane [OPTION]\n"));
    EXPECT_TRUE(help.out.contains("--version")) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty());

    const Written version = answerOf({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("Corvane " CORVANE_VERSION "\n"));
    EXPECT_TRUE(version.err.isEmpty());

    const Written refused = answerOf({"--bogus"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_EQ(refused.err, "corvane: unknown option '--bogus'\nTry 'corvane --help' for more information.\n");

    const Written start = answerOf({});
    EXPECT_EQ(start.status, 0);
    EXPECT_TRUE(start.out.isEmpty() && start.err.isEmpty()) << "starting the program is not answered here";
}

} // namespace
} // namespace corvane
