#pragma once
// What the user reads while Corvane's part inside the desktop does not run, and the one thing to do:
// log in again, turn it on (a button that does), reinstall, or update. Hidden while it runs. The
// settings window and the tray panel show it.

#include "platform/DesktopAgent.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace corvane {

class DesktopAgentNotice : public QWidget {
    Q_OBJECT
public:
    explicit DesktopAgentNotice(DesktopAgent& agent, QWidget* parent = nullptr);

    // The sentence for a state, the agent named in it.
    static QString text(DesktopAgent::State state, const QString& name, const QString& detail);

    QPushButton* turnOnButton() const { return m_turnOn; }

private:
    void refresh();

    DesktopAgent& m_agent;
    QLabel* m_text = nullptr;
    QPushButton* m_turnOn = nullptr;
};

} // namespace corvane
