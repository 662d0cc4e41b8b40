// Every text and control of Corvane's windows, measured from their rendered pixels in Fusion's light
// palette and in a dark one, stands out by WCAG AA: 4.5:1 for text, 3:1 for the shapes of controls.
// The measure itself is checked first on the faults it is there to catch.
#include "tools/ContrastAudit.h"
#include "tools/ScreenshotScenes.h"
#include "ui/ViewStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace corvane {
namespace {

// The one measure of the item whose description contains `what`.
double measured(QWidget& window, const QString& what) {
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QApplication::processEvents();
    for (const ContrastMeasure& m : measureContrast(window, window.grab().toImage())) {
        if (m.what.contains(what))
            return m.ratio;
    }
    ADD_FAILURE() << "nothing measured for " << qPrintable(what);
    return 0;
}

TEST(LegibilityTest, TheMeasureSeesFaintTextAndFaintControls) {
    useQtDesktopLook(true);
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QWidget window;
    auto* rows = new QVBoxLayout(&window);
    // Pure blue and a mid red on the dark window: the link and the warning of old.
    auto* link = new QLabel(QStringLiteral("Open System Settings"), &window);
    link->setStyleSheet(QStringLiteral("color: #0000ff"));
    auto* warning = new QLabel(QStringLiteral("already exists"), &window);
    warning->setStyleSheet(QStringLiteral("color: #d72626"));
    auto* plain = new QLabel(QStringLiteral("Launch"), &window);
    rows->addWidget(link);
    rows->addWidget(warning);
    rows->addWidget(plain);
    // A check box as Fusion draws it on its own, without LegibleStyle's outline.
    auto* box = new QCheckBox(QStringLiteral("Fusion's own"), &window);
    box->setStyle(fusion.get());
    rows->addWidget(box);

    EXPECT_LT(measured(window, "Open System Settings"), 2.5);
    EXPECT_LT(measured(window, "already exists"), kTextContrast);
    EXPECT_GT(measured(window, "\"Launch\""), 10) << "the dark palette's own text";
    EXPECT_LT(measured(window, "Fusion's own\" edge"), kControlContrast);
}

TEST(LegibilityTest, EveryTextAndControlMeetsWcagAaInBothPalettes) {
    for (const bool isDark : {false, true}) {
        useQtDesktopLook(isDark);
        int count = 0;
        QStringList scenes;
        forEachScene([&](QWidget& window, const QString& name) {
            scenes.append(name);
            for (const ContrastMeasure& m : measureContrast(window, window.grab().toImage())) {
                ++count;
                EXPECT_TRUE(m.isMet())
                    << qPrintable(name) << (isDark ? " (dark): " : ": ") << qPrintable(m.what)
                    << " stands out " << m.ratio << ":1, needs " << m.required << ":1";
            }
        });
        EXPECT_TRUE(scenes.contains("alert") && scenes.contains("panel-untrusted") &&
                    scenes.contains("settings-presets-all"));
        EXPECT_GT(count, 250) << "every scene's texts and controls were measured";
    }
}

} // namespace
} // namespace corvane
