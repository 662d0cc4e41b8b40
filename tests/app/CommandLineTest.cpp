// The command line: which arguments start the program, which answer at once and which are refused,
// and the call each command becomes.
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
        {{"--backend", "x11"}, Action::StartProgram, {}},
        {{"--backend=x11", "--help"}, Action::ShowHelp, {}},
        {{"--backend", "kwin2"},
         Action::UsageError,
         "unknown backend 'kwin2'; choose one of: x11, kwin, gnome"},
        {{"--backend="}, Action::UsageError, "option '--backend' needs one of: x11, kwin, gnome"},
        {{"--backend"}, Action::UsageError, "option '--backend' needs one of: x11, kwin, gnome"},
    };
    for (const Row& row : rows) {
        const CommandLine commandLine(row.arguments);
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        EXPECT_EQ(commandLine.action(), row.action);
        EXPECT_EQ(commandLine.error(), row.error);
    }
    EXPECT_EQ(CommandLine({"--backend", "x11"}).backend(), u"x11");
    EXPECT_EQ(CommandLine({}).backend(), u"");
}

TEST(CommandLineTest, ACommandBecomesACallWithTypedArgumentsOrIsRefusedWithItsUsage) {
    struct CommandRow {
        QStringList arguments;
        ScriptCommand command; // none expected when error is set
        QString error;
    };
    const CommandRow rows[] = {
        {{"apply", "Six Pack"}, {"ApplyLayout", {QString("Six Pack")}}, {}},
        {{"apply", "--help"}, {"ApplyLayout", {QString("--help")}}, {}}, // a preset may be named so
        {{"zone", "Six Pack", "3"}, {"SnapToZone", {QString("Six Pack"), 3u}}, {}},
        {{"zone", "Six Pack", "4-2"}, {"SnapToZones", {QString("Six Pack"), 4u, 2u}}, {}},
        {{"cycle", "next"}, {"CycleZone", {1}}, {}},
        {{"cycle", "previous"}, {"CycleZone", {-1}}, {}},
        {{"screen", "next"}, {"MoveToAdjacentScreen", {1}}, {}},
        {{"resize", "1200", "800.5"}, {"Resize", {1200.0, 800.5}}, {}},
        {{"restore"}, {"Restore", {}}, {}},
        {{"layouts"}, {"ListLayouts", {}}, {}},
        {{"settings"}, {"ShowSettings", {}}, {}},
        {{"zone-move", "up"}, {"MoveToNeighbourZone", {QString("up")}}, {}},
        {{"swap", "left"}, {"SwapWithNeighbour", {QString("left")}}, {}},
        {{"apply"}, {}, "usage: corvane apply NAME"},
        {{"zone", "Six Pack"}, {}, "usage: corvane zone NAME N|N-M"},
        {{"restore", "now"}, {}, "usage: corvane restore"},
        {{"zone", "Six Pack", "0"},
         {},
         "zone: '0' is not a zone number or a span like 1-2 (zones count from 1)"},
        {{"zone", "Six Pack", "-1"},
         {},
         "zone: '-1' is not a zone number or a span like 1-2 (zones count from 1)"},
        {{"zone", "Six Pack", "three"},
         {},
         "zone: 'three' is not a zone number or a span like 1-2 (zones count from 1)"},
        {{"zone", "Six Pack", "1-2-3"},
         {},
         "zone: '1-2-3' is not a zone number or a span like 1-2 (zones count from 1)"},
        {{"zone", "Six Pack", "2-"},
         {},
         "zone: '2-' is not a zone number or a span like 1-2 (zones count from 1)"},
        {{"zone", "Six Pack", "0-2"},
         {},
         "zone: '0-2' is not a zone number or a span like 1-2 (zones count from 1)"},
        {{"cycle", "up"}, {}, "cycle: 'up' is neither 'next' nor 'previous'"},
        {{"screen", "Next"}, {}, "screen: 'Next' is neither 'next' nor 'previous'"},
        {{"resize", "wide", "800"}, {}, "resize: 'wide' is not a number"},
        {{"zone-move", "west"}, {}, "zone-move: 'west' is none of left, right, up and down"},
        {{"swap", "Left"}, {}, "swap: 'Left' is none of left, right, up and down"},
        {{"swap"}, {}, "usage: corvane swap left|right|up|down"},
        {{"resize", "800", ""}, {}, "resize: '' is not a number"},
        // Only the first argument names a command.
        {{"--help", "apply", "Split"}, {}, "unexpected argument 'apply'"},
    };
    for (const CommandRow& row : rows) {
        const CommandLine commandLine(row.arguments);
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        EXPECT_EQ(commandLine.action(), row.error.isEmpty() ? Action::RunCommand : Action::UsageError);
        EXPECT_EQ(commandLine.error(), row.error);
        if (row.error.isEmpty()) {
            EXPECT_EQ(commandLine.command(), row.command);
            for (qsizetype i = 0; i < row.command.arguments.size(); ++i)
                EXPECT_EQ(commandLine.command().arguments[i].metaType(), row.command.arguments[i].metaType())
                    << "the type the method takes";
        }
    }
}

} // namespace
} // namespace corvane
