#pragma once
// A command for the agent inside the compositor (the KWin script, the GNOME Shell extension), as the
// platform's parts hand it on: one JSON object, {"c": name, ...}, its names those of AgentProtocol.h. How
// it travels is the backend's.

#include "platform/agent/AgentProtocol.h"

#include <QJsonObject>
#include <functional>

namespace corvane {

using AgentCommand = std::function<void(const QJsonObject&)>;

} // namespace corvane
