// The tray glyph: a half and two quarters with gaps between them, black, with rounded corners.
#include "ui/TrayIcon.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(TrayIconTest, TheGlyphIsAHalfAndTwoQuartersWithGaps) {
    const QImage& icon = TrayIcon::glyph();
    EXPECT_EQ(icon.deviceIndependentSize(), QSizeF(18, 14));
    EXPECT_EQ(icon.format(), QImage::Format_ARGB32);
    EXPECT_EQ(icon.pixel(8, 14), qRgba(0, 0, 0, 255)) << "black at full opacity";
    const auto alphaAt = [&](double x, double y) { return qAlpha(icon.pixel(int(x * 2), int(y * 2))); };
    EXPECT_EQ(alphaAt(4, 7), 255) << "left half";
    EXPECT_EQ(alphaAt(13.5, 3), 255) << "upper right (top in the image)";
    EXPECT_EQ(alphaAt(13.5, 11), 255) << "lower right";
    EXPECT_EQ(alphaAt(9, 7), 0) << "the vertical gap";
    EXPECT_EQ(alphaAt(13.5, 7), 0) << "the horizontal gap";
    EXPECT_LT(alphaAt(0, 0), 255) << "rounded corner";
}

} // namespace
} // namespace corvane
