#pragma once
// A window manager's button layout as the files it keeps it in set it (layoutFiles), read at once and
// again whenever one of them changes; the X11 ButtonLayoutReader and the KWin title-bar buttons follow
// it. A file that cannot be read counts as missing, and why is logged once. Main thread only.

#include "platform/wmconfig/WindowManagerConfig.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <functional>

namespace corvane {

class ButtonLayoutFiles {
public:
    using Changed = std::function<void(const ButtonLayout&)>;
    // Changed is called when a change to the files changes the layout they set.
    ButtonLayoutFiles(WindowManager wm, QStringList files, Changed changed);
    ButtonLayoutFiles(const ButtonLayoutFiles&) = delete;
    ButtonLayoutFiles& operator=(const ButtonLayoutFiles&) = delete;

    ButtonLayout layout() const { return m_layout; }

private:
    ButtonLayout read();
    void readAgain();

    const WindowManager m_wm;
    const QStringList m_files;
    Changed m_changed;
    QFileSystemWatcher m_watcher;
    QHash<QString, QString> m_problems; // the files not read, each with its reason, logged once
    ButtonLayout m_layout;
};

} // namespace corvane
