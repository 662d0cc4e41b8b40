#pragma once
// A client of kglobalaccel, the keeper of KDE's global shortcuts (inside KWin 6, on the session bus):
// the few calls KGlobalAccelShortcuts and KWinKeyGrabs make. Every call waits at most callTimeoutMs;
// one that fails or goes unanswered returns nothing, and the first failure of a run of them is logged.
//
// An action is named by four strings, as kglobalaccel lists it: component, action, and the words
// System Settings shows for each.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QList>
#include <QStringList>
#include <optional>

namespace corvane {

class KGlobalAccel {
public:
    static constexpr int callTimeoutMs = 1000;
    static inline const QString service = QStringLiteral("org.kde.kglobalaccel");

    // Flags of setShortcut, as kglobalaccel defines them.
    enum SetFlag : uint {
        SetPresent = 2,    // the action is there to be triggered
        NoAutoloading = 4, // sets the keys given, not the ones kglobalaccel has kept for the action
        IsDefault = 8,     // sets the action's default keys, which System Settings offers to go back to
    };

    explicit KGlobalAccel(QDBusConnection bus);

    // Makes the action known, with its component.
    bool doRegister(const QStringList& actionId);
    // Returns the keys the action has now: with autoloading, those kglobalaccel kept from an earlier
    // run rather than `keys`; keys another action holds are left out.
    std::optional<QList<int>> setShortcut(const QStringList& actionId, const QList<int>& keys, uint flags);
    // The keys System Settings offers to go back to.
    std::optional<QList<int>> defaultShortcut(const QStringList& actionId);
    // The action is gone until registered again; kglobalaccel keeps its keys.
    bool setInactive(const QStringList& actionId);
    // The action holding the key, or an empty list when none does.
    std::optional<QStringList> action(int key);
    // While blocked, no global shortcut fires: how a key recorder gets every chord.
    bool blockGlobalShortcuts(bool isBlocked);
    // Whether the last call was answered (kglobalaccel runs in KWin: not while KWin is frozen).
    bool isAnswering() const { return !m_isFailing; }

    // The keys of a list of key sequences, a(ai), as kglobalaccel sends them: a chord is a sequence
    // of one key, and unused places are 0.
    static QList<int> firstKeys(const QDBusArgument& sequences);

private:
    std::optional<QList<QVariant>> call(const QString& method, const QList<QVariant>& arguments);

    QDBusConnection m_bus;
    bool m_isFailing = false;
};

} // namespace corvane
