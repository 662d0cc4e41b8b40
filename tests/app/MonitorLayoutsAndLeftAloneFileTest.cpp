// The per-monitor drag layouts and the applications left alone in a real settings file: an old file
// without them loads unchanged, a damaged or mistyped value falls back to the default and costs no
// other setting, and what is chosen survives a restart.
#include "control/ExcludedApplications.h"
#include "control/MonitorKey.h"
#include "dragsnap/DragSnapSettings.h"
#include "platform/freedesktop/PlistDefaults.h"
#include "platform/sim/SimDesktop.h"
#include "support/RecordingMonitor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane {
namespace {

class MonitorLayoutsAndLeftAloneFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("corvane/app.corvane.plist");
    SimDesktop desk;
    RecordingMonitor monitor;
    const Screen wide{.id = 1, .frame = QRectF(0, 0, 2560, 1080), .connector = "DP-1"};

    void SetUp() override { desk.setScreens({wide}); }
    // The simulated desktop, with its settings in the file.
    Platform platformOn(Defaults& file) {
        const Platform p = desk.platform();
        return Platform{p.accessibility, p.windowServer, p.screens,   p.workspace, p.application,
                        p.events,        file,           p.loginItem, p.updater,   p.runLoop,
                        p.windowFrames,  p.keyGrabs,     p.shortcuts};
    }
    void writeFile(const QString& entries) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                               "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                               "<plist version=\"1.0\"><dict>%1</dict></plist>\n")
                    .arg(entries)
                    .toUtf8());
    }
};

TEST_F(MonitorLayoutsAndLeftAloneFileTest, MistypedValuesFallBackAloneAndChoicesSurviveARestart) {
    writeFile("<key>dragSnapLayoutName</key><string>Thirds</string>"
              "<key>dragSnapMonitorLayouts</key><string>Split</string>"
              "<key>excludedApplications</key><dict><key>XTerm</key><true/></dict>");
    {
        PlistDefaults file(path);
        Platform platform = platformOn(file);
        DragSnapSettings settings(platform, monitor);
        ExcludedApplications excluded(platform);
        EXPECT_EQ(settings.layoutName(), "Thirds") << "the other keys are kept";
        EXPECT_EQ(settings.layoutNameFor(wide), "Thirds");
        EXPECT_TRUE(excluded.names().isEmpty());
        settings.setMonitorLayoutName(MonitorKey::of(wide, {wide}), "Rows");
        excluded.add("XTerm");
        ASSERT_TRUE(file.synchronize());
    }
    PlistDefaults file(path);
    Platform platform = platformOn(file);
    EXPECT_EQ(DragSnapSettings(platform, monitor).layoutNameFor(wide), "Rows");
    EXPECT_EQ(ExcludedApplications(platform).names(), QStringList{"XTerm"});
    EXPECT_EQ(file.string("dragSnapLayoutName"), "Thirds");

    // A file from before either existed: every monitor has the one layout, nothing is left alone.
    writeFile("<key>dragSnapLayoutName</key><string>Split</string>");
    PlistDefaults old(path);
    Platform oldPlatform = platformOn(old);
    EXPECT_EQ(DragSnapSettings(oldPlatform, monitor).layoutNameFor(wide), "Split");
    EXPECT_TRUE(ExcludedApplications(oldPlatform).names().isEmpty());
}

} // namespace
} // namespace corvane
