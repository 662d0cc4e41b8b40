#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout) as a request to quit, delivered in the event loop so that
// Corvane ends the way "Quit Corvane" ends it: settings written, lock file removed. The handler only
// writes to a pipe that a socket notifier watches. One object at a time; a second signal while
// quitting ends the process at once.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace corvane {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested();

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace corvane
