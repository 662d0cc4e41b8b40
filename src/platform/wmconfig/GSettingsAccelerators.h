#pragma once
// Every keybinding an installed GSettings schema holds: the strings of each of its string-list keys, as
// GNOME keeps its window manager's and its shell's keybindings. A schema that is not installed holds
// none (GIO would abort on it).

#include <QStringList>

namespace corvane {

QStringList gsettingsAccelerators(const char* schema);

} // namespace corvane
