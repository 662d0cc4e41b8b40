#include "GnomeCanvas.h"

#include "platform/gnome/ShellColor.h"

#include <QJsonArray>
#include <cmath>

namespace corvane {

namespace field = agentprotocol::field;
namespace command = agentprotocol::command;

namespace {

QJsonArray rectArray(const QRectF& r) {
    return QJsonArray{r.x(), r.y(), r.width(), r.height()};
}

QJsonObject shapeObject(const CanvasShape& shape) {
    return {{field::kRect, rectArray(shape.rect)},
            {field::kFill, shellColor(QColor::fromRgba(shape.fill))},
            {field::kBorder, shellColor(QColor::fromRgba(shape.border))},
            {field::kBorderWidth, shape.borderWidth},
            {field::kRadius, shape.radius}};
}

QJsonObject textObject(const CanvasText& text) {
    return {{field::kRect, rectArray(text.rect)},
            {field::kText, text.text.left(GnomeCanvas::maxTextCharacters)},
            {field::kColor, shellColor(QColor::fromRgba(text.color))},
            {field::kSize, text.pixelSize},
            {field::kBold, text.isBold}};
}

std::optional<CanvasPointer> pointerKind(const QString& kind) {
    if (kind == u"motion")
        return CanvasPointer::Motion;
    if (kind == u"press")
        return CanvasPointer::Press;
    if (kind == u"release")
        return CanvasPointer::Release;
    if (kind == u"leave")
        return CanvasPointer::Leave;
    return std::nullopt;
}

} // namespace

GnomeCanvas::GnomeCanvas(AgentCommand send, const AgentScreens& screens, QObject* parent)
    : AgentCanvas(parent)
    , m_send(std::move(send))
    , m_screens(screens) {}

void GnomeCanvas::show(const CanvasScene& scene) {
    if (m_shown == scene)
        return;
    m_shown = scene;
    QJsonArray shapes;
    for (const CanvasShape& shape : scene.shapes.first(std::min(scene.shapes.size(), maxShapes)))
        shapes.append(shapeObject(shape));
    QJsonArray texts;
    for (const CanvasText& text : scene.texts.first(std::min(scene.texts.size(), maxTexts)))
        texts.append(textObject(text));
    m_send(QJsonObject{{field::kC, command::kPalette},
                       {field::kFrame, rectArray(m_screens.fromScreen(scene.frame))},
                       {field::kInteractive, scene.isInteractive},
                       {field::kShapes, shapes},
                       {field::kTexts, texts}});
}

void GnomeCanvas::hide() {
    if (!m_shown)
        return;
    m_shown.reset();
    m_send(QJsonObject{{field::kC, command::kPalette}, {field::kFrame, QJsonValue()}});
}

void GnomeCanvas::report(const QJsonObject& event) {
    const std::optional<CanvasPointer> kind = pointerKind(event.value(field::kKind).toString());
    const QJsonArray cursor = event.value(field::kCursor).toArray();
    // A report that crossed a hide: nothing of it is shown any more.
    if (!kind || !m_shown || cursor.size() != 2 || !cursor[0].isDouble() || !cursor[1].isDouble())
        return;
    const QPointF at(cursor[0].toDouble(), cursor[1].toDouble());
    if (!std::isfinite(at.x()) || !std::isfinite(at.y()))
        return;
    emit pointer(*kind, m_screens.toScreen(at));
}

} // namespace corvane
