// Which display a DISPLAY value names: the forms of one display are one, and the name made for the
// bus reads back as the display it was made from.
#include "app/DisplayName.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DisplayNameTest, TheFormsOfOneDisplayAreOneAndTheBusElementReadsBack) {
    struct Row {
        QString value;
        QString element;
        QString text;
    };
    const Row rows[] = {
        {":77", "d77", ":77"},
        {":77.0", "d77", ":77"},
        {":77.1", "d77", ":77"},
        {"unix:77", "d77", ":77"},
        {"unix:77.0", "d77", ":77"},
        {":0", "d0", ":0"},
        {"host:3", "d3_host", "host:3"},
        {"host:3.0", "d3_host", "host:3"},
        {"10.0.0.5:1", "d1_10_2E0_2E0_2E5", "10.0.0.5:1"},
        {"[::1]:2", "d2__5B_3A_3A1_5D", "[::1]:2"},
        {"my_host:4", "d4_my_5Fhost", "my_host:4"},
        {"hôte:5", "d5_h_C3_B4te", "hôte:5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value.toStdString());
        const std::optional<DisplayName> display = DisplayName::parse(row.value);
        ASSERT_TRUE(display);
        EXPECT_EQ(display->busElement(), row.element);
        EXPECT_EQ(display->text(), row.text);
        EXPECT_EQ(DisplayName::fromBusElement(row.element), display);
    }
    EXPECT_NE(DisplayName::parse(":7"), DisplayName::parse(":77"));
    EXPECT_NE(DisplayName::parse(":7"), DisplayName::parse("host:7"));

    for (const char* socket : {"wayland-0", "wl-kwin", "/run/user/1000/wayland-1"}) {
        const std::optional<DisplayName> display = DisplayName::ofWaylandSocket(QString::fromUtf8(socket));
        ASSERT_TRUE(display);
        EXPECT_EQ(display->text(), QString::fromUtf8(socket));
        EXPECT_EQ(DisplayName::fromBusElement(display->busElement()), display) << socket;
    }
    EXPECT_EQ(DisplayName::ofWaylandSocket(QStringLiteral("wayland-0"))->busElement(),
              QStringLiteral("wwayland_2D0"));
    EXPECT_NE(DisplayName::ofWaylandSocket(QStringLiteral("d0")), DisplayName::parse(QStringLiteral(":0")));
    EXPECT_FALSE(DisplayName::ofWaylandSocket({}));

    for (const char* value : {"", "77", ":", ":x", ":77.", ":77.x", "host", ":-1", ":99999999999"})
        EXPECT_FALSE(DisplayName::parse(QString::fromUtf8(value))) << value;
    for (const char* element : {"", "d", "77", "x77", "d77_", "d77_h.x", "D77", "d7 7", "w", "w_"})
        EXPECT_FALSE(DisplayName::fromBusElement(QString::fromUtf8(element))) << element;
}

} // namespace
} // namespace corvane
