#pragma once
// What the tray panel shows while Corvane may not move other programs' windows: why (on X11, a
// window manager that does not offer the two requests Corvane needs), a button that checks again,
// and one that opens the help, disabled where none is installed. The panel replaces it with its
// lists once access arrives.

#include <QWidget>

class QPushButton;

namespace corvane {

class AccessTrust;

class PermissionOverlay : public QWidget {
    Q_OBJECT
public:
    explicit PermissionOverlay(AccessTrust& trust, QWidget* parent = nullptr);

    QPushButton* grantButton() const { return m_grant; }
    QPushButton* openSettingsButton() const { return m_openSettings; }

private:
    QPushButton* m_grant = nullptr;
    QPushButton* m_openSettings = nullptr;
};

} // namespace corvane
