#include "AgentRestoreFrames.h"

#include "platform/agent/AgentDesktop.h"
#include "platform/common/BoundedFile.h"
#include "platform/common/Log.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace corvane {

namespace {

// A few thousand windows at most: far below this.
constexpr qint64 kMaxBytes = 1024 * 1024;
constexpr qsizetype kMaxEntries = 4096;

} // namespace

AgentRestoreFrames::AgentRestoreFrames(QString path)
    : m_path(std::move(path)) {
    const BoundedFile file = readBoundedFile(m_path, kMaxBytes);
    if (!file.isRead()) {
        if (!file.problem.isEmpty())
            qCWarning(lcGeneral, "Remembered frames not read: %s", qPrintable(file.problem));
        return;
    }
    const QJsonObject stored = QJsonDocument::fromJson(file.bytes).object();
    for (auto it = stored.begin(); it != stored.end() && m_frames.size() < kMaxEntries; ++it) {
        if (const std::optional<QRectF> frame = agentreport::rect(it.value()))
            m_frames.insert(it.key(), *frame);
    }
}

QString AgentRestoreFrames::defaultPath(const QString& desktop) {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    QString socket = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    socket.replace(u'/', u'_');
    return runtime + QStringLiteral("/corvane-%1-%2-restore.json").arg(desktop, socket);
}

std::optional<QRectF> AgentRestoreFrames::frame(const QString& windowId) const {
    const auto it = m_frames.constFind(windowId);
    return it == m_frames.cend() ? std::nullopt : std::optional(*it);
}

void AgentRestoreFrames::setFrame(const QString& windowId, const std::optional<QRectF>& frame) {
    if (frame) {
        if (m_frames.size() >= kMaxEntries && !m_frames.contains(windowId))
            return;
        m_frames.insert(windowId, *frame);
    } else if (m_frames.remove(windowId) == 0) {
        return;
    }
    write();
}

void AgentRestoreFrames::keepOnly(const QSet<QString>& liveIds) {
    const qsizetype before = m_frames.size();
    m_frames.removeIf([&](const auto& entry) { return !liveIds.contains(entry.key()); });
    if (m_frames.size() != before)
        write();
}

void AgentRestoreFrames::write() const {
    QJsonObject stored;
    for (auto it = m_frames.cbegin(); it != m_frames.cend(); ++it) {
        const QRectF& r = it.value();
        stored.insert(it.key(), QJsonArray{r.x(), r.y(), r.width(), r.height()});
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(stored).toJson(QJsonDocument::Compact)) < 0 || !file.commit())
        qCWarning(lcGeneral, "Remembered frames not written to %s: %s", qPrintable(m_path),
                  qPrintable(file.errorString()));
}

} // namespace corvane
