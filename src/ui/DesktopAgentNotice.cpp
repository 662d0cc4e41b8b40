#include "DesktopAgentNotice.h"

#include "ui/ViewStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

DesktopAgentNotice::DesktopAgentNotice(DesktopAgent& agent, QWidget* parent)
    : QWidget(parent)
    , m_agent(agent) {
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(8);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("agentState"));
    m_text->setWordWrap(true);
    m_text->setFont(fontFor(TextStyle::Body));
    stack->addWidget(m_text);
    m_turnOn = new QPushButton(tr("Turn it on"), this);
    m_turnOn->setObjectName(QStringLiteral("turnOn"));
    connect(m_turnOn, &QPushButton::clicked, &m_agent, &DesktopAgent::turnOn);
    stack->addWidget(m_turnOn, 0, Qt::AlignLeft);
    connect(&m_agent, &DesktopAgent::stateChanged, this, &DesktopAgentNotice::refresh);
    refresh();
}

QString DesktopAgentNotice::text(DesktopAgent::State state, const QString& name, const QString& detail) {
    switch (state) {
    case DesktopAgent::State::Running:
        break;
    case DesktopAgent::State::NotInstalled:
        return tr("%1 is not installed. Install Corvane's package again to get it.").arg(name);
    case DesktopAgent::State::NeedsNewLogin:
        return tr("Log out and back in once to finish installing: %1 starts with your next session.")
            .arg(name);
    case DesktopAgent::State::TurnedOff:
        return tr("%1 is turned off. Until it runs, Corvane cannot move windows.").arg(name);
    case DesktopAgent::State::Failed:
        return tr("%1 could not start: %2").arg(name, detail);
    case DesktopAgent::State::Untested:
        return tr("%1 was not made for this version of the desktop (%2). Update Corvane.").arg(name, detail);
    }
    return {};
}

void DesktopAgentNotice::refresh() {
    const DesktopAgent::State state = m_agent.state();
    m_text->setText(text(state, m_agent.name(), m_agent.detail()));
    m_turnOn->setVisible(state == DesktopAgent::State::TurnedOff);
    setVisible(state != DesktopAgent::State::Running);
}

} // namespace corvane
