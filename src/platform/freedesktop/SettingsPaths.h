#pragma once
// Where Corvane keeps its files, under the XDG config folder (xdgConfigHome).

#include <QString>

namespace corvane {

QString settingsDirectory();  // <config home>/corvane
QString defaultsFilePath();   // <config home>/corvane/app.corvane.plist
QString autostartEntryPath(); // <config home>/autostart/corvane.desktop

} // namespace corvane
