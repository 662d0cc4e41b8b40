#pragma once
// What the tray panel shows while Corvane may not move other programs' windows: why, and two ways
// to grant access. The panel replaces it with its lists once access arrives.

#include <QWidget>

class QPushButton;

namespace corvane {

class WindowController;

class PermissionOverlay : public QWidget {
    Q_OBJECT
public:
    explicit PermissionOverlay(WindowController& controller, QWidget* parent = nullptr);

    QPushButton* grantButton() const { return m_grant; }
    QPushButton* openSettingsButton() const { return m_openSettings; }

private:
    QPushButton* m_grant = nullptr;
    QPushButton* m_openSettings = nullptr;
};

} // namespace corvane
