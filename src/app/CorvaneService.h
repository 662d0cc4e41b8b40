#pragma once
// Corvane on the session bus: it serves the object /app/corvane/Corvane, through which a second
// launch brings the running instance forward and scripts place windows. Several X displays can share
// one session bus, so each Corvane owns a name of its display's, app.corvane.Corvane.d77 for ":77",
// and the usual name app.corvane.Corvane goes to the first of them (the next in line when it quits).
// Each interface of the object is an adaptor attached to it (ApplicationAdaptor, CorvaneAdaptor),
// served through CorvaneBusObject; CorvaneService.xml beside this file describes them all.

#include "app/DisplayName.h"

#include <QDBusConnection>
#include <QObject>

namespace corvane {

class CorvaneBusObject;
class CorvaneCommands;

class CorvaneService : public QObject {
    Q_OBJECT
public:
    static constexpr auto serviceName = "app.corvane.Corvane";
    static constexpr auto objectPath = "/app/corvane/Corvane";

    // The name of the Corvane on that display.
    static QString displayServiceName(const DisplayName& display);
    // The display whose Corvane owns that name; nullopt for any other name.
    static std::optional<DisplayName> displayOf(const QString& name);

    CorvaneService(QDBusConnection bus, DisplayName display, QObject* parent = nullptr);
    ~CorvaneService() override;

    // Serves the object and takes the display's name, and the usual one when it is free or comes
    // free. False, serving nothing, when there is no bus or another process holds the display's name.
    bool start();
    // Adds the commands' interface, app.corvane.Corvane1, once there is a controller to run them.
    void serve(CorvaneCommands& commands);
    // Asks the Corvane of that display to come forward; false when no one answers.
    static bool activateRunningInstance(const QDBusConnection& bus, const DisplayName& display);

signals:
    // A caller wants to see Corvane: its settings window, or its panel where there is no tray.
    void activationRequested();

private:
    QDBusConnection m_bus;
    DisplayName m_display;
    CorvaneBusObject* m_object;
    bool m_isServing = false;
};

} // namespace corvane
