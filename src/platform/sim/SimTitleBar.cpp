#include "SimTitleBar.h"

namespace corvane {

namespace {

// Title-bar buttons of a simulated window, relative to its top-left corner.
constexpr double kButtonTop = 4;
constexpr double kButtonWidth = 14;
constexpr double kButtonHeight = 16;
constexpr double kButtonLefts[] = {8, 28, 48};

} // namespace

QList<AxElement> addTitleBarButtons(SimDesktop& desktop, SimWindowId window) {
    QList<AxElement> buttons;
    const AxElement windowElement = desktop.windowElement(window);
    if (windowElement.isNull())
        return buttons;
    const QPointF origin = desktop.windowFrame(window).topLeft();
    const QString subroles[] = {QString::fromLatin1(ax::kCloseButtonSubrole),
                                QString::fromLatin1(ax::kMinimizeButtonSubrole),
                                QString::fromLatin1(ax::kZoomButtonSubrole)};
    for (int i = 0; i < 3; ++i) {
        const QRectF frame(origin.x() + kButtonLefts[i], origin.y() + kButtonTop, kButtonWidth,
                           kButtonHeight);
        const AxElement button =
            desktop.addElement(windowElement, QString::fromLatin1(ax::kButtonRole), subroles[i], frame);
        desktop.setAttribute(button, QString::fromLatin1(ax::kWindow), windowElement);
        buttons.append(button);
    }
    return buttons;
}

} // namespace corvane
