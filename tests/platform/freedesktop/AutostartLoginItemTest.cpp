// The login item is a file in the user's autostart folder: what it writes must start this program,
// and a failure must come back with a message, not as success.
#include "platform/freedesktop/AutostartLoginItem.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane {
namespace {

QString contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// What the entry holds: the next test.
TEST(AutostartLoginItemTest, RegisterMakesTheFolderAndTheEntryAndUnregisterRemovesIt) {
    QTemporaryDir dir;
    const QString entry = dir.filePath("autostart/corvane.desktop");
    AutostartLoginItem item(entry, "/opt/my apps/corvane");
    EXPECT_EQ(item.status(), LoginItemStatus::NotRegistered);

    const LoginItemResult registered = item.registerItem();
    EXPECT_TRUE(registered.succeeded) << registered.errorDescription.toStdString();
    EXPECT_EQ(item.status(), LoginItemStatus::Enabled);

    EXPECT_TRUE(item.unregisterItem().succeeded);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(item.unregisterItem().succeeded) << "unregistering twice is not an error";
}

// The path goes through the Exec quoting and then the string escapes of every value; a path that is
// written wrong either fails the desktop's parser (GLib refuses \" and \$ as string escapes) or runs
// something else.
TEST(AutostartLoginItemTest, AnyProgramPathIsWrittenAsAValidExecLine) {
    const struct {
        QString path;
        QString exec;
    } rows[] = {
        {"/usr/bin/corvane", R"(/usr/bin/corvane)"},
        {"/opt/100%/corvane", R"(/opt/100%%/corvane)"},
        {"/home/a b/100% done/corvane", R"("/home/a b/100%% done/corvane")"},
        {R"(/opt/"q"/$HOME/`x`/corvane)", R"("/opt/\\"q\\"/\\$HOME/\\`x\\`/corvane")"},
        {R"(/opt/back\slash/corvane)", R"("/opt/back\\\\slash/corvane")"},
        {"/opt/line\nbreak/corvane", R"("/opt/line\nbreak/corvane")"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        QTemporaryDir dir;
        const QString entry = dir.filePath("corvane.desktop");
        ASSERT_TRUE(AutostartLoginItem(entry, row.path).registerItem().succeeded);
        const QString text = contents(entry);
        EXPECT_TRUE(text.contains("\nExec=" + row.exec + "\n")) << text.toStdString();
        QProcess validate;
        validate.start("desktop-file-validate", {entry});
        ASSERT_TRUE(validate.waitForFinished()) << "desktop-file-validate (desktop-file-utils) did not run";
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    }
}

TEST(AutostartLoginItemTest, AnEntrySwitchedOffByTheDesktopReadsAsOff) {
    QTemporaryDir dir;
    const QString entry = dir.filePath("corvane.desktop");
    QFile f(entry);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Desktop Entry]\nExec=corvane\nHidden=true\n");
    f.close();
    EXPECT_EQ(AutostartLoginItem(entry, "corvane").status(), LoginItemStatus::NotRegistered);
}

TEST(AutostartLoginItemTest, AFolderThatCannotBeMadeFailsWithAMessage) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    AutostartLoginItem item(dir.filePath("autostart/corvane.desktop"), "/usr/bin/corvane");
    const LoginItemResult result = item.registerItem();
    EXPECT_FALSE(result.succeeded);
    EXPECT_FALSE(result.errorDescription.isEmpty());
    EXPECT_EQ(item.status(), LoginItemStatus::NotRegistered);
}

} // namespace
} // namespace corvane
