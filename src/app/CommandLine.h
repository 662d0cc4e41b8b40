#pragma once
// The command line, read before Qt or a display is needed: --help and --version answer at once, and a
// wrong command line is refused with exit status 2. main() starts the program only when it says so.

#include <QString>
#include <QStringList>
#include <cstdio>

namespace corvane {

class CommandLine {
public:
    enum class Action { StartProgram, ShowHelp, ShowVersion, UsageError };
    static constexpr int kUsageErrorStatus = 2;

    // `arguments` without the program's own name.
    explicit CommandLine(const QStringList& arguments);
    CommandLine(int argc, char** argv);

    Action action() const { return m_action; }
    // Why the command line was refused, for UsageError.
    const QString& error() const { return m_error; }

    // Writes the help or the version to `out`, or the error to `err`, and returns the exit status.
    // Nothing to answer for StartProgram: it returns 0 without writing.
    int answer(std::FILE* out, std::FILE* err) const;

    static QString helpText();
    static QString versionText();

private:
    void refuse(const QString& error);

    Action m_action = Action::StartProgram;
    QString m_error;
};

} // namespace corvane
