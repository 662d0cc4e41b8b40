// The keyboard and pointer of the GNOME end-to-end tests, through mutter's remote-desktop service on the
// session bus (org.gnome.Mutter.RemoteDesktop): a session of it is a virtual keyboard and pointer. One
// command a line on standard input, each answered with "ok" once mutter has taken it:
//   motion DX DY          moves the pointer by DX, DY logical pixels (mutter's virtual pointer moves only
//                         relative to where it is without a screen cast stream; the harness reads where
//                         it is from the Shell)
//   press | release       the left button
//   key CODE down|up      a key by its evdev code (29 Control, 56 Alt, 42 Shift, 125 Meta, 2 the digit 1)
// Driven by tests/gnome/session.sh.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QTextStream>
#include <iostream>
#include <linux/input-event-codes.h>

namespace {

const QString kService = QStringLiteral("org.gnome.Mutter.RemoteDesktop");

// Sends one command; an empty answer when it was taken, else why not.
QString send(QDBusInterface& session, const QString& line) {
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QDBusMessage answer;
    if (words.size() == 3 && words[0] == QLatin1String("motion")) {
        bool okX = false;
        bool okY = false;
        const double dx = words[1].toDouble(&okX);
        const double dy = words[2].toDouble(&okY);
        if (!okX || !okY)
            return QStringLiteral("not a motion: ") + line;
        answer = session.call(QStringLiteral("NotifyPointerMotionRelative"), dx, dy);
    } else if (words.size() == 1 &&
               (words[0] == QLatin1String("press") || words[0] == QLatin1String("release"))) {
        answer = session.call(QStringLiteral("NotifyPointerButton"), int(BTN_LEFT),
                              words[0] == QLatin1String("press"));
    } else if (words.size() == 3 && words[0] == QLatin1String("key") &&
               (words[2] == QLatin1String("down") || words[2] == QLatin1String("up"))) {
        bool ok = false;
        const uint code = words[1].toUInt(&ok);
        if (!ok)
            return QStringLiteral("not a key code: ") + line;
        answer =
            session.call(QStringLiteral("NotifyKeyboardKeycode"), code, words[2] == QLatin1String("down"));
    } else {
        return QStringLiteral("not a command: ") + line;
    }
    return answer.type() == QDBusMessage::ErrorMessage ? answer.errorMessage() : QString();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusInterface desktop(kService, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kService, bus);
    const QDBusReply<QDBusObjectPath> created = desktop.call(QStringLiteral("CreateSession"));
    if (!created.isValid()) {
        std::cerr << "remote input: mutter made no remote-desktop session: "
                  << created.error().message().toStdString() << '\n';
        return 1;
    }
    QDBusInterface session(kService, created.value().path(), kService + QStringLiteral(".Session"), bus);
    const QDBusMessage started = session.call(QStringLiteral("Start"));
    if (started.type() == QDBusMessage::ErrorMessage) {
        std::cerr << "remote input: the session did not start: " << started.errorMessage().toStdString()
                  << '\n';
        return 1;
    }
    QTextStream in(stdin);
    QString line;
    while (in.readLineInto(&line)) {
        const QString error = send(session, line);
        if (!error.isEmpty()) {
            std::cerr << "remote input: " << error.toStdString() << '\n';
            return 2;
        }
        std::cout << "ok" << std::endl;
    }
    session.call(QStringLiteral("Stop"));
    return 0;
}
