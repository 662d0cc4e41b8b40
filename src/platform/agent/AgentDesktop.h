#pragma once
// What Corvane knows of a desktop whose compositor runs Corvane's agent (the KWin script, the GNOME
// Shell extension): the outputs with their work areas, the windows with their frames and kinds, the
// stacking order, the active window, the pointer and the modifier keys, as the agent last reported them.
// Reports are input from another process: each is checked, a damaged one is dropped whole and logged, and
// nothing here trusts a value it has not checked. Frames are in the compositor's coordinates: logical pixels,
// y down, origin at the top-left of the desktop's bounding box. Main thread only.

#include "platform/agent/AgentProtocol.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>

namespace corvane {

struct AgentOutput {
    QString name; // what windows name it by: the connector on KWin ("DP-1"), "Monitor 2" on GNOME
    // The connector where the agent can tell it, so a choice for this monitor outlives a reconnection;
    // empty where it cannot (GNOME Shell tells an extension none).
    QString connector;
    QString manufacturer;
    QString model;
    QRectF frame;
    QRectF workArea; // less panels
    double scale = 1;
    friend bool operator==(const AgentOutput&, const AgentOutput&) = default;
};

struct AgentWindow {
    QString id; // the compositor's id (KWin's internalId, mutter's window id): stable while the window lives
    quint32 number = 0; // ours, given on first sight, never reused while Corvane runs
    qint32 pid = 0;
    QString appClass;
    QString caption;
    QRectF frame;
    QRectF client; // the frame less the decoration
    QString output;
    bool isNormal = false;
    bool isDialog = false;
    bool isSpecial = false;
    bool isDesktop = false;
    bool isDock = false;
    bool isNotification = false;
    bool isOnScreenDisplay = false;
    bool isOnCurrentDesktop = true;
    bool isMinimized = false;
    bool isFullScreen = false;
    bool isMoveable = false;
    bool isResizeable = false;
    bool isManaged = false;

    // A window a user places: an application's own window on the current desktop, shown, that the compositor
    // lets move; never the desktop, a panel, a notification or an on-screen display.
    bool isPlaceable() const;
};

class AgentDesktop : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // No report of a real desktop comes near this.
    static constexpr qsizetype kMaxReportBytes = agentprotocol::bounds::kMaxReportBytes;
    // The events of one report as the agent sends it, a JSON list, less those outside the agent protocol;
    // none, logged, for text that is too long or no list.
    static std::optional<QJsonArray> events(const QString& report);

    // Applies one report of the agent; false, changing nothing, for one that is damaged.
    bool apply(const QJsonObject& event);

    // Whether a full picture has come since the agent (re)started.
    bool hasSnapshot() const { return m_hasSnapshot; }
    const QList<AgentOutput>& outputs() const { return m_outputs; }
    // Front to back.
    QList<const AgentWindow*> windowsFrontToBack() const;
    const AgentWindow* window(quint32 number) const;
    const AgentWindow* windowById(const QString& id) const;
    const AgentWindow* activeWindow() const;
    // The application's window a user works in: its active one on the current desktop, else its
    // frontmost placeable one.
    const AgentWindow* focusedWindowOf(qint32 pid) const;
    QPointF cursor() const { return m_cursor; }
    // The modifier keys held at the last pointer report that told them (the flags of platform/Events.h);
    // an agent that tells none leaves them 0.
    quint64 modifierFlags() const { return m_modifierFlags; }
    // Windows of this process, which Corvane never moves.
    void setOwnPid(qint32 pid) { m_ownPid = pid; }
    qint32 ownPid() const { return m_ownPid; }

    // Forgets the agent's picture (it stopped); windows keep their numbers should they come back.
    void reset();

signals:
    void snapshotApplied();
    void windowAdded(quint32 number);
    void windowRemoved(quint32 number);
    void windowFrameChanged(quint32 number);
    // Told of anew: its title, its state or its frame may have changed.
    void windowChanged(quint32 number);
    void outputsChanged();
    void activeWindowChanged();
    // The user started moving a window with the pointer, moved the pointer while doing so, let go.
    void moveStarted(quint32 number, QPointF cursor);
    void moveStepped(QPointF cursor);
    void moveFinished(QPointF cursor);
    // The pointer moved into, within or out of a region Corvane named.
    void pointerMoved(QPointF cursor);
    // The agent answered the sync that carried `n`.
    void synced(double n);

private:
    bool applySnapshot(const QJsonObject& event);
    bool applyWindow(const QJsonObject& event);
    bool applyFrame(const QJsonObject& event);
    bool applyRemoved(const QJsonObject& event);
    bool applyStacking(const QJsonObject& event);
    bool applyOutputs(const QJsonObject& event);
    bool applyMove(const QString& type, const QJsonObject& event);
    // Adds or replaces a window, keeping its number; whether it is new.
    bool store(AgentWindow window);
    quint32 numberFor(const QString& id);

    QList<AgentOutput> m_outputs;
    QHash<quint32, AgentWindow> m_windows;
    QHash<QString, quint32> m_numbers; // every id seen while Corvane runs
    QList<quint32> m_stacking;         // back to front, as the compositor gives it
    quint32 m_active = 0;
    QPointF m_cursor;
    quint64 m_modifierFlags = 0;
    quint32 m_nextNumber = 1;
    qint32 m_ownPid = 0;
    bool m_hasSnapshot = false;
};

// Checked readers of the agent's values; none for a value of the wrong shape.
namespace agentreport {
std::optional<QRectF> rect(const QJsonValue& value);
std::optional<QPointF> point(const QJsonValue& value);
std::optional<AgentWindow> window(const QJsonValue& value);
std::optional<AgentOutput> output(const QJsonValue& value);
// The whole list, or none when one of them is damaged.
std::optional<QList<AgentOutput>> outputs(const QJsonValue& value);
// The flags of platform/Events.h for a list of held keys ("control", "alt", "shift", "super"); names it
// does not know add nothing. None when it is no list of strings.
std::optional<quint64> modifierFlags(const QJsonValue& value);
} // namespace agentreport

} // namespace corvane
