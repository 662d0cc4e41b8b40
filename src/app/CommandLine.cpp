#include "CommandLine.h"

#include "platform/backends/Backends.h"

#include <cstring>

namespace corvane {

// A command of the command line: its name, the D-Bus method it calls, and its arguments.
struct CommandForm {
    const char* name;
    const char* method;
    const char* usage; // its arguments, as the help shows them
    qsizetype argumentCount;
};

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

const CommandForm kCommands[] = {
    {"apply", "ApplyLayout", " NAME", 1},
    {"zone", "SnapToZone", " NAME N|N-M", 2},
    {"cycle", "CycleZone", " next|previous", 1},
    {"screen", "MoveToAdjacentScreen", " next|previous", 1},
    {"resize", "Resize", " W H", 2},
    {"restore", "Restore", "", 0},
    {"zone-move", "MoveToNeighbourZone", " left|right|up|down", 1},
    {"swap", "SwapWithNeighbour", " left|right|up|down", 1},
    {"layouts", "ListLayouts", "", 0},
    {"settings", "ShowSettings", "", 0},
};

const CommandForm* commandNamed(const QString& name) {
    for (const CommandForm& form : kCommands) {
        if (name == QLatin1String(form.name))
            return &form;
    }
    return nullptr;
}

} // namespace

CommandLine::CommandLine(int argc, char** argv)
    : CommandLine(argumentsOf(argc, argv)) {}

CommandLine::CommandLine(const QStringList& arguments) {
    if (const CommandForm* form = arguments.isEmpty() ? nullptr : commandNamed(arguments.first())) {
        readCommand(*form, arguments.mid(1));
        return;
    }
    for (qsizetype i = 0; i < arguments.size() && m_action != Action::UsageError; ++i) {
        const QString& argument = arguments[i];
        if (argument == u"-h" || argument == u"--help") {
            if (m_action == Action::StartProgram)
                m_action = Action::ShowHelp;
        } else if (argument == u"--version") {
            if (m_action == Action::StartProgram)
                m_action = Action::ShowVersion;
        } else if (argument == u"--backend" || argument.startsWith(u"--backend=")) {
            readBackend(argument == u"--backend" ? (++i < arguments.size() ? arguments[i] : QString())
                                                 : argument.mid(qsizetype(std::strlen("--backend="))));
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

void CommandLine::readCommand(const CommandForm& form, const QStringList& values) {
    if (values.size() != form.argumentCount) {
        refuse(
            QStringLiteral("usage: corvane %1%2").arg(QLatin1String(form.name), QLatin1String(form.usage)));
        return;
    }
    m_action = Action::RunCommand;
    m_command.method = QLatin1String(form.method);
    const QString name = QLatin1String(form.name);
    if (name == u"apply") {
        m_command.arguments = {values[0]};
    } else if (name == u"zone") {
        // N, or N-M for the zones from N to M together.
        const QStringList ends = values[1].split(u'-');
        QVariantList zones;
        for (const QString& end : ends) {
            bool isNumber = false;
            const uint zone = end.toUInt(&isNumber);
            if (!isNumber || zone == 0 || ends.size() > 2) {
                refuse(
                    QStringLiteral("zone: '%1' is not a zone number or a span like 1-2 (zones count from 1)")
                        .arg(values[1]));
                return;
            }
            zones.append(zone);
        }
        if (zones.size() == 2)
            m_command.method = QStringLiteral("SnapToZones");
        m_command.arguments = QVariantList{values[0]} + zones;
    } else if (name == u"cycle" || name == u"screen") {
        if (values[0] != u"next" && values[0] != u"previous")
            refuse(QStringLiteral("%1: '%2' is neither 'next' nor 'previous'").arg(name, values[0]));
        m_command.arguments = {values[0] == u"next" ? 1 : -1};
    } else if (name == u"zone-move" || name == u"swap") {
        if (!QStringList{"left", "right", "up", "down"}.contains(values[0]))
            refuse(QStringLiteral("%1: '%2' is none of left, right, up and down").arg(name, values[0]));
        m_command.arguments = {values[0]};
    } else if (name == u"resize") {
        bool isWidth = false;
        bool isHeight = false;
        const double width = values[0].toDouble(&isWidth);
        const double height = values[1].toDouble(&isHeight);
        if (!isWidth || !isHeight)
            refuse(QStringLiteral("resize: '%1' is not a number").arg(isWidth ? values[1] : values[0]));
        m_command.arguments = {width, height};
    }
}

void CommandLine::readBackend(const QString& name) {
    const QStringList names = Backends::names();
    if (!names.contains(name)) {
        refuse(name.isEmpty()
                   ? QStringLiteral("option '--backend' needs one of: %1").arg(names.join(u", "))
                   : QStringLiteral("unknown backend '%1'; choose one of: %2").arg(name, names.join(u", ")));
        return;
    }
    m_backend = name;
}

void CommandLine::refuse(const QString& error) {
    m_action = Action::UsageError;
    m_error = error;
}

int CommandLine::answer(std::FILE* out, std::FILE* err) const {
    switch (m_action) {
    case Action::StartProgram:
    case Action::RunCommand:
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
               "       corvane COMMAND [ARGUMENT]...\n"
               "Puts windows into the zones of a layout on an X11 desktop, or on KDE Plasma or GNOME "
               "(Wayland):\n"
               "with hotkeys (Control+Alt+1 to 4, and the arrows), by dragging a window by its title bar, "
               "or\n"
               "from a small palette on it.\n"
               "\n"
               "Without an option, Corvane starts in the system tray, or brings the one already running on\n"
               "this display forward. Everything else is set in its settings window.\n"
               "\n"
               "Options:\n"
               "  -h, --help        show this help and exit\n"
               "      --version     show the version and exit\n"
               "      --backend X   drive the desktop through backend X instead of the one the session\n"
               "                    calls for: %1\n"
               "\n"
               "Commands, for the Corvane running on the display DISPLAY names (WAYLAND_DISPLAY on Plasma),\n"
               "or with it unset the only one running in this session (over the session bus; the display\n"
               "itself is not needed).\n"
               "Each acts on the window the hotkeys move, the one you last worked in:\n"
               "  apply NAME              what a hotkey does with the layout or preset NAME: its first "
               "zone,\n"
               "                          or the preset's size\n"
               "  zone NAME N             zone N (from 1) of the layout or grid preset NAME\n"
               "  zone NAME N-M           the smallest rectangle covering zones N and M of NAME\n"
               "  cycle next|previous     the next or previous zone of the layout applied last\n"
               "  screen next|previous    the same place on the next or previous screen\n"
               "  resize W H              that size in pixels, centred on the window's screen\n"
               "  restore                 the window's frame from before Corvane first placed it\n"
               "  zone-move left|right|up|down  the zone beside the window that way\n"
               "  swap left|right|up|down  trade places with the window in the zone beside it that way\n"
               "  layouts                 list the layouts and presets: zone count, a tab, the name\n"
               "  settings                open the settings window\n"
               "\n"
               "Exit status:\n"
               "  0  Corvane ran and quit, answered an option, or did the command\n"
               "  1  Corvane could not run: a session it does not support, no X11 display, the X server,\n"
               "     KWin or GNOME Shell went away, or the settings file could not be written when it quit;\n"
               "     or the command failed (the reason is shown)\n"
               "  2  the command line is wrong, or DISPLAY is unset and Corvane runs on several displays\n"
               "  3  a command found no Corvane running on its display\n"
               "\n"
               "The manual page corvane(1) says more.\n")
        .arg(Backends::names().join(u", "));
}

QString CommandLine::versionText() {
    return QStringLiteral("Corvane %1\n").arg(QStringLiteral(CORVANE_VERSION));
}

} // namespace corvane
