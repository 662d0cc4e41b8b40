#include "KWinScreens.h"

#include "platform/common/WindowCoordinates.h"

#include <QHash>
#include <QStringList>

namespace corvane {

KWinScreens::KWinScreens(const KWinDesktop& desktop)
    : m_desktop(desktop) {}

QRect KWinScreens::primary() const {
    const QList<KWinOutput>& outputs = m_desktop.outputs();
    return outputs.isEmpty() ? QRect() : outputs.first().frame.toAlignedRect();
}

Screen KWinScreens::screenOf(const KWinOutput& output) const {
    // The connector names the output for as long as it is connected.
    return Screen{qHash(output.name, 0) | 1,
                  output.name,
                  toScreen(output.frame),
                  toScreen(output.workArea),
                  output.name,
                  QStringList{output.manufacturer, output.model}.join(u' ').trimmed()};
}

QList<Screen> KWinScreens::screens() const {
    QList<Screen> list;
    for (const KWinOutput& output : m_desktop.outputs())
        list.append(screenOf(output));
    return list;
}

std::optional<Screen> KWinScreens::mainScreen() const {
    const QList<KWinOutput>& outputs = m_desktop.outputs();
    if (outputs.isEmpty())
        return std::nullopt;
    if (const KWinWindow* active = m_desktop.activeWindow()) {
        for (const KWinOutput& output : outputs) {
            if (output.name == active->output)
                return screenOf(output);
        }
    }
    return screenOf(outputs.first());
}

QRect KWinScreens::windowGeometry(const QRectF& screenFrame) const {
    return windowGeometryOf(screenFrame, primary(), {});
}

QRectF KWinScreens::screenFrame(const QRect& windowGeometry) const {
    return screenFrameOf(windowGeometry, primary(), {});
}

QRectF KWinScreens::toScreen(const QRectF& kwinRect) const {
    return screenFromRoot(kwinRect, primary());
}

QPointF KWinScreens::toScreen(QPointF kwinPoint) const {
    return toScreen(QRectF(kwinPoint, QSizeF(0, 0))).topLeft();
}

QRectF KWinScreens::toAx(const QRectF& kwinRect) const {
    return kwinRect.translated(-primary().topLeft());
}

QPointF KWinScreens::toAx(QPointF kwinPoint) const {
    return kwinPoint - primary().topLeft();
}

QRectF KWinScreens::fromScreen(const QRectF& screenRect) const {
    return rootFromScreen(screenRect, primary());
}

QRectF KWinScreens::fromAx(const QRectF& axRect) const {
    return axRect.translated(primary().topLeft());
}

} // namespace corvane
