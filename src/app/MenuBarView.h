#pragma once
// The tray panel's content, 280 x 500: the header with "Settings", then either the permission
// overlay or the built-in layouts and the saved presets, and the footer with updates and Quit.
// It rebuilds its body whenever access, the presets or the updater's flag change.

#include "platform/DesktopAgent.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace corvane {

class Application;
class UpdaterController;
class WindowController;

class MenuBarView : public QWidget {
    Q_OBJECT
public:
    MenuBarView(WindowController& controller, UpdaterController& updater, Application& application,
                std::function<void()> showSettings, DesktopAgent* agent = nullptr, QWidget* parent = nullptr);

    static constexpr int width = 280;
    static constexpr int height = 500;

private:
    void showUpdates(bool canCheck);
    void rebuildBody();
    QWidget* makeLists();
    // What to do before Corvane can move windows, while its part inside the desktop does not run.
    QWidget* makeAgentNotice();

    WindowController& m_controller;
    UpdaterController& m_updater;
    DesktopAgent* m_agent; // where Corvane's part inside the desktop must run first
    // Shown while the updater can check; the note saying where updates come from otherwise.
    QPushButton* m_checkForUpdates = nullptr;
    QLabel* m_updatesNote = nullptr;
};

} // namespace corvane
