#pragma once
// Corvane's hotkeys as KDE global shortcuts: kglobalaccel holds them as the actions of the component
// "corvane", where System Settings › Shortcuts lists them and the user may rebind them. KDE's record
// counts: a chord the user gave there, now or before Corvane started, is told to the core, and a
// chord another action holds is never taken from it (KWinKeyGrabs reports it).

#include "platform/Shortcuts.h"
#include "platform/kwin/KGlobalAccel.h"

#include <QDBusConnection>
#include <QMap>

namespace corvane {

class KGlobalAccelShortcuts final : public Shortcuts {
    Q_OBJECT
public:
    static inline const QString component = QStringLiteral("corvane");

    explicit KGlobalAccelShortcuts(QDBusConnection bus, QObject* parent = nullptr);

    // The chord becomes the action's default and, unless KDE kept the user's own chord for it from
    // an earlier run, its chord; a later chord for the same action replaces the user's.
    void setShortcut(int id, const KeyChord& chord) override;
    // The action stops firing; KDE keeps its chord for the next start. An action not given a chord in
    // this run (the user took it away in System Settings) is made present with none instead, so a
    // chord given it there later fires; one KDE kept from while Corvane was not running is told.
    void clearShortcut(int id) override;
    void nameShortcut(int id, const ShortcutName& name) override;

private slots:
    void shortcutPressed(const QString& componentUnique, const QString& shortcutUnique, qlonglong timestamp);
    void shortcutsChanged(const QDBusMessage& message);

private:
    struct Action {
        ShortcutName name;
        std::optional<KeyChord> chord; // as KDE has it, once told
        bool isRegistered = false;     // in this run
        bool isActive = false;
    };

    QStringList actionId(int id) const;
    int idOf(const QString& shortcutUnique) const;

    KGlobalAccel m_accel;
    QMap<int, Action> m_actions;
};

} // namespace corvane
