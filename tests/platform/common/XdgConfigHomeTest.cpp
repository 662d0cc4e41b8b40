// The one rule for the config folder, and the two readers that follow it: Corvane's own files and
// the window managers' files.
#include "platform/common/XdgConfigHome.h"

#include "platform/freedesktop/SettingsPaths.h"
#include "platform/wmconfig/WindowManagerConfig.h"

#include <QDir>
#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(XdgConfigHomeTest, AnAbsoluteValueElseTheHomeFolders) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString fallback = QDir::homePath() + "/.config";
    const struct {
        const char* value; // null: unset
        QString expected;
    } rows[] = {
        {"/tmp/cfg/", "/tmp/cfg"}, {"", fallback},      {"relative/dir", fallback},
        {"./cfg", fallback},       {nullptr, fallback},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value ? row.value : "unset");
        if (row.value)
            qputenv("XDG_CONFIG_HOME", row.value);
        else
            qunsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(xdgConfigHome(), row.expected);
        EXPECT_EQ(ConfigFolders::fromEnvironment().configHome, row.expected);
        EXPECT_EQ(defaultsFilePath(), row.expected + "/corvane/app.corvane.plist");
        EXPECT_EQ(autostartEntryPath(), row.expected + "/autostart/corvane.desktop");
    }
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
} // namespace corvane
