#pragma once
// The frame each window had before Corvane first placed it, by the compositor's id of the window, kept for as
// long as the window lives: X11 keeps it on the window itself, a Wayland compositor has no such place, so it
// is kept in a file of the session's runtime folder, where a restarted Corvane finds it and a new session
// starts without it. Frames are in the compositor's coordinates. The file is read bounded and trusted for
// nothing: an entry of the wrong shape is dropped.

#include <QHash>
#include <QRectF>
#include <QSet>
#include <QString>
#include <optional>

namespace corvane {

class AgentRestoreFrames {
public:
    // Reads the file now; a missing or damaged one is an empty store.
    explicit AgentRestoreFrames(QString path);

    // $XDG_RUNTIME_DIR/corvane-<desktop>-<socket>-restore.json, for the Wayland socket Corvane runs on
    // and the desktop ("kwin", "gnome") that runs it.
    static QString defaultPath(const QString& desktop);

    std::optional<QRectF> frame(const QString& windowId) const;
    // Writes the file at once; none forgets the window's frame.
    void setFrame(const QString& windowId, const std::optional<QRectF>& frame);
    // Forgets the windows that are gone, given all that live.
    void keepOnly(const QSet<QString>& liveIds);

private:
    void write() const;

    QString m_path;
    QHash<QString, QRectF> m_frames;
};

} // namespace corvane
