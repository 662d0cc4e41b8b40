#pragma once
// Where Corvane keeps its files: $XDG_CONFIG_HOME (or ~/.config) per the XDG base directories.

#include <QString>

namespace corvane {

// $XDG_CONFIG_HOME when it is set to an absolute path, else ~/.config.
QString configHome();
QString settingsDirectory();  // <config home>/corvane
QString defaultsFilePath();   // <config home>/corvane/app.corvane.plist
QString autostartEntryPath(); // <config home>/autostart/corvane.desktop

} // namespace corvane
