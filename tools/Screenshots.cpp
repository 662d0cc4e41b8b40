// Renders Corvane's windows on the offscreen platform to PNG files, on a simulated desktop, in a
// light and a dark palette, and measures from the pixels how every text and control stands out.
// Usage: corvane_screenshots OUTPUT_DIR. Exits 1 when an item falls short of WCAG AA.
#include "tools/ContrastAudit.h"
#include "tools/ScreenshotScenes.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(directory));
        return 1;
    }
    int shortfalls = 0;
    int measured = 0;
    for (const bool isDark : {false, true}) {
        corvane::useQtDesktopLook(isDark);
        const QString suffix = isDark ? QStringLiteral("-dark") : QString();
        corvane::forEachScene([&](QWidget& window, const QString& name) {
            const QString path = QDir(directory).filePath(name + suffix + QStringLiteral(".png"));
            const QImage image = window.grab().toImage();
            if (!image.save(path))
                std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            else
                std::printf("%s\n", qPrintable(path));
            for (const corvane::ContrastMeasure& m : corvane::measureContrast(window, image)) {
                ++measured;
                if (m.isMet())
                    continue;
                ++shortfalls;
                std::printf("  %s: contrast %.2f:1, needs %.1f:1: %s\n", qPrintable(name + suffix), m.ratio,
                            m.required, qPrintable(m.what));
            }
        });
    }
    std::printf("%d texts and controls measured, %d below WCAG AA\n", measured, shortfalls);
    return shortfalls == 0 ? 0 : 1;
}
