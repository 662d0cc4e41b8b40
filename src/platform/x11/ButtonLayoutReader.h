#pragma once
// Which window manager runs (_NET_SUPPORTING_WM_CHECK, then the _NET_WM_NAME of its check window) and
// how it lays out its title-bar buttons, read where it keeps them: openbox's rc.xml, xfwm4's xfconf
// channel, the GSettings key of metacity, marco and mutter, KWin's kwinrc, fluxbox's init and IceWM's
// preferences and theme. Read once, and again when the window manager or its settings change, never
// when asked. Other window managers get the fallback layout. WindowManagerConfig knows the formats.

#include "platform/wmconfig/ButtonLayoutFiles.h"
#include "platform/x11/WindowManagerWatcher.h"

#include <QDBusMessage>

namespace corvane {

class GSettingsString;

class ButtonLayoutReader : public QObject {
    Q_OBJECT
public:
    explicit ButtonLayoutReader(WindowManagerWatcher& windowManager);
    ~ButtonLayoutReader() override;

    struct Layout {
        WindowManager windowManager = WindowManager::Unknown;
        ButtonLayout buttons;
        ButtonMetrics metrics;
    };
    Layout current() const;

signals:
    // The layout, or the window manager it is read for, changed: title-bar buttons lie elsewhere.
    void changed();

private slots:
    // PropertyChanged and PropertyRemoved of xfconf, whole: a QDBusVariant parameter would need its
    // type registered before connecting, or the connection silently fails.
    void xfconfSignal(const QDBusMessage& message);

private:
    void detect();
    void followFiles(WindowManager wm, const QString& openboxConfigFile);
    void askXfconf();
    void followXfconf(const QString& layout);
    void followGSettings(const char* schema);
    void set(const ButtonLayout& buttons);

    WindowManagerWatcher& m_windowManager;
    const ConfigFolders m_folders;
    bool m_hasDetected = false;
    QString m_openboxConfigFile;
    std::unique_ptr<ButtonLayoutFiles> m_files;
    std::unique_ptr<GSettingsString> m_gsettings;
    bool m_isListeningToXfconf = false;
    bool m_isFollowingXfconf = false; // xfconf answered: its value outranks xfwm4's defaults file
    Layout m_current;
};

} // namespace corvane
