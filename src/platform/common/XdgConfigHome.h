#pragma once
// The folder that holds a user's configuration, by the XDG base-directory rule. Corvane's own files
// and the window managers' files it reads are both found from it.

#include <QString>

namespace corvane {

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config: an empty or relative value is
// ignored, as the rule asks.
QString xdgConfigHome();

} // namespace corvane
