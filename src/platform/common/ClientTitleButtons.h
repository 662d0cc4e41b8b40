#pragma once
// The maximize buttons of windows that draw their own title bars (GTK header bars), as the
// accessibility bus names them. The bus is asked only about a point the pointer rests on: the same
// point asked about twice in a row (the palette monitor asks again while the pointer stays), and once
// only. Once it named a window's button, that answer serves, without asking again, for as long as the
// window keeps its size. Main thread only.

#include "platform/AccessibilityBus.h"

#include <QHash>

namespace corvane {

class ClientTitleButtons {
public:
    explicit ClientTitleButtons(AccessibilityBus& bus)
        : m_bus(bus) {}

    // The strip along the top of a frame where such a window draws its title bar.
    static QRectF titleStrip(const QRectF& frame);
    static constexpr double kStripHeight = 70;

    // What lies at the point of the window's title bar; frame and point in AX coordinates.
    BusButton buttonAt(quint32 window, qint32 pid, const QRectF& frame, QPointF point, double timeout);
    // Where the window's zoom button lies: the button once the bus named it, else the title strip.
    QRectF zoomButtonRegion(quint32 window, const QRectF& frame) const;

private:
    struct Known {
        QSizeF frameSize;
        QRectF button; // relative to the frame's top-left
    };
    // A point of a window's title bar, relative to its frame.
    struct Spot {
        quint32 window = 0;
        QPointF offset;
        QSizeF frameSize;
        friend bool operator==(const Spot&, const Spot&) = default;
    };
    std::optional<QRectF> known(quint32 window, const QRectF& frame) const;

    static constexpr qsizetype kMaxKnown = 64; // windows come and go: forget all past this many

    AccessibilityBus& m_bus;
    QHash<quint32, Known> m_known;
    std::optional<Spot> m_lastSpot;    // the point asked about last
    bool m_isLastSpotAnswered = false; // and the bus said nothing is there
};

} // namespace corvane
