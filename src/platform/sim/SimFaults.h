#pragma once
// What goes wrong on the simulated desktop when a test asks for it: reads, writes and pid lookups
// that fail with an error, an application that stops answering, a window that ignores the frames
// written to it, and a window list with damaged entries or replaced whole. SimDesktop holds the scene
// these apply to; its platform pieces ask here before they answer.

#include "platform/Accessibility.h"
#include "platform/WindowServer.h"

#include <QHash>
#include <QSet>
#include <QVariant>
#include <optional>

namespace corvane {

class SimFaults {
public:
    // A damaged window-list entry is announced as a change of the window's frame on `windowServer`.
    explicit SimFaults(WindowServer& windowServer)
        : m_windowServer(windowServer) {}

    void failAttribute(AxElement element, const QString& attribute, AxError error);
    // Also fails the action of that name (AXRaise).
    void failWrites(AxElement element, const QString& attribute, AxError error);
    void failPid(AxElement element, AxError error);
    void failElementAtPosition(AxError error); // Success makes it answer again
    // The application stops answering: every request to its elements times out.
    void setUnresponsive(qint32 pid, bool isUnresponsive);
    // The window keeps its own frame whatever is written to it.
    void setIgnoresWrites(quint32 window, bool ignores);
    // The window list: override one entry's values (an invalid value removes the key), or replace the
    // whole result (none restores the real list).
    void setWindowListEntryValue(quint32 window, const QString& key, const QVariant& value);
    void setWindowListResult(std::optional<QVariant> result) { m_windowListResult = std::move(result); }

    // What the pieces ask.
    std::optional<AxError> readFailure(AxElement element, const QString& attribute) const;
    std::optional<AxError> writeFailure(AxElement element, const QString& attribute) const;
    std::optional<AxError> pidFailure(AxElement element) const;
    std::optional<AxError> elementAtPositionFailure() const { return m_elementAtPositionFailure; }
    bool isUnresponsive(qint32 pid) const { return m_unresponsive.contains(pid); }
    bool ignoresWrites(quint32 window) const { return m_ignoringWrites.contains(window); }
    const std::optional<QVariant>& windowListResult() const { return m_windowListResult; }
    void damageEntry(quint32 window, QVariantMap& entry) const;

private:
    WindowServer& m_windowServer;
    QHash<quint64, QHash<QString, AxError>> m_readFailures; // by element handle
    QHash<quint64, QHash<QString, AxError>> m_writeFailures;
    QHash<quint64, AxError> m_pidFailures;
    std::optional<AxError> m_elementAtPositionFailure;
    QSet<qint32> m_unresponsive;
    QSet<quint32> m_ignoringWrites;
    QHash<quint32, QHash<QString, QVariant>> m_entryOverrides;
    std::optional<QVariant> m_windowListResult;
};

} // namespace corvane
