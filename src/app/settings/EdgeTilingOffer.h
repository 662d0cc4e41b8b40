#pragma once
// The desktop's own edge tiling in the drag-to-snap card: while drag to snap is on and the desktop's
// edge tiling too, a note that both meet at the screen edges and a button to turn the desktop's off;
// while drag to snap is off and the desktop's is off, a button to turn it back on. Nothing changes
// without the user's click. Made only where Corvane may turn it off (EdgeTiling::mayTurnOff); the KDE
// note of DragSnapCard is the counterpart where it may not.

#include <QWidget>

class QLabel;
class QPushButton;

namespace corvane {

class DragSnapSettings;
class EdgeTiling;

class EdgeTilingOffer : public QWidget {
    Q_OBJECT
public:
    enum class Offer { Nothing, TurnOff, TurnBackOn };

    EdgeTilingOffer(EdgeTiling& tiling, DragSnapSettings& dragSnap, QWidget* parent = nullptr);

    Offer offer() const { return m_offer; }

private:
    static Offer offerFor(bool isDragSnapOn, bool isEdgeTilingOn);
    void refresh();

    EdgeTiling& m_tiling;
    DragSnapSettings& m_dragSnap;
    Offer m_offer = Offer::Nothing;
    QLabel* m_text = nullptr;
    QPushButton* m_button = nullptr;
};

} // namespace corvane
