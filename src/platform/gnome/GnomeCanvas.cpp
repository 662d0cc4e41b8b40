#include "GnomeCanvas.h"

#include "platform/gnome/ShellColor.h"

#include <QJsonArray>
#include <cmath>

namespace corvane {

namespace {

QJsonArray rectArray(const QRectF& r) {
    return QJsonArray{r.x(), r.y(), r.width(), r.height()};
}

QJsonObject shapeObject(const CanvasShape& shape) {
    return {{QStringLiteral("rect"), rectArray(shape.rect)},
            {QStringLiteral("fill"), shellColor(QColor::fromRgba(shape.fill))},
            {QStringLiteral("border"), shellColor(QColor::fromRgba(shape.border))},
            {QStringLiteral("borderWidth"), shape.borderWidth},
            {QStringLiteral("radius"), shape.radius}};
}

QJsonObject textObject(const CanvasText& text) {
    return {{QStringLiteral("rect"), rectArray(text.rect)},
            {QStringLiteral("text"), text.text.left(GnomeCanvas::maxTextCharacters)},
            {QStringLiteral("color"), shellColor(QColor::fromRgba(text.color))},
            {QStringLiteral("size"), text.pixelSize},
            {QStringLiteral("bold"), text.isBold}};
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
    m_send(QJsonObject{{QStringLiteral("c"), QStringLiteral("palette")},
                       {QStringLiteral("frame"), rectArray(m_screens.fromScreen(scene.frame))},
                       {QStringLiteral("interactive"), scene.isInteractive},
                       {QStringLiteral("shapes"), shapes},
                       {QStringLiteral("texts"), texts}});
}

void GnomeCanvas::hide() {
    if (!m_shown)
        return;
    m_shown.reset();
    m_send(QJsonObject{{QStringLiteral("c"), QStringLiteral("palette")},
                       {QStringLiteral("frame"), QJsonValue()}});
}

void GnomeCanvas::report(const QJsonObject& event) {
    const std::optional<CanvasPointer> kind = pointerKind(event.value(QLatin1String("kind")).toString());
    const QJsonArray cursor = event.value(QLatin1String("cursor")).toArray();
    // A report that crossed a hide: nothing of it is shown any more.
    if (!kind || !m_shown || cursor.size() != 2 || !cursor[0].isDouble() || !cursor[1].isDouble())
        return;
    const QPointF at(cursor[0].toDouble(), cursor[1].toDouble());
    if (!std::isfinite(at.x()) || !std::isfinite(at.y()))
        return;
    emit pointer(*kind, m_screens.toScreen(at));
}

} // namespace corvane
