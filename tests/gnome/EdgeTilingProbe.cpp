// Corvane's view of GNOME's own edge tiling (MutterEdgeTiling) for the GNOME end-to-end tests, as the
// settings window has it. It prints "none" and ends when mutter's schema is not installed; else "ready",
// then one command a line on standard input, each answered on one line:
//   get          "on N" or "off N": the setting as Corvane follows it, and how many changes it was told of
//   set on|off   "ok" once asked; the change arrives as with any other
// Driven by tests/gnome/edgetiling.sh.
#include "platform/gnome/MutterEdgeTiling.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::unique_ptr<corvane::MutterEdgeTiling> tiling = corvane::MutterEdgeTiling::open();
    if (!tiling) {
        std::cout << "none" << std::endl;
        return 0;
    }
    int changes = 0;
    QObject::connect(tiling.get(), &corvane::EdgeTiling::isOnChanged, [&changes] { ++changes; });
    std::cout << "ready" << std::endl;
    // Standard input is read as it comes, so GLib's main loop, inside Qt's, delivers the changes between.
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            QCoreApplication::quit();
            return;
        }
        if (line == "get")
            std::cout << (tiling->isOn() ? "on " : "off ") << changes << std::endl;
        else if (line == "set on" || line == "set off") {
            tiling->setOn(line == "set on");
            std::cout << "ok" << std::endl;
        } else
            std::cout << "not a command: " << line << std::endl;
    });
    return QCoreApplication::exec();
}
