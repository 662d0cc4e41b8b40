#pragma once
// Whether a message between the daemon and an agent is one the agent protocol describes (its tables are
// generated into AgentProtocol.h from data/protocol/agent-protocol.json): a known name, every field it
// needs, each of its type, and no field the protocol does not name. The bounds of the values are the
// readers' (AgentDesktop, the agents' own checks); this is what tells a side that drifted from the
// description, and the fake daemon of the GNOME tests runs it on every report.

#include "platform/agent/AgentProtocol.h"

#include <QJsonObject>
#include <QString>

namespace corvane::agentprotocol {

// Empty for an event of the protocol that the agents named in the mask may send; else what is wrong.
QString eventViolation(const QJsonObject& event, unsigned agents = kKwinAgent | kGnomeAgent);
// Likewise for a command to any of the agents named.
QString commandViolation(const QJsonObject& command, unsigned agents = kKwinAgent | kGnomeAgent);

} // namespace corvane::agentprotocol
