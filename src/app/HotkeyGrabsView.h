#pragma once
// The hotkey card's notice and option: which of Corvane's keys the window manager also uses and
// where to change that, and the switch "Keep these keys from reaching other applications". Follows
// HotkeyGrabs as the window manager or the option changes.

#include "input/HotkeyGrabs.h"

#include <QWidget>

class QCheckBox;
class QLabel;

namespace corvane {

class HotkeyGrabsView : public QWidget {
    Q_OBJECT
public:
    explicit HotkeyGrabsView(HotkeyGrabs& grabs, QWidget* parent = nullptr);

    // Hidden while the window manager holds none of the keys.
    QWidget* notice() const { return m_notice; }
    QLabel* noticeText() const { return m_noticeText; }
    QCheckBox* consumeToggle() const { return m_consumeToggle; }

private:
    void refresh();

    HotkeyGrabs& m_grabs;
    QWidget* m_notice = nullptr;
    QLabel* m_noticeText = nullptr;
    QCheckBox* m_consumeToggle = nullptr;
};

} // namespace corvane
