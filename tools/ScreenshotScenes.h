#pragma once
// Corvane's windows in their states, on a simulated desktop, as `make screenshots` renders them and
// the legibility test measures them: the tray panel without access, without and with presets; the
// settings window as it opens and its whole column; the green-button alert; the grid builder; the
// palette; the snap preview.

#include <QString>
#include <functional>

class QWidget;

namespace corvane {

// Builds each scene in the application's present palette and style, shows it offscreen and hands
// it to `visit` with its name, then destroys it.
void forEachScene(const std::function<void(QWidget& window, const QString& name)>& visit);

// The look Corvane has on a desktop that leaves the style to Qt: Fusion, wrapped in LegibleStyle as
// Corvane wraps every style, with Fusion's light palette or a dark one as a dark theme sets it.
void useQtDesktopLook(bool isDark);

} // namespace corvane
