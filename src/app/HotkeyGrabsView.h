#pragma once
// The hotkey card's notice and option: which of Corvane's chords the window manager takes first and
// where it keeps its bindings, with free chords to use instead in one click, and the switch "Keep
// these keys from reaching other applications". Follows HotkeyGrabs as the window manager, the
// chords or the option change.

#include "input/HotkeyGrabs.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace corvane {

class HotkeyGrabsView : public QWidget {
    Q_OBJECT
public:
    explicit HotkeyGrabsView(HotkeyGrabs& grabs, QWidget* parent = nullptr);

signals:
    // The user took the offer: the table to use from now on.
    void offerTaken(const HotkeyChords& chords);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    HotkeyGrabs& m_grabs;
    // Hidden while the window manager holds none of the keys.
    QWidget* m_notice = nullptr;
    QLabel* m_noticeText = nullptr;
    // "Use … instead": hidden while there is nothing free to offer.
    QPushButton* m_offerButton = nullptr;
    bool m_hasBeenShown = false;
    QCheckBox* m_consumeToggle = nullptr;
};

} // namespace corvane
