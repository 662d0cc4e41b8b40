// The installed icon files are rendered from one SVG at build time, while the program draws its icon
// itself, from the tray glyph: on a desktop with Qt's default palette the two must look the same, so
// neither can drift from the other.
#include "ui/AppIcon.h"
#include "ui/TrayIcon.h"

#include <QPalette>
#include <cstdlib>
#include <gtest/gtest.h>

namespace corvane {
namespace {

int largestChannelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

TEST(AppIconFileTest, EveryInstalledSizeLooksLikeTheIconTheProgramDraws) {
    for (const int size : {16, 32, 64, 256}) {
        SCOPED_TRACE(size);
        const QString path = QStringLiteral(CORVANE_ICON_DIR "/%1x%1/app.corvane.Corvane.png").arg(size);
        const QImage file = QImage(path).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(file.size(), QSize(size, size)) << path.toStdString();
        const QImage drawn = appIconPixmap(TrayIcon::glyph(), size, QPalette(), 1)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(drawn.size(), file.size());
        // The renderers smooth edges differently (the program scales a raster glyph), which stays under
        // these bounds; a rectangle half a glyph unit off, a corner radius or an accent of its own does not.
        int differing = 0;
        qint64 total = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int difference = largestChannelDifference(file.pixel(x, y), drawn.pixel(x, y));
                total += difference;
                differing += difference > 64;
            }
        }
        const double pixels = double(size) * size;
        EXPECT_LT(differing / pixels, 0.016);
        EXPECT_LT(total / pixels, 2.75);
    }
}

} // namespace
} // namespace corvane
