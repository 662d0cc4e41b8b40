#pragma once
// The command line, read before Qt or a display is needed: --help and --version answer at once, a
// command (corvane apply NAME, ...) is a call to the running Corvane for CommandClient to make, and a
// wrong command line is refused with exit status 2. main() starts the program only when it says so.

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <cstdio>

namespace corvane {

// A call to make on the running Corvane: a method of app.corvane.Corvane1 and its arguments, typed
// as the method takes them.
struct ScriptCommand {
    QString method;
    QVariantList arguments;
    friend bool operator==(const ScriptCommand&, const ScriptCommand&) = default;
};

struct CommandForm;

class CommandLine {
public:
    enum class Action { StartProgram, ShowHelp, ShowVersion, RunCommand, UsageError };
    static constexpr int kUsageErrorStatus = 2;

    // `arguments` without the program's own name.
    explicit CommandLine(const QStringList& arguments);
    CommandLine(int argc, char** argv);

    Action action() const { return m_action; }
    // Why the command line was refused, for UsageError.
    const QString& error() const { return m_error; }
    // The call to make, for RunCommand.
    const ScriptCommand& command() const { return m_command; }
    // The desktop backend --backend names, for StartProgram; empty to choose it from the session.
    const QString& backend() const { return m_backend; }

    // Writes the help or the version to `out`, or the error to `err`, and returns the exit status.
    // Nothing to answer for StartProgram and RunCommand: it returns 0 without writing.
    int answer(std::FILE* out, std::FILE* err) const;

    static QString helpText();
    static QString versionText();

private:
    void refuse(const QString& error);
    void readBackend(const QString& name);
    // The values given after the command's name.
    void readCommand(const CommandForm& form, const QStringList& values);

    Action m_action = Action::StartProgram;
    QString m_error;
    ScriptCommand m_command;
    QString m_backend;
};

} // namespace corvane
