// Where each window manager keeps its button layout and what Corvane reads from there: names, file
// formats, which file wins, and what a window manager draws when nothing is configured.
#include "platform/wmconfig/WindowManagerConfig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace corvane {
namespace {

const QList<TitleButton> kCloseMaxMin{TitleButton::Close, TitleButton::Maximize, TitleButton::Minimize};

TEST(WindowManagerConfigTest, WindowManagersAreKnownByTheNameTheyGiveTheirCheckWindow) {
    // The names that are more than the window manager's own: a fork's, a shell's, a version after it.
    EXPECT_EQ(windowManagerNamed("Metacity"), WindowManager::Metacity);
    EXPECT_EQ(windowManagerNamed("Metacity (Marco)"), WindowManager::Marco);
    EXPECT_EQ(windowManagerNamed("GNOME Shell"), WindowManager::Mutter);
    EXPECT_EQ(windowManagerNamed("IceWM 3.3.1 (Linux 6.1.0/x86_64)"), WindowManager::IceWM);
    EXPECT_EQ(windowManagerNamed("i3"), WindowManager::Unknown);
    EXPECT_EQ(windowManagerNamed(""), WindowManager::Unknown);
    // With nothing configured: maximize second from the right everywhere but GNOME's default.
    for (WindowManager wm :
         {WindowManager::Openbox, WindowManager::Xfwm, WindowManager::Marco, WindowManager::KWin,
          WindowManager::Fluxbox, WindowManager::IceWM, WindowManager::Unknown})
        EXPECT_EQ(stockLayout(wm).right.value(1), TitleButton::Maximize) << int(wm);
    EXPECT_EQ(stockLayout(WindowManager::Metacity).right, QList<TitleButton>{TitleButton::Close});
}

TEST(WindowManagerConfigTest, EachFileFormatYieldsItsSetting) {
    const QByteArray rc = R"(<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc"><theme><name>Clearlooks</name>
  <titleLayout> LIMC </titleLayout></theme></openbox_config>)";
    EXPECT_EQ(openboxTitleLayout(rc), QString("LIMC"));
    EXPECT_FALSE(openboxTitleLayout("<openbox_config><theme>"));
    EXPECT_FALSE(openboxTitleLayout("not xml at all <titleLayout>"));

    const QByteArray kwinrc = "[Compositing]\nButtonsOnLeft=X\n\n[org.kde.kdecoration2]\nBorderSize=Normal\n"
                              "ButtonsOnLeft[$i]=M\nButtonsOnRight = IAX\n";
    EXPECT_EQ(iniValue(kwinrc, "org.kde.kdecoration2", "ButtonsOnLeft"), QString("M"));
    EXPECT_EQ(iniValue(kwinrc, "org.kde.kdecoration2", "ButtonsOnRight"), QString("IAX"));
    EXPECT_FALSE(iniValue(kwinrc, "org.kde.kdecoration2", "Theme"));

    const QByteArray init = "! comment: with a colon\nsession.screen0.titlebar.left:\tStick \n"
                            "session.screen0.titlebar.right: Close Maximize\n";
    EXPECT_EQ(resourceValue(init, "session.screen0.titlebar.left"), QString("Stick"));
    EXPECT_EQ(resourceValue(init, "session.screen0.titlebar.right"), QString("Close Maximize"));
    EXPECT_FALSE(resourceValue(init, "comment"));

    const QByteArray prefs = "# TitleButtonsRight=\"xmir\"\nTitleButtonsLeft = \"\" # none\n"
                             "TitleButtonsRight=xm # the close and maximize buttons\nbutton_layout=O|HMC\n";
    EXPECT_EQ(assignedValue(prefs, "TitleButtonsLeft"), QString(""));
    EXPECT_EQ(assignedValue(prefs, "TitleButtonsRight"), QString("xm"));
    EXPECT_EQ(assignedValue(prefs, "button_layout"), QString("O|HMC"));
    EXPECT_FALSE(assignedValue(prefs, "TitleButtonsSupported"));
}

TEST(WindowManagerConfigTest, TheFirstFileThatSetsAValueWinsAndUnsetValuesAreTheStockOnes) {
    // KWin: the user's kwinrc sets the right side only; the system one sets both.
    const ButtonLayout kwin =
        layoutFromFiles(WindowManager::KWin, {"[org.kde.kdecoration2]\nButtonsOnRight=AX\n",
                                              "[org.kde.kdecoration2]\nButtonsOnLeft=X\nButtonsOnRight=X\n"});
    EXPECT_EQ(kwin, (ButtonLayout{{TitleButton::Close}, {TitleButton::Close, TitleButton::Maximize}}));
    EXPECT_EQ(layoutFromFiles(WindowManager::KWin, {}).left,
              (QList<TitleButton>{TitleButton::Other, TitleButton::Other}));
    EXPECT_EQ(layoutFromFiles(WindowManager::Openbox, {"<titleLayout>MLC</titleLayout>"}),
              (ButtonLayout{{TitleButton::Maximize}, {TitleButton::Close}}));
    EXPECT_EQ(layoutFromFiles(WindowManager::Openbox, {"<broken"}), openboxLayout("NLIMC"));
    EXPECT_EQ(layoutFromFiles(WindowManager::Xfwm, {"button_layout=O|SHMC\n"}).right.value(1),
              TitleButton::Maximize);
    EXPECT_EQ(layoutFromFiles(WindowManager::Fluxbox, {"session.screen0.titlebar.right: Maximize\n"}).right,
              QList<TitleButton>{TitleButton::Maximize});
    // IceWM: an override, then the theme, then the preferences, each setting on its own.
    const ButtonLayout ice =
        layoutFromFiles(WindowManager::IceWM, {"TitleButtonsLeft=\"x\"\n",
                                               "TitleButtonsRight=\"xmi\"\nTitleButtonsSupported=\"xmi\"\n",
                                               "TitleButtonsLeft=\"s\"\nTitleButtonsRight=\"m\"\n"});
    EXPECT_EQ(ice, (ButtonLayout{{TitleButton::Close}, kCloseMaxMin}));
}

TEST(WindowManagerConfigTest, LayoutFilesAreLookedForWhereEachWindowManagerKeepsThem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    const ConfigFolders folders{
        root + "/home", root + "/config", {root + "/xdg"}, {root + "/share"}, root + "/home/.icewm"};
    EXPECT_EQ(layoutFiles(WindowManager::Openbox, folders),
              (QStringList{root + "/config/openbox/rc.xml", root + "/xdg/openbox/rc.xml"}));
    EXPECT_EQ(layoutFiles(WindowManager::Openbox, folders, "/run/rc.xml"), QStringList{"/run/rc.xml"})
        << "the file openbox says it uses";
    EXPECT_EQ(layoutFiles(WindowManager::KWin, folders),
              (QStringList{root + "/config/kwinrc", root + "/xdg/kwinrc"}));
    EXPECT_EQ(layoutFiles(WindowManager::Fluxbox, folders), QStringList{root + "/home/.fluxbox/init"});
    EXPECT_EQ(layoutFiles(WindowManager::Xfwm, folders), QStringList{root + "/share/xfwm4/defaults"});
    EXPECT_TRUE(layoutFiles(WindowManager::Metacity, folders).isEmpty()) << "GSettings, not files";

    // IceWM: the theme named in the user's "theme" file, found in the system's theme folder.
    QDir().mkpath(root + "/home/.icewm");
    QDir().mkpath(root + "/share/icewm/themes/Blue");
    QFile theme(root + "/home/.icewm/theme");
    ASSERT_TRUE(theme.open(QIODevice::WriteOnly));
    theme.write("Theme=\"Blue/wide.theme\"\n");
    theme.close();
    QFile themeFile(root + "/share/icewm/themes/Blue/wide.theme");
    ASSERT_TRUE(themeFile.open(QIODevice::WriteOnly));
    themeFile.close();
    const QStringList ice = layoutFiles(WindowManager::IceWM, folders);
    const qsizetype themeAt = ice.indexOf(root + "/share/icewm/themes/Blue/wide.theme");
    ASSERT_GE(themeAt, 0) << ice.join(' ').toStdString();
    EXPECT_LT(ice.indexOf(root + "/home/.icewm/prefoverride"), themeAt);
    EXPECT_GT(ice.indexOf(root + "/home/.icewm/preferences"), themeAt);

    // A FIFO for the user's "theme" file is passed over without waiting for a writer: the next
    // folder's names the theme.
    ASSERT_TRUE(QFile::rename(theme.fileName(), root + "/share/icewm/theme"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(theme.fileName()).constData(), 0600), 0);
    EXPECT_TRUE(layoutFiles(WindowManager::IceWM, folders).contains(themeFile.fileName()));
}

} // namespace
} // namespace corvane
