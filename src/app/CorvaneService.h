#pragma once
// Corvane on the session bus: it owns the name app.corvane.Corvane and serves the object
// /app/corvane/Corvane, through which a second launch brings the running instance forward.
// Each interface of the object is an adaptor attached to it (ApplicationAdaptor); CorvaneService.xml
// beside this file describes them all.

#include <QDBusConnection>
#include <QObject>

namespace corvane {

class CorvaneService : public QObject {
    Q_OBJECT
public:
    static constexpr auto serviceName = "app.corvane.Corvane";
    static constexpr auto objectPath = "/app/corvane/Corvane";

    explicit CorvaneService(QDBusConnection bus, QObject* parent = nullptr);
    ~CorvaneService() override;

    // Serves the object and takes the name. False, serving nothing, when there is no bus or
    // another process holds the name (a Corvane on another display of the same session).
    bool start();
    // Asks whoever holds the name to come forward; false when no one answers.
    static bool activateRunningInstance(QDBusConnection bus);

signals:
    // A caller wants to see Corvane: its settings window, or its panel where there is no tray.
    void activationRequested();

private:
    QDBusConnection m_bus;
    bool m_isServing = false;
};

} // namespace corvane
