#include "ScreenshotScenes.h"

#include "app/MenuBarView.h"
#include "app/SettingsView.h"
#include "app/UpdaterController.h"
#include "control/MonitorKey.h"
#include "control/WindowController.h"
#include "dragsnap/DragSnapSettings.h"
#include "dragsnap/SnapPreviewView.h"
#include "input/HotkeyGrabs.h"
#include "input/HotkeyRules.h"
#include "palette/FirstClickHostingView.h"
#include "palette/QuickSnapSettings.h"
#include "palette/QuickSnapView.h"
#include "platform/sim/SimDefaults.h"
#include "platform/sim/SimDesktop.h"
#include "ui/GridBuilderView.h"
#include "ui/LegibleStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>

namespace corvane {

namespace {

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

// GNOME's own edge tiling, on as GNOME ships it.
struct GnomeEdgeTiling final : EdgeTiling {
    QString desktopName() const override { return QStringLiteral("GNOME"); }
    bool mayTurnOff() const override { return true; }
    bool isOn() const override { return true; }
    void setOn(bool) override {}
};

struct IdleMonitor final : FeatureMonitor {
    void start() override {}
    void stop() override {}
};

// A simulated desktop with one screen and a controller, optionally with three presets saved.
struct Scene {
    SimDesktop desk;
    Platform platform = desk.platform();
    HotkeyGrabs hotkeyGrabs{platform, defaultHotkeyChords()};
    IdleMonitor idle;
    DragSnapSettings dragSnap{platform, idle};
    QuickSnapSettings palette{platform, idle};
    FrameWriteQueue frameWrites{platform};
    ZoneSpacingSettings zoneSpacing{platform.defaults};
    ExcludedApplications excluded{platform};
    std::unique_ptr<WindowController> controller;

    Scene(bool isTrusted, bool hasPresets) {
        desk.addScreen(QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875));
        desk.accessibility().setTrusted(isTrusted);
        // openbox's stock title bar, as the Quick Snap card pictures it.
        desk.workspace().setTitleButtonLayout(ButtonLayout{
            {TitleButton::Other}, {TitleButton::Close, TitleButton::Maximize, TitleButton::Minimize}});
        controller = std::make_unique<WindowController>(platform, frameWrites, zoneSpacing, dragSnap, palette,
                                                        excluded);
        if (hasPresets) {
            // A wide screen beside the laptop, given a drag layout of its own, and an application left
            // alone.
            const Screen wide{.id = 2,
                              .name = QStringLiteral("DP-1"),
                              .frame = QRectF(1440, 0, 2560, 1080),
                              .visibleFrame = QRectF(1440, 0, 2560, 1080),
                              .connector = QStringLiteral("DP-1")};
            desk.setScreens({desk.platform().screens.screens().first(), wide});
            dragSnap.setMonitorLayoutName(MonitorKey::of(wide, platform.screens.screens()),
                                          QStringLiteral("Thirds"));
            excluded.add(QStringLiteral("XTerm"));
            controller->presets().addSizePreset(QStringLiteral("Laptop"), 1440, 900);
            controller->presets().addGridPreset(QStringLiteral("Wide centre"), 2, 3, {{0, 1, 2, 1}});
            controller->presets().addSizePreset(QStringLiteral("A very long preset"), 1000, 700);
        }
    }
};

using Visit = std::function<void(QWidget& window, const QString& name)>;

void present(QWidget& widget, const QString& name, const Visit& visit) {
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
    QApplication::processEvents();
    visit(widget, name);
    widget.hide();
}

// The settings window's whole column, so every card can be seen.
void presentColumn(SettingsView& view, const QString& name, const Visit& visit) {
    std::unique_ptr<QWidget> column(view.takeWidget());
    column->resize(600, column->sizeHint().height());
    present(*column, name, visit);
}

void panels(const Visit& visit) {
    for (const bool isTrusted : {false, true}) {
        for (const bool hasPresets : {false, true}) {
            if (!isTrusted && hasPresets)
                continue; // the overlay hides the presets
            Scene scene(isTrusted, hasPresets);
            UpdaterController updater(scene.platform.updater);
            MenuBarView view(*scene.controller, updater, scene.platform.application, [] {});
            present(view,
                    isTrusted
                        ? (hasPresets ? QStringLiteral("panel-presets") : QStringLiteral("panel-no-presets"))
                        : QStringLiteral("panel-untrusted"),
                    visit);
        }
    }
    // A desktop with no tray until the user turns one on, as GNOME is: the panel in a window says how.
    Scene scene(true, true);
    scene.desk.application().setSystemTrayHint(
        QStringLiteral("GNOME shows Corvane's icon in the top bar once the AppIndicator extension is on "
                       "(Debian: gnome-shell-extension-appindicator)."));
    UpdaterController updater(scene.platform.updater);
    MenuBarView view(*scene.controller, updater, scene.platform.application, [] {});
    present(view, QStringLiteral("panel-no-tray"), visit);
}

// The window as it opens (600 x 600), and its whole column so every card can be seen; then the
// alert that turning on the palette asks; then the column on a desktop that shows Corvane no drag.
void settings(const Visit& visit) {
    for (const bool hasPresets : {false, true}) {
        Scene scene(true, hasPresets);
        if (hasPresets) {
            scene.dragSnap.setEnabled(true);
            // A window manager that binds the arrows, as openbox's stock configuration does.
            const HotkeyChords chords = defaultHotkeyChords();
            scene.desk.keyGrabs().startWindowManager(
                QStringLiteral("Openbox"),
                {*chords[int(HotkeyAction::Previous)], *chords[int(HotkeyAction::Next)]},
                QStringLiteral("/etc/xdg/openbox/rc.xml"));
            scene.hotkeyGrabs.check();
        }
        SettingsView view(*scene.controller, scene.dragSnap, scene.palette, scene.hotkeyGrabs,
                          scene.platform.capabilities);
        view.resize(600, 600);
        if (hasPresets) {
            view.findChild<QWidget*>(QStringLiteral("gridName"))
                ->findChild<QLineEdit*>()
                ->setText(QStringLiteral("laptop"));
            view.findChild<GridBuilderView*>()->setSelection({{0, 0}, {1, 0}});
        }
        const QString name = hasPresets ? QStringLiteral("settings-presets") : QStringLiteral("settings");
        present(view, name, visit);
        if (!hasPresets) {
            view.show();
            emit view.findChild<QCheckBox*>(QStringLiteral("quickSnapToggle"))->clicked(true);
            present(*view.findChild<QMessageBox*>(), QStringLiteral("alert"), visit);
            view.hide();
        }
        presentColumn(view, name + QStringLiteral("-all"), visit);
    }
    Scene scene(true, false);
    scene.dragSnap.setEnabled(true);
    SettingsView view(*scene.controller, scene.dragSnap, scene.palette, scene.hotkeyGrabs,
                      kAllCapabilities & ~Capabilities(Capability::DragObservation));
    presentColumn(view, QStringLiteral("settings-no-drag-all"), visit);
    // On GNOME, with GNOME's edge tiling on: the drag-to-snap card offers to turn it off.
    Scene gnome(true, false);
    gnome.dragSnap.setEnabled(true);
    GnomeEdgeTiling edgeTiling;
    SettingsView gnomeView(*gnome.controller, gnome.dragSnap, gnome.palette, gnome.hotkeyGrabs,
                           gnome.platform.capabilities, nullptr, &edgeTiling);
    presentColumn(gnomeView, QStringLiteral("settings-gnome-all"), visit);
}

void gridBuilder(const Visit& visit) {
    GridBuilderView builder;
    builder.setGridSize(3, 4);
    builder.setMerges({{0, 0, 2, 2}});
    builder.setSelection({{2, 2}, {2, 3}});
    builder.resize(420, builder.sizeHint().height());
    present(builder, QStringLiteral("grid-builder"), visit);
}

void palette(const Visit& visit) {
    SimDefaults defaults;
    const ZoneSpacingSettings spacing(defaults);
    FirstClickHostingView palette(new QuickSnapView([](const QRectF&) {}, spacing));
    present(palette, QStringLiteral("palette"), visit);
}

// The preview as it shows over a window: drawn on a backdrop, since it is translucent.
void preview(const Visit& visit) {
    SnapPreviewView preview(true, false);
    preview.setOpacity(1);
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
    present(backdrop, QStringLiteral("preview"), visit);
}

} // namespace

void forEachScene(const Visit& visit) {
    panels(visit);
    settings(visit);
    gridBuilder(visit);
    palette(visit);
    preview(visit);
}

void useQtDesktopLook(bool isDark) {
    auto* style = new LegibleStyle(QStringLiteral("Fusion"));
    QApplication::setStyle(style);
    QApplication::setPalette(isDark ? darkPalette() : style->standardPalette());
}

} // namespace corvane
