#pragma once
// A command for the agent inside the compositor (the KWin script, the GNOME Shell extension), as the
// platform's parts hand it on: one JSON object, {"c": name, ...}. How it travels is the backend's.

#include <QJsonObject>
#include <functional>

namespace corvane {

using AgentCommand = std::function<void(const QJsonObject&)>;

} // namespace corvane
