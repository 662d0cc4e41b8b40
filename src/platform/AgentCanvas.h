#pragma once
// Shapes and words the desktop's agent draws above every window where no application may put a window
// of its own there (GNOME), and the pointer over them. The agent draws only what it is given and reports
// the pointer; what a shape means, and what a press on it does, is the core's (DrawnQuickSnap).

#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>

namespace corvane {

// Rectangles of shapes and texts are the scene's own: from its top-left, y down. Colours are 0xAARRGGBB
// (QColor::rgba()).
struct CanvasShape {
    QRectF rect;
    quint32 fill = 0;
    quint32 border = 0; // transparent: none
    double borderWidth = 0;
    double radius = 0;

    friend bool operator==(const CanvasShape&, const CanvasShape&) = default;
};

struct CanvasText {
    QRectF rect;
    QString text;
    quint32 color = 0;
    double pixelSize = 10;
    bool isBold = false;

    friend bool operator==(const CanvasText&, const CanvasText&) = default;
};

struct CanvasScene {
    QRectF frame;              // screen coordinates
    QList<CanvasShape> shapes; // drawn in order, the first lowest
    QList<CanvasText> texts;   // over the shapes
    // Takes the pointer: presses over it reach no window below. A scene shown during a window's move
    // is not: the move holds the pointer.
    bool isInteractive = true;

    friend bool operator==(const CanvasScene&, const CanvasScene&) = default;
};

enum class CanvasPointer { Motion, Press, Release, Leave };

class AgentCanvas : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Replaces whatever was shown.
    virtual void show(const CanvasScene& scene) = 0;
    virtual void hide() = 0;
    virtual bool isShown() const = 0;

signals:
    // The pointer over an interactive scene, in screen coordinates; a press of the primary button only.
    // A press holds the pointer: its motion and release are reported wherever they happen.
    void pointer(corvane::CanvasPointer kind, QPointF cursor);
};

} // namespace corvane
