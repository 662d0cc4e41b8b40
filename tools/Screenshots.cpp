// Renders Corvane's windows on the offscreen platform to PNG files, on a simulated desktop, so
// their look can be checked without a display: the tray panel in its states, the settings window,
// the grid builder, the palette and the snap preview. Usage: corvane_screenshots OUTPUT_DIR
#include "app/MenuBarView.h"
#include "app/SettingsView.h"
#include "app/UpdaterController.h"
#include "control/WindowController.h"
#include "dragsnap/SnapPreviewView.h"
#include "input/GlobalKeyMonitor.h"
#include "input/HotkeyGrabs.h"
#include "input/HotkeyRules.h"
#include "palette/FirstClickHostingView.h"
#include "palette/ZoomPaletteView.h"
#include "platform/sim/SimDesktop.h"
#include "ui/GridBuilderView.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <cstdio>

namespace corvane {
namespace {

class Shooter {
public:
    explicit Shooter(QString directory) : m_directory(std::move(directory)) {}
    // Appended to every file name, for a second pass in another palette.
    void setSuffix(QString suffix) { m_suffix = std::move(suffix); }

    void shoot(QWidget& widget, const QString& name) {
        widget.setAttribute(Qt::WA_DontShowOnScreen);
        widget.show();
        QApplication::processEvents();
        const QString path = QDir(m_directory).filePath(name + m_suffix + QStringLiteral(".png"));
        if (!widget.grab().save(path))
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        else
            std::printf("%s\n", qPrintable(path));
        widget.hide();
    }

private:
    QString m_directory;
    QString m_suffix;
};

// A dark desktop theme, as a dark Qt style would set it.
QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x30));
    p.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xea));
    p.setColor(QPalette::Base, QColor(0x3a, 0x3a, 0x3e));
    p.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x36));
    p.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xea));
    p.setColor(QPalette::Button, QColor(0x45, 0x45, 0x4a));
    p.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xea));
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x96));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0x8e, 0xe0));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x86));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x86));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x86));
    return p;
}

struct IdleMonitor final : FeatureMonitor {
    void start() override {}
    void stop() override {}
};

// A simulated desktop with one screen and a controller, optionally with three presets saved.
struct Scene {
    SimDesktop desk;
    Platform platform = desk.platform();
    GlobalKeyMonitor keys{platform.events};
    HotkeyGrabs hotkeyGrabs{platform};
    IdleMonitor idle;
    DragSnapSettings dragSnap{platform, idle};
    ZoomPaletteSettings palette{platform, idle};
    std::unique_ptr<WindowController> controller;

    Scene(bool isTrusted, bool hasPresets) {
        desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
        desk.setTrusted(isTrusted);
        controller = std::make_unique<WindowController>(platform, keys, dragSnap, palette);
        if (hasPresets) {
            controller->addSizePreset(QStringLiteral("Laptop"), 1440, 900);
            controller->addGridPreset(QStringLiteral("Wide centre"), 2, 3, {{0, 1, 2, 1}});
            controller->addSizePreset(QStringLiteral("A very long preset"), 1000, 700);
        }
    }
};

void shootPanels(Shooter& shooter) {
    for (const bool isTrusted : {false, true}) {
        for (const bool hasPresets : {false, true}) {
            if (!isTrusted && hasPresets)
                continue; // the overlay hides the presets
            Scene scene(isTrusted, hasPresets);
            UpdaterController updater(scene.platform.updater);
            MenuBarView view(*scene.controller, updater, scene.platform.application, [] {});
            shooter.shoot(view, isTrusted ? (hasPresets ? QStringLiteral("panel-presets")
                                                        : QStringLiteral("panel-no-presets"))
                                          : QStringLiteral("panel-untrusted"));
        }
    }
}

// The window as it opens (600 x 600), and its whole column so every card can be seen.
void shootSettings(Shooter& shooter) {
    for (const bool hasPresets : {false, true}) {
        Scene scene(true, hasPresets);
        if (hasPresets) {
            scene.dragSnap.setEnabled(true);
            // A window manager that binds the arrows, as openbox's stock configuration does.
            scene.desk.keyGrabs().startWindowManager(QStringLiteral("Openbox"),
                                                     {{GrabKey::LeftArrow, 0, kHotkeyModifiers},
                                                      {GrabKey::RightArrow, 0, kHotkeyModifiers}});
            scene.hotkeyGrabs.check();
        }
        SettingsView view(*scene.controller, scene.dragSnap, scene.palette, scene.hotkeyGrabs);
        view.resize(600, 600);
        if (hasPresets) {
            view.gridNameRow().field->setText(QStringLiteral("laptop"));
            view.gridBuilder()->setSelection({{0, 0}, {1, 0}});
        }
        const QString name = hasPresets ? QStringLiteral("settings-presets") : QStringLiteral("settings");
        shooter.shoot(view, name);
        QWidget* column = view.takeWidget();
        column->resize(600, column->sizeHint().height());
        shooter.shoot(*column, name + QStringLiteral("-all"));
        delete column;
    }
}

void shootGridBuilder(Shooter& shooter) {
    GridBuilderView builder;
    builder.setGridSize(3, 4);
    builder.setMerges({{0, 0, 2, 2}});
    builder.setSelection({{2, 2}, {2, 3}});
    builder.resize(420, builder.sizeHint().height());
    shooter.shoot(builder, QStringLiteral("grid-builder"));
}

void shootPalette(Shooter& shooter) {
    FirstClickHostingView palette(new ZoomPaletteView([](const QRectF&) {}));
    shooter.shoot(palette, QStringLiteral("palette"));
}

// The preview as it shows over a window: drawn on a backdrop, since it is translucent.
void shootPreview(Shooter& shooter) {
    SnapPreviewView preview(true);
    preview.setWindowOpacity(1);
    preview.resize(360, 225);
    QWidget backdrop;
    backdrop.resize(400, 265);
    QPixmap picture(backdrop.size());
    picture.fill(QColor(60, 64, 72));
    {
        QPainter painter(&picture);
        painter.drawPixmap(20, 20, preview.grab());
    }
    QPalette p = backdrop.palette();
    p.setBrush(QPalette::Window, picture);
    backdrop.setPalette(p);
    backdrop.setAutoFillBackground(true);
    shooter.shoot(backdrop, QStringLiteral("preview"));
}

} // namespace
} // namespace corvane

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(directory));
        return 1;
    }
    corvane::Shooter shooter(directory);
    corvane::shootPanels(shooter);
    corvane::shootSettings(shooter);
    corvane::shootGridBuilder(shooter);
    corvane::shootPalette(shooter);
    corvane::shootPreview(shooter);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(corvane::darkPalette());
    shooter.setSuffix(QStringLiteral("-dark"));
    corvane::shootPanels(shooter);
    corvane::shootSettings(shooter);
    corvane::shootPalette(shooter);
    return 0;
}
