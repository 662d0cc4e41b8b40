// The spacing settings in a real settings file: damaged values or values of another type read as 0
// and lose nothing else, values out of range are kept in range, and only a change is stored.
#include "control/ZoneSpacingSettings.h"

#include "platform/freedesktop/PlistDefaults.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane {
namespace {

class ZoneSpacingSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("corvane/app.corvane.plist");

    // A settings file as a user's could be: other settings around the two values, given as XML.
    void writeFile(const QByteArray& gap, const QByteArray& margin) {
        QDir().mkpath(dir.filePath("corvane"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                "<key>dragSnapEnabled</key><true/><key>dragSnapLayoutName</key><string>Thirds</string>" +
                (gap.isEmpty() ? QByteArray() : "<key>zoneGap</key>" + gap) +
                (margin.isEmpty() ? QByteArray() : "<key>zoneMargin</key>" + margin) + "</dict></plist>\n");
    }
};

TEST_F(ZoneSpacingSettingsTest, EachValueFallsBackOnItsOwnAndTheRestOfTheFileStays) {
    struct Row {
        QByteArray gap, margin;
        ZoneSpacing expected;
    };
    const Row rows[] = {
        {{}, {}, {0, 0}},
        {"<integer>12</integer>", "<real>7.6</real>", {12, 8}},
        {"<string>12</string>", "<integer>6</integer>", {0, 6}},
        {"<integer>9</integer>", "<true/>", {9, 0}},
        {"<dict><key>a</key><integer>3</integer></dict>", "<array><integer>3</integer></array>", {0, 0}},
        {"<integer>-4</integer>", "<integer>100000</integer>", {0, 100}},
        {"<real>nan</real>", "<real>-inf</real>", {0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.gap.toStdString() + " " + row.margin.toStdString());
        writeFile(row.gap, row.margin);
        PlistDefaults defaults(path);
        const ZoneSpacingSettings settings(defaults);
        EXPECT_EQ(settings.spacing(), row.expected);
        EXPECT_EQ(defaults.boolean("dragSnapEnabled"), true);
        EXPECT_EQ(defaults.string("dragSnapLayoutName"), "Thirds");
        EXPECT_EQ(defaults.object("zoneGap").isValid(), !row.gap.isEmpty()) << "reading writes nothing";
    }
}

TEST_F(ZoneSpacingSettingsTest, SetValuesAreKeptInRangeStoredAndAnnouncedOnlyWhenTheyChange) {
    writeFile("<string>damaged</string>", "<integer>4</integer>");
    {
        PlistDefaults defaults(path);
        ZoneSpacingSettings settings(defaults);
        QSignalSpy changes(&settings, &ZoneSpacingSettings::spacingChanged);
        for (const qint64 gap : {250, 100})
            settings.setGap(gap);
        for (const qint64 margin : {-3, 0})
            settings.setMargin(margin);
        EXPECT_EQ(changes.size(), 2);
    }
    PlistDefaults reopened(path);
    EXPECT_EQ(ZoneSpacingSettings(reopened).spacing(), ZoneSpacing({100, 0}));
    EXPECT_EQ(reopened.object("zoneGap"), QVariant(qint64(100))) << "stored as an integer";
    EXPECT_EQ(reopened.string("dragSnapLayoutName"), "Thirds");
}

} // namespace
} // namespace corvane
