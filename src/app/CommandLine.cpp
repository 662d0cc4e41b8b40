#include "CommandLine.h"

namespace corvane {

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

bool isSessionOption(const QString& argument) {
    return argument == u"-session" || argument == u"--session";
}

} // namespace

CommandLine::CommandLine(int argc, char** argv) : CommandLine(argumentsOf(argc, argv)) {}

CommandLine::CommandLine(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size() && m_action != Action::UsageError; ++i) {
        const QString& argument = arguments[i];
        if (argument == u"-h" || argument == u"--help") {
            if (m_action == Action::StartProgram)
                m_action = Action::ShowHelp;
        } else if (argument == u"--version") {
            if (m_action == Action::StartProgram)
                m_action = Action::ShowVersion;
        } else if (isSessionOption(argument)) {
            // A desktop's session manager restarts the programs it saved with Qt's "-session ID",
            // which QApplication reads; refusing it would stop Corvane from coming back with the session.
            if (++i == arguments.size())
                refuse(QStringLiteral("option '%1' needs a value").arg(argument));
        } else if (argument.startsWith(u'-') && argument != u"-") {
            refuse(QStringLiteral("unknown option '%1'").arg(argument));
        } else {
            refuse(QStringLiteral("unexpected argument '%1'").arg(argument));
        }
    }
}

void CommandLine::refuse(const QString& error) {
    m_action = Action::UsageError;
    m_error = error;
}

int CommandLine::answer(std::FILE* out, std::FILE* err) const {
    switch (m_action) {
    case Action::StartProgram:
        return 0;
    case Action::ShowHelp:
        std::fputs(helpText().toLocal8Bit().constData(), out);
        return 0;
    case Action::ShowVersion:
        std::fputs(versionText().toLocal8Bit().constData(), out);
        return 0;
    case Action::UsageError:
        std::fprintf(err, "corvane: %s\nTry 'corvane --help' for more information.\n",
                     m_error.toLocal8Bit().constData());
        return kUsageErrorStatus;
    }
    return kUsageErrorStatus;
}

QString CommandLine::helpText() {
    return QStringLiteral(
        "Usage: corvane [OPTION]\n"
        "Puts windows into the zones of a layout on an X11 desktop: with hotkeys (Control+Alt+1 to 4,\n"
        "and the arrows), by dragging a window by its title bar, or from a small palette on it.\n"
        "\n"
        "Without an option, Corvane starts in the system tray, or brings the one already running in\n"
        "this session forward. Everything else is set in its settings window.\n"
        "\n"
        "Options:\n"
        "  -h, --help     show this help and exit\n"
        "      --version  show the version and exit\n"
        "\n"
        "Exit status:\n"
        "  0  Corvane ran and quit, or answered an option\n"
        "  1  Corvane could not run: no X11 display, the X server went away, or the settings file\n"
        "     could not be written when it quit\n"
        "  2  the command line is wrong\n"
        "\n"
        "The manual page corvane(1) says more.\n");
}

QString CommandLine::versionText() { return QStringLiteral("Corvane %1\n").arg(QStringLiteral(CORVANE_VERSION)); }

} // namespace corvane
