#pragma once
// The window managers whose button layout Corvane reads: how each names itself, how its stock theme
// draws the buttons, what it draws with nothing configured, the files it keeps its layout in and the
// layout read from them. ButtonLayoutReader reads them and watches them, and the settings services.

#include "platform/wmconfig/ButtonLayout.h"

#include <QByteArray>
#include <QStringList>

namespace corvane {

enum class WindowManager { Unknown, Openbox, Xfwm, Metacity, Marco, Mutter, KWin, Fluxbox, IceWM };

// From the _NET_WM_NAME of the window manager's check window ("Openbox", "Xfwm4", "IceWM 3.3.1 ...").
WindowManager windowManagerNamed(const QString& name);
// Measured on each one's stock theme under Xvfb; the fallback's are a plain square title bar.
ButtonMetrics buttonMetrics(WindowManager wm);
// What each draws when nothing is configured; the fallback for window managers not read.
ButtonLayout stockLayout(WindowManager wm);

// The folders a reader looks in, from the environment.
struct ConfigFolders {
    QString home;
    QString configHome;     // xdgConfigHome()
    QStringList configDirs; // $XDG_CONFIG_DIRS, else /etc/xdg
    QStringList dataDirs;   // $XDG_DATA_DIRS, else /usr/local/share and /usr/share
    QString icewmPrivate;   // $ICEWM_PRIVCFG, else ~/.icewm

    static ConfigFolders fromEnvironment();
};

// The files that may hold the layout, most important first. The openbox file in use comes from the
// window manager itself when known; IceWM's theme is the one its "theme" files name.
QStringList layoutFiles(WindowManager wm, const ConfigFolders& folders,
                        const QString& openboxConfigFile = {});
// The layout those files set, given their contents in the same order: each setting from the first file
// that has it, else as the window manager has it with nothing configured.
ButtonLayout layoutFromFiles(WindowManager wm, const QList<QByteArray>& contents);

// The value of one setting in each file format; none when absent.
std::optional<QString> openboxTitleLayout(const QByteArray& rcXml);
std::optional<QString> iniValue(const QByteArray& ini, const QString& group, const QString& key);
// "key: value" lines (fluxbox init) and "key=value" lines, the value perhaps quoted (IceWM, xfwm4's
// defaults).
std::optional<QString> resourceValue(const QByteArray& resources, const QString& key);
std::optional<QString> assignedValue(const QByteArray& assignments, const QString& key);

} // namespace corvane
