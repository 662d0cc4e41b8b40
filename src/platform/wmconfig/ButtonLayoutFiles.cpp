#include "ButtonLayoutFiles.h"

#include "platform/common/BoundedFile.h"
#include "platform/common/Log.h"

#include <QFileInfo>

namespace corvane {

ButtonLayoutFiles::ButtonLayoutFiles(WindowManager wm, QStringList files, Changed changed)
    : m_wm(wm)
    , m_files(std::move(files))
    , m_changed(std::move(changed)) {
    // Editors and KConfig replace files rather than write them in place: the folders are watched too.
    QObject::connect(&m_watcher, &QFileSystemWatcher::fileChanged, [this] { readAgain(); });
    QObject::connect(&m_watcher, &QFileSystemWatcher::directoryChanged, [this] { readAgain(); });
    m_layout = read();
}

void ButtonLayoutFiles::readAgain() {
    const ButtonLayout layout = read();
    if (layout == m_layout)
        return;
    m_layout = layout;
    m_changed(layout);
}

ButtonLayout ButtonLayoutFiles::read() {
    if (const QStringList watched = m_watcher.files() + m_watcher.directories(); !watched.isEmpty())
        m_watcher.removePaths(watched);
    // Watched before they are read: a change made while they are read is then seen again, where a
    // watch added after the read would miss one made in between (sed -i renaming its copy over).
    for (const QString& path : m_files) {
        if (QFileInfo(path).isFile())
            m_watcher.addPath(path);
        if (const QString folder = QFileInfo(path).path(); QFileInfo(folder).isDir())
            m_watcher.addPath(folder);
    }
    QList<QByteArray> contents;
    for (const QString& path : m_files) {
        const BoundedFile file = readBoundedFile(path);
        if (file.isRead()) {
            contents.append(file.bytes);
            m_problems.remove(path);
        } else if (!file.problem.isEmpty() && m_problems.value(path) != file.problem) {
            m_problems.insert(path, file.problem);
            qCWarning(lcGeneral).noquote()
                << "Not reading the window manager's settings file" << path + ":"
                << file.problem + "; the title-bar buttons are found as if it were missing";
        }
    }
    return layoutFromFiles(m_wm, contents);
}

} // namespace corvane
