#pragma once
// The monitors as the desktop arranges them, drawn to scale, each with its name and a caption (the
// drag-to-snap card's: the layout it offers there): the one chosen
// stands out, and a click on another chooses it, as do the arrow keys. The drag-to-snap card picks a
// monitor's own layout with it.

#include "platform/Screens.h"

#include <QWidget>

namespace corvane {

class MonitorMap : public QWidget {
    Q_OBJECT
public:
    explicit MonitorMap(QWidget* parent = nullptr);

    // `captions` and `chosen` go by the index in `monitors`.
    void setMonitors(const QList<Screen>& monitors, const QStringList& captions, qsizetype chosen);
    QSize sizeHint() const override { return {360, 96}; }
    // Where each monitor is drawn, in the widget's coordinates, in the order given.
    QList<QRectF> monitorRects() const;

signals:
    void monitorClicked(qsizetype index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<Screen> m_monitors;
    QStringList m_captions;
    qsizetype m_chosen = 0;
};

} // namespace corvane
